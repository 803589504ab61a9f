#!/usr/bin/env bash
# The real program in a real X server: the About window (a plain box without a title) comes
# first, the calculator window ("Control") follows within 3.5 s, and closing it the way a
# window manager asks (WM_DELETE_WINDOW) ends the program with status 0.
# Usage: xserver_test.sh <quorvel executable> [C++ compiler]. Exit 77 means skipped.
set -uo pipefail

program=${1:?usage: xserver_test.sh <quorvel executable> [C++ compiler]}
compiler=${2:-c++}
readonly kSkip=77

for tool in Xvfb xdotool xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (apt-get install xvfb xdotool x11-utils)"
        exit $kSkip
    fi
done

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    [ -s "$work/program.log" ] && { echo "--- program output:" >&2; cat "$work/program.log" >&2; }
    exit 1
}

# xdotool's windowclose destroys the window behind the program's back and windowkill drops its
# connection; neither is a close request. Without a window manager to send one, this does.
cat >"$work/closewindow.cpp" <<'EOF'
#include <X11/Xlib.h>
#include <cstdlib>

// Asks the window to close as a window manager's close button does.
int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 2;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = std::strtoul(argv[1], nullptr, 0);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return sent != 0 ? 0 : 1;
}
EOF
if ! "$compiler" -o "$work/closewindow" "$work/closewindow.cpp" -lX11 2>"$work/compile.log"; then
    cat "$work/compile.log"
    echo "SKIPPED: cannot build the close-request helper (Xlib headers: apt-get install libx11-dev)"
    exit $kSkip
fi

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# A display number picked at random from a high range: servers that look for a free number
# side by side (parallel test runs, -displayfd) can take each other's sockets away. A taken
# number makes Xvfb quit at once, and another is tried; the lock file, which holds the pid of
# the server that owns the display, tells that the server answering is this one.
start_xvfb() {
    local display=$1 owner
    # Without -noreset the server starts over when its last client leaves (the probe below),
    # and refuses the program if it connects just then.
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        owner=$(tr -d ' \n' 2>/dev/null <"/tmp/.X${display#:}-lock")
        if [ "$owner" = "$xvfb_pid" ] && DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1; then
            return 0
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
    return 1
}
for _ in $(seq 20); do
    candidate=":$((100 + RANDOM % 900))"
    [ -e "/tmp/.X${candidate#:}-lock" ] && continue
    start_xvfb "$candidate" && export DISPLAY=$candidate && break
done
[ -n "$xvfb_pid" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start on any of 20 display numbers"; }

mkdir -m 700 "$work/runtime"
# On a real display Qt talks to D-Bus; libdbus keeps process-wide data that only dbus_shutdown
# frees, which Qt never calls. Under LeakSanitizer that alone is not a leak of the program's.
if [ -n "${LSAN_OPTIONS:-}" ]; then
    if [[ $LSAN_OPTIONS =~ suppressions=([^:]*) ]] && [ -r "${BASH_REMATCH[1]}" ]; then
        cat "${BASH_REMATCH[1]}" >"$work/lsan.supp"
    fi
    echo "leak:libdbus-1.so" >>"$work/lsan.supp"
    export LSAN_OPTIONS="$LSAN_OPTIONS:suppressions=$work/lsan.supp"
fi
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work/runtime" "$program" >"$work/program.log" 2>&1 &
program_pid=$!

# The About window: undecorated (Motif hints with the decorations flag and no decorations) and
# without a title.
is_about_window() {
    local hints name undecorated='= 0x([0-9a-f]+), 0x[0-9a-f]+, 0x0,'
    hints=$(xprop -id "$1" _MOTIF_WM_HINTS 2>/dev/null) || return 1
    name=$(xprop -id "$1" WM_NAME 2>/dev/null) || return 1
    [[ $hints =~ $undecorated ]] && (((0x${BASH_REMATCH[1]} & 2) != 0)) || return 1
    [[ $name == 'WM_NAME(STRING) = ' || $name == 'WM_NAME(STRING) = ""' ]]
}

about=
deadline=$(($(now_ms) + 5000))
while [ -z "$about" ] && [ "$(now_ms)" -lt "$deadline" ]; do
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before its About window showed"
    for window in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        if is_about_window "$window"; then
            about=$window
            break
        fi
    done
    [ -n "$about" ] || sleep 0.02
done
[ -n "$about" ] || fail "no untitled, undecorated About window within 5 s"
about_seen=$(now_ms)
echo "About window $about on screen"

control=
while [ -z "$control" ] && [ $(($(now_ms) - about_seen)) -le 3500 ]; do
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before its calculator window showed"
    control=$(xdotool search --all --onlyvisible --pid "$program_pid" --name '^Control$' 2>/dev/null | head -n 1)
    [ -n "$control" ] || sleep 0.02
done
[ -n "$control" ] || fail "no \"Control\" window within 3.5 s of the About window"
echo "Control window $control on screen $(($(now_ms) - about_seen)) ms after the About window"
xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -qx "$about" &&
    fail "the About window is still on screen beside the calculator window"

"$work/closewindow" "$control" || fail "could not send the close request"
for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$program_pid" 2>/dev/null && fail "the program still runs 5 s after its calculator window was closed"
wait "$program_pid"
status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status"
echo "closed: the program exited with status 0"
