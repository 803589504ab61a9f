# Set-up shared by the tests that run the real program in a virtual X server: sourced, not run.
# It gives a work folder removed on exit, an X server of the test's own, the program started in
# it, the windows the program shows first, and the polite close that ends it.
# shellcheck shell=bash

readonly kSkip=77

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Skips the test (77) unless every tool named is installed; the first argument says what to install.
require_tools() {
    local hint=$1 tool
    shift
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIPPED: $tool is not installed ($hint)"
            exit $kSkip
        fi
    done
}

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
build_close_helper() { # C++ compiler
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
    if ! "$1" -o "$work/closewindow" "$work/closewindow.cpp" -lX11 2>"$work/compile.log"; then
        cat "$work/compile.log"
        echo "SKIPPED: cannot build the close-request helper (Xlib headers: apt-get install libx11-dev)"
        exit $kSkip
    fi
}

# A display number picked at random from a high range: servers that look for a free number
# side by side (parallel test runs, -displayfd) can take each other's sockets away. A taken
# number makes Xvfb quit at once, and another is tried; the lock file, which holds the pid of
# the server that owns the display, tells that the server answering is this one.
try_xvfb() { # display
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

# Starts the server and sets DISPLAY to it.
start_xvfb() {
    local candidate
    for _ in $(seq 20); do
        candidate=":$((100 + RANDOM % 900))"
        [ -e "/tmp/.X${candidate#:}-lock" ] && continue
        try_xvfb "$candidate" && export DISPLAY=$candidate && return 0
    done
    cat "$work/xvfb.log"
    fail "Xvfb did not start on any of 20 display numbers"
}

start_program() { # executable
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
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work/runtime" "$1" >"$work/program.log" 2>&1 &
    program_pid=$!
}

# The About window: undecorated (Motif hints with the decorations flag and no decorations) and
# without a title.
is_about_window() {
    local hints name undecorated='= 0x([0-9a-f]+), 0x[0-9a-f]+, 0x0,'
    hints=$(xprop -id "$1" _MOTIF_WM_HINTS 2>/dev/null) || return 1
    name=$(xprop -id "$1" WM_NAME 2>/dev/null) || return 1
    [[ $hints =~ $undecorated ]] && (((0x${BASH_REMATCH[1]} & 2) != 0)) || return 1
    [[ $name == 'WM_NAME(STRING) = ' || $name == 'WM_NAME(STRING) = ""' ]]
}

# The About window the program shows, or nothing.
visible_about_window() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        if is_about_window "$window"; then
            echo "$window"
            return
        fi
    done
}

# Sets about to the About window's id once it shows; fails after the given milliseconds.
wait_for_about() { # milliseconds
    local deadline=$(($(now_ms) + $1))
    about=
    while [ -z "$about" ] && [ "$(now_ms)" -lt "$deadline" ]; do
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended before its About window showed"
        about=$(visible_about_window)
        [ -n "$about" ] || sleep 0.02
    done
    [ -n "$about" ] || fail "no untitled, undecorated About window within $(($1 / 1000)) s"
}

# The first visible window of the program with exactly this title, or nothing.
visible_window_named() { # title
    xdotool search --all --onlyvisible --pid "$program_pid" --name "^$1\$" 2>/dev/null | head -n 1
}

# Sets control to the calculator window's id once it shows; fails after the given milliseconds
# counted from the given moment, which the last argument names.
wait_for_control() { # since (ms), milliseconds, what happened then
    control=
    while [ -z "$control" ] && [ $(($(now_ms) - $1)) -le "$2" ]; do
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended before its calculator window showed"
        control=$(visible_window_named Control)
        [ -n "$control" ] || sleep 0.02
    done
    [ -n "$control" ] || fail "no \"Control\" window within $2 ms of $3"
}

# Closes the window as a window manager would and expects the program to end with status 0.
close_expecting_zero() { # window
    local status
    "$work/closewindow" "$1" || fail "could not send the close request"
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
}
