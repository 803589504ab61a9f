#!/usr/bin/env bash
# Builds Quorvel (optimised, into build/, as the tests build it) and starts it. On Debian 12 it first installs what is
# missing with apt-get (as root, or through sudo). A second run only rebuilds what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

# Liberation Serif stands in for Times, in which the windows' texts were measured.
packages=(build-essential cmake ninja-build qt6-base-dev libgl1-mesa-dev libgtest-dev fonts-dejavu-core
          fonts-liberation2)
# A Wayland session without X needs Qt's Wayland platform.
if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -z "${DISPLAY:-}" ]; then
    packages+=(qt6-wayland)
fi
missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "run.sh: ${missing[*]} missing; run it as root to install them" >&2; exit 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quorvel

# The program is a desktop window: it needs a display, unless Qt was told to draw elsewhere.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<'EOF'
run.sh: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open.
The program is built in build/bin/quorvel. To run it without a screen, use a virtual display:
    apt-get install xvfb xauth && xvfb-run -a scripts/run.sh
or let Qt draw off screen (nothing is shown):
    QT_QPA_PLATFORM=offscreen scripts/run.sh
EOF
    exit 2
fi
exec build/bin/quorvel
