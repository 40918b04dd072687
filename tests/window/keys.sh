#!/bin/bash
# The real program played by keys alone: a whole game in which the player
# plays the framed card and then presses Down (take, or end the attack),
# until the end-of-game box, answered with Enter, counts the game; then
# F11 fills the screen and F11 again gives the window back.
# Usage: keys.sh PATH/TO/velmora
# shellcheck disable=SC2086 # positions split into their numbers
# shellcheck disable=SC2119 # fresh_home takes settings, not the script's arguments
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
need_jwm
start_display

fresh_home
start_game

note "a whole game by keys"
scored() { [ -n "$(setting statc)$(setting statu)" ]; }
moves=0
until scored; do
    [ "$moves" -lt 400 ] || fail "no game ended after 400 moves by keys"
    key Return
    key Down
    moves=$((moves + 1))
    game_ended && fail "the program ended during the game"
done
note "ended after $moves moves: computer $(setting statc), you $(setting statu)"
key Return  # the box's answer, if it still waits
wait_stable

note "F11 fills the screen, F11 again restores the window"
# Full screen is the window manager's to grant: one of the desktop's own.
start_jwm
# Taken in: the window manager has framed the window.
framed() { ! xwininfo -children -id "$WINDOW" 2>/dev/null | grep -q 'Parent window id: .*(the root window)'; }
wait_until 10 framed || fail "jwm did not take the window in"
size() { xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: //p'; }
key F11
wait_until 5 eval '[ "$(size)" = 1280x1024 ]' || fail "F11 left the window at $(size)"
key F11
wait_until 5 eval '[ "$(size)" = 240x320 ]' || fail "the second F11 left the window at $(size)"

quit_game
echo "PASS"
