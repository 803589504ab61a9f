#!/usr/bin/env bash
# A person's use of the calculator in a real X server, by keyboard and mouse: the fields take
# what is typed (the number of tests drops a letter, typed or composed with a dead key, and a
# Return after a number is a blank),
# Calculate writes the table into the p-value field, the Edit menu copies and pastes between the
# fields within their key filters and length limits, the question mark opens one Description
# window however often it is clicked, and closing the calculator with the help still open ends
# the program with status 0. The fields are read from outside the way a person would take their
# text: Select All, Copy, and the X clipboard.
# Usage: xserver_use_test.sh <quorvel executable> [C++ compiler]. Exit 77 means skipped.
# With QUORVEL_SCREENSHOTS set to a folder, the calculator with its table, with two pasted
# spreadsheet cells, and with a sentence left after a long row was deleted, and the help window
# are saved there as PNG files (needs imagemagick's import).
set -uo pipefail

program=${1:?usage: xserver_use_test.sh <quorvel executable> [C++ compiler]}
compiler=${2:-c++}
# shellcheck source=tests/xserver_lib.sh
source "$(dirname "$0")/xserver_lib.sh"

require_tools "apt-get install xvfb xdotool x11-utils x11-xkb-utils xclip" Xvfb xdotool xprop xwininfo setxkbmap \
    xclip timeout
build_close_helper "$compiler"
start_xvfb
start_program "$program"

# The window's height in its list; what the window has beyond it is the menu bar above.
readonly kContentHeight=460
# Points inside the controls, in the window's content.
readonly kNvariables=(284 132) kErrorFld=(284 156) kInputFld1=(190 320) kQCanvas=(411 299) kClearBtn=(408 415)
# On the first line of the p-value list.
readonly kFirstListLine=(50 216)
# The first row of the table for three p-values of .05 at the error rate .15: each equals its
# critical value .15 / 3, which the division in doubles lands just below.
readonly kFirstRow=".0500       .0500          yes         .0500"

wait_for_control "$(now_ms)" 10000 "the start"
echo "Control window $control on screen"
# The About window goes when the calculator comes to the front; until then it may cover the
# calculator's lower right corner, where the question mark is.
deadline=$(($(now_ms) + 5000))
while [ -n "$(visible_about_window)" ]; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "the About window stays on screen beside the calculator window"
    sleep 0.05
done

eval "$(xdotool getwindowgeometry --shell "$control")"
menu_bar=$((HEIGHT - kContentHeight))
((menu_bar > 0 && menu_bar < 80)) || fail "the calculator window is ${HEIGHT} high: no menu bar above its $kContentHeight"

# Moves the pointer to a point of the window's content; xdotool commands may follow.
at() { # x y [xdotool commands...]
    local x=$1 y=$2
    shift 2
    xdotool mousemove --window "$control" "$x" $((y + menu_bar)) "$@"
}

# There is no window manager to give the focus on a click: the test gives it.
timeout 3 xdotool windowfocus --sync "$control" || fail "the calculator window did not take the keyboard focus"

# Before each copy the clipboard gets a text of the test's own, so that a copy the program has
# not made yet is not mistaken for one it has made.
readonly kNothingCopied="(nothing copied)"
forget_clipboard() {
    printf '%s' "$kNothingCopied" | xclip -selection clipboard -i >/dev/null 2>&1
}

# Prints the clipboard's text once the program has put one there.
copied_text() {
    local text deadline=$(($(now_ms) + 3000))
    while [ "$(now_ms)" -lt "$deadline" ]; do
        if text=$(timeout 2 xclip -o -selection clipboard 2>/dev/null) && [ "$text" != "$kNothingCopied" ]; then
            printf '%s' "$text"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# The text of a field, taken with Select All and Copy; fails when nothing is copied.
field_text() { # x y
    forget_clipboard
    at "$1" "$2" click 1 key ctrl+a ctrl+c
    copied_text
}

# Drags with the left button from one point of the content to another, in steps as a hand does:
# the toolkit starts a drag only once the pointer has moved some way. Held there a while before
# the button goes up when asked.
drag() { # from x, from y, to x, to y, [seconds held]
    local step
    at "$1" "$2" mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        at $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8))
        sleep 0.05
    done
    at $(($3 + 1)) "$4"
    sleep "${5:-0.2}"
    xdotool mouseup 1
}

# Saves a window's picture as <name>.png in the folder QUORVEL_SCREENSHOTS names, if it names one.
screenshot() { # window, name
    if [ -n "${QUORVEL_SCREENSHOTS:-}" ] && command -v import >/dev/null; then
        import -window "$1" "$QUORVEL_SCREENSHOTS/$2.png" || fail "no screenshot $2"
    fi
}

# Puts a text on the clipboard, as another program's Copy does.
copy_text() { # text
    printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1
}

# Waits for the Edit menu to open (or, with "closed", to close) after the keys that do that.
# The menu is the program's one visible window that no window manager would place (override
# redirect): its window type is no sign, since a menu opened again may say only "normal".
wait_for_menu() { # open|closed
    local window popup deadline=$(($(now_ms) + 3000))
    while [ "$(now_ms)" -lt "$deadline" ]; do
        popup=
        for window in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
            xwininfo -id "$window" 2>/dev/null | grep -q 'Override Redirect State: yes' && popup=$window
        done
        if { [ "$1" = open ] && [ -n "$popup" ]; } || { [ "$1" = closed ] && [ -z "$popup" ]; }; then
            return 0
        fi
        sleep 0.05
    done
    fail "the Edit menu is not $1 within 3 s"
}

# Chooses an Edit menu item by its mnemonic, as a person working the keyboard does.
choose_from_edit_menu() { # mnemonic
    xdotool key alt+e
    wait_for_menu open
    xdotool key "$1"
    wait_for_menu closed
}

# Presses keys on a layout with dead keys: a dead key and a letter make one accented letter,
# which the program's input method commits as text, not as a key.
with_dead_keys() { # xdotool key names...
    setxkbmap -layout us -variant intl || fail "no layout with dead keys"
    xdotool key "$@"
    setxkbmap -layout us
}

# 1. Typing. The letter is dropped with a beep, and so are the accented letters; a Return after
# the number of tests or the error rate is a blank, and in the list it starts a new p-value; Tab
# goes from field to field and on past Clear to Calculate, which space presses. Ctrl and Shift
# with a key that types a formatting character are no exception.
at "${kNvariables[@]}" click 1 type 3a
with_dead_keys dead_acute e dead_grave a
# Ctrl and Shift with a key that types a zero-width non-joiner, as a Persian layout has it: no digit.
xdotool key ctrl+shift+U200C ctrl+shift+U200C
xdotool key Return Tab type .15
with_dead_keys dead_diaeresis u
xdotool key Return Tab type .05
xdotool key Return type .05
xdotool key Return type .05
xdotool key Tab Tab space

# The table comes into the field when the event loop next turns: read until it is there. The
# row is looked for within the text, whichever line ends the clipboard gives it.
deadline=$(($(now_ms) + 5000))
until table=$(field_text "${kInputFld1[@]}") && [[ $table == *"$kFirstRow"* ]]; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "after Calculate the p-value field has no row \"$kFirstRow\"; it holds:
$table"
    sleep 0.1
done
echo "Calculate wrote the table into the p-value field"
screenshot "$control" calculator
text=$(field_text "${kNvariables[@]}") || fail "nothing was copied from the number of tests"
[ "$text" = 3 ] || fail "the number of tests holds \"$text\", not \"3\": the letter was not dropped"

# 2. Copy and Paste through the Edit menu: the error rate into the cleared number of tests, whose
# key filter drops the point of ".15" as it would a typed one. A second paste (the shortcut) finds
# room for one character of its three.
# The error rate's first line is selected: the Return typed after it is a second one.
forget_clipboard
at "${kErrorFld[@]}" click 1 key ctrl+Home shift+End
choose_from_edit_menu c
text=$(copied_text) || fail "the Edit menu's Copy put nothing on the clipboard"
[ "$text" = .15 ] || fail "the Edit menu's Copy put \"$text\" on the clipboard, not the error rate \".15\""
at "${kNvariables[@]}" click 1 key ctrl+a BackSpace
choose_from_edit_menu p
xdotool key ctrl+v
text=$(field_text "${kNvariables[@]}") || fail "nothing was copied from the number of tests after Paste"
[ "$text" = 151 ] || fail "after two pastes of \".15\" the number of tests holds \"$text\", not \"151\""
echo "the Edit menu copied the error rate into the number of tests, its digits only"

# A Tab with Alt, or with Ctrl and Alt, reaches the program where no window manager takes it: it
# puts no tab into a field that takes none, and nothing past the limit of a full one.
at "${kNvariables[@]}" click 1 key End alt+Tab alt+Tab ctrl+alt+Tab
text=$(field_text "${kNvariables[@]}") || fail "nothing was copied from the number of tests after Alt+Tab"
[ "$text" = 151 ] || fail "after Alt+Tab the full number of tests holds \"$text\", not \"151\""
# Two spreadsheet cells pasted: the number of tests drops the letters, with a beep, and the tab,
# which it could not show, silently.
copy_text $'label\t5'
at "${kNvariables[@]}" click 1 key ctrl+a ctrl+v
text=$(field_text "${kNvariables[@]}") || fail "nothing was copied from the number of tests after the cells"
[ "$text" = 5 ] || fail "two pasted cells \"label\" and \"5\" left \"$text\" in the number of tests, not \"5\""
screenshot "$control" pasted-cells
echo "Alt+Tab put nothing into a full field, and pasted cells gave the number of tests their digit alone"

# 3. Dragged onto a small field, a selection goes in within the field's key filter and limit;
# what the field does not take stays in the list, which keeps the whole selection. A drop that
# nothing of goes in changes neither field.
at "${kClearBtn[@]}" click 1
at "${kInputFld1[@]}" click 1 type abc
xdotool key Return type .05
xdotool key Return type xyz
xdotool key ctrl+alt+Tab ctrl+a
drag "${kFirstListLine[@]}" "${kErrorFld[@]}"
text=$(field_text "${kErrorFld[@]}") || fail "nothing was copied from the error rate after the drop"
[ "$text" = $'\n.05' ] || fail "the list dropped on the error rate left \"$text\" there, not a line break and \".05\""
text=$(field_text "${kInputFld1[@]}") || fail "nothing was copied from the list after the drop"
[ "$text" = $'abc\n.05\nxyz' ] || fail "after a drop that the error rate cut the list holds \"$text\""
at "${kNvariables[@]}" click 1 type 123
at "${kInputFld1[@]}" click 1 key ctrl+a type .01
xdotool key Return type .02
xdotool key Return type .03
xdotool key ctrl+a
drag "${kFirstListLine[@]}" "${kNvariables[@]}"
text=$(field_text "${kNvariables[@]}") || fail "nothing was copied from the number of tests after the drop"
[ "$text" = 123 ] || fail "the list dropped on a full number of tests left \"$text\" there"
text=$(field_text "${kInputFld1[@]}") || fail "nothing was copied from the list after the refused drop"
[ "$text" = $'.01\n.02\n.03' ] || fail "after a drop that went nowhere the list holds \"$text\""
echo "drops onto the small fields took what the rules let through and the list kept its text"

# A drag from a small field starts once, held or not: the field makes up moves as it scrolls
# toward the pointer outside it, and none may start a second drag while the first runs (the
# toolkit complains of each on standard error). The point dropped, the drop is a copy.
readonly kSecondDrag="QDragManager::drag in possibly invalid state"
at "${kClearBtn[@]}" click 1
at "${kErrorFld[@]}" click 1 type .05
# A press this soon after the click, at the same point, would be a double click.
xdotool key ctrl+a
sleep 0.6
drag "${kErrorFld[@]}" "${kNvariables[@]}" 1
text=$(field_text "${kNvariables[@]}") || fail "nothing was copied from the number of tests after the drag"
[ "$text" = 05 ] || fail "the error rate dragged onto the number of tests left \"$text\" there, not \"05\""
text=$(field_text "${kErrorFld[@]}") || fail "nothing was copied from the error rate after the drag"
[ "$text" = .05 ] || fail "the error rate holds \"$text\" after its drag, not \".05\""
count=$(grep -c "$kSecondDrag" "$work/program.log")
[ "$count" -eq 0 ] || fail "$count drags started while one ran: \"$kSecondDrag\""
echo "a held drag from the error rate started once and left its text"

# Deleted by hand, a long row with no blank leaves the sentence after it wrapped at words again.
readonly kSentence="Holm's procedure keeps the experimentwise error rate of a family of tests"
at "${kClearBtn[@]}" click 1
at "${kInputFld1[@]}" click 1 type "$kSentence"
copy_text "$(printf '.01234,%.0s' {1..43} | cut -c 1-300)"
xdotool key ctrl+Home ctrl+v ctrl+shift+Home Delete
text=$(field_text "${kInputFld1[@]}") || fail "nothing was copied from the list after the row was deleted"
[ "$text" = "$kSentence" ] || fail "after the long row was deleted the list holds \"$text\""
xdotool key ctrl+End
screenshot "$control" sentence-after-long-row

# 4. The question mark opens the help window; a second click brings the same one to the front.
# The help window opens over the question mark: the calculator is raised for the second click.
at "${kQCanvas[@]}" click 1
deadline=$(($(now_ms) + 5000))
until description=$(visible_window_named Description) && [ -n "$description" ]; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "no \"Description\" window within 5 s of a click on the question mark"
    sleep 0.05
done
echo "Description window $description on screen"
screenshot "$description" description
# The top-level windows, topmost first.
stacking() { xwininfo -root -children | grep -oE '^ +0x[0-9a-f]+' | tr -d ' '; }
description_hex=$(printf '0x%x' "$description")
control_hex=$(printf '0x%x' "$control")
xdotool windowraise "$control"
deadline=$(($(now_ms) + 3000))
until [ "$(stacking | grep -m 1 -xE "$control_hex|$description_hex")" = "$control_hex" ]; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "the calculator window could not be raised above the help window"
    sleep 0.05
done
at "${kQCanvas[@]}" click 1
deadline=$(($(now_ms) + 5000))
until [ "$(stacking | grep -m 1 -xE "$control_hex|$description_hex")" = "$description_hex" ]; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "a second click on the question mark did not bring the help window to the front"
    sleep 0.05
done
count=$(xdotool search --all --pid "$program_pid" --name '^Description$' 2>/dev/null | wc -l)
[ "$count" -eq 1 ] || fail "$count \"Description\" windows after two clicks on the question mark, not one"
echo "a second click on the question mark brought the one Description window to the front"

# 5. Closing the calculator ends the program, with the help window still open.
close_expecting_zero "$control"
