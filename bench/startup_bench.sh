#!/usr/bin/env bash
# Start-up cost of Quorvel under a virtual X server (Xvfb), against a bare Qt window:
#   - launch to the About window on screen, beside the bare window's launch to screen;
#   - CPU time used from launch until the calculator window shows, as a share of that wall
#     time (the splash waits about three seconds and must not spin: at most 15%);
#   - peak resident memory (/usr/bin/time -v) against the bare window's (at most 1.4 times).
# Builds Release with the benchmarks into the build folder first. A measurement, not a test:
# it prints the figures and says whether each is within its bound.
# Usage: bench/startup_bench.sh [build folder, default build-bench] [runs, default 5]
set -uo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-bench}
runs=${2:-5}
for tool in Xvfb xdotool /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "startup_bench: $tool is missing (apt-get install xvfb xdotool time)" >&2; exit 1; }
done

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BENCH=ON >/dev/null || exit 1
cmake --build "$build" --target quorvel barewindow >/dev/null || exit 1
quorvel="$build/bin/quorvel"
bare="$build/bin/barewindow"

work=$(mktemp -d)
xvfb_pid=
child=
cleanup() {
    [ -n "$child" ] && kill "$child" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# -noreset: the server must not start over each time a measured program leaves.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "startup_bench: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

now_us() { echo $(($(date +%s%N) / 1000)); }
clock_ticks=$(getconf CLK_TCK)

# CPU time (user + system) of a process so far, in milliseconds.
cpu_ms() {
    local fields
    read -ra fields <"/proc/$1/stat" || return 1
    # Fields 14 and 15 count past the command name, which has no blanks here.
    echo $(((fields[13] + fields[14]) * 1000 / clock_ticks))
}

# Waits until the process has a viewable window (with the given name, if any); prints the
# time in microseconds since `since`.
wait_window() { # pid since [name]
    local pid=$1 since=$2 name=${3:-}
    local criteria=(--onlyvisible --pid "$pid")
    [ -n "$name" ] && criteria=(--all --onlyvisible --pid "$pid" --name "^$name\$")
    for _ in $(seq 4000); do
        if xdotool search "${criteria[@]}" >/dev/null 2>&1; then
            echo $(($(now_us) - since))
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.002
    done
    return 1
}

# Starts the program under /usr/bin/time; sets `child` to the program's own pid.
launch() { # executable log
    /usr/bin/time -v -o "$2" "$1" >/dev/null 2>&1 &
    timer=$!
    child=
    for _ in $(seq 500); do
        child=$(pgrep -P "$timer" | head -n 1)
        [ -n "$child" ] && return 0
        sleep 0.001
    done
    return 1
}

# Ends the program politely enough for time to report, and prints its peak memory in KiB.
finish() { # log
    kill -TERM "$child" 2>/dev/null
    wait "$timer" 2>/dev/null
    child=
    sed -n 's/.*Maximum resident set size (kbytes): //p' "$1"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

for figure in bare_show bare_rss about_show control_show cpu rss; do
    : >"$work/$figure"
done
for run in $(seq "$runs"); do
    start=$(now_us)
    launch "$bare" "$work/bare.time" || { echo "startup_bench: the bare window did not start" >&2; exit 1; }
    shown=$(wait_window "$child" "$start") || { echo "startup_bench: the bare window never showed" >&2; exit 1; }
    echo "$shown" >>"$work/bare_show"
    sleep 0.3
    finish "$work/bare.time" >>"$work/bare_rss"

    start=$(now_us)
    launch "$quorvel" "$work/quorvel.time" || { echo "startup_bench: Quorvel did not start" >&2; exit 1; }
    about=$(wait_window "$child" "$start") || { echo "startup_bench: no About window" >&2; exit 1; }
    control=$(wait_window "$child" "$start" Control) || { echo "startup_bench: no calculator window" >&2; exit 1; }
    cpu=$(cpu_ms "$child")
    echo "$about" >>"$work/about_show"
    echo "$control" >>"$work/control_show"
    echo "$cpu" >>"$work/cpu"
    sleep 0.3
    finish "$work/quorvel.time" >>"$work/rss"
    echo "run $run: bare window $((shown / 1000)) ms; About $((about / 1000)) ms, calculator $((control / 1000)) ms, CPU ${cpu} ms"
done

bare_show=$(median <"$work/bare_show")
about_show=$(median <"$work/about_show")
control_show=$(median <"$work/control_show")
cpu=$(median <"$work/cpu")
bare_rss=$(median <"$work/bare_rss")
rss=$(median <"$work/rss")
cpu_share=$(awk -v c="$cpu" -v w="$control_show" 'BEGIN { printf "%.1f", 100 * c * 1000 / w }')
rss_ratio=$(awk -v q="$rss" -v b="$bare_rss" 'BEGIN { printf "%.2f", q / b }')
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit) ? "within" : "OVER" }'; }

echo
echo "Medians of $runs runs under Xvfb ($DISPLAY):"
printf '  launch to window on screen: bare Qt window %d ms, Quorvel About window %d ms\n' \
    $((bare_show / 1000)) $((about_show / 1000))
printf '  launch to calculator window: %d ms, CPU %d ms = %s%% of it (%s the 15%% bound)\n' \
    $((control_show / 1000)) "$cpu" "$cpu_share" "$(verdict "$cpu_share" 15)"
printf '  peak memory: bare window %d KiB, Quorvel %d KiB = %sx (%s the 1.4x bound)\n' \
    "$bare_rss" "$rss" "$rss_ratio" "$(verdict "$rss_ratio" 1.4)"
