#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), then builds and runs the whole suite three
# times: plain, under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz harnesses
# (replay of their corpora and a short run each). Exits non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build clang libclang-rt-14-dev qt6-base-dev libgl1-mesa-dev libx11-dev
          libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-liberation2 xvfb xauth xdotool x11-utils x11-xkb-utils xclip
          poppler-utils)
missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" \
        || { echo "could not install ${missing[*]}" >&2; exit 1; }
fi

jobs=$(nproc)
status=0
passed=0
failed=0

run_suite() { # name, build dir, cmake options...
    local name=$1 dir=$2
    shift 2
    echo "=== $name ==="
    if ! cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1; then
        cat "$dir.configure.log"; echo "$name: configure failed"; status=1; failed=$((failed + 1)); return
    fi
    if ! cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1; then
        tail -n 60 "$dir.build.log"; echo "$name: build failed"; status=1; failed=$((failed + 1)); return
    fi
    local log="$dir.ctest.log"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    local line
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    if [ -n "$line" ]; then
        local total fails
        fails=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
        total=$(echo "$line" | sed -E 's/.* tests failed out of ([0-9]+).*/\1/')
        passed=$((passed + total - fails))
        failed=$((failed + fails))
    else
        failed=$((failed + 1)); status=1
    fi
}

mkdir -p build
run_suite "plain" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite "sanitizers" build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON
run_suite "fuzz" build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DQUORVEL_FUZZ=ON

echo "total: $passed passed, $failed failed"
exit $status
