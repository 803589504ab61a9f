#!/usr/bin/env bash
# The real program in a real X server: the About window (a plain box without a title) comes
# first, the calculator window ("Control") follows within 3.5 s, and closing it the way a
# window manager asks (WM_DELETE_WINDOW) ends the program with status 0.
# Usage: xserver_test.sh <quorvel executable> [C++ compiler]. Exit 77 means skipped.
set -uo pipefail

program=${1:?usage: xserver_test.sh <quorvel executable> [C++ compiler]}
compiler=${2:-c++}
# shellcheck source=tests/xserver_lib.sh
source "$(dirname "$0")/xserver_lib.sh"

require_tools "apt-get install xvfb xdotool x11-utils" Xvfb xdotool xprop
build_close_helper "$compiler"
start_xvfb
start_program "$program"

wait_for_about 5000
about_seen=$(now_ms)
echo "About window $about on screen"

wait_for_control "$about_seen" 3500 "the About window"
echo "Control window $control on screen $(($(now_ms) - about_seen)) ms after the About window"
xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -qx "$about" &&
    fail "the About window is still on screen beside the calculator window"

close_expecting_zero "$control"
