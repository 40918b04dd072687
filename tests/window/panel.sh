#!/bin/bash
# The account of play in the margin: beside the table in a wide window,
# below it in a tall one, none at the table's own size; always what a fresh
# repaint draws, after a resize and after a new table colour. The Pace
# menu's item hides it, and the choice is kept.
# Usage: panel.sh PATH/TO/velmora
# shellcheck disable=SC2086 # positions split into their numbers
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
need_jwm
start_display
fresh_home
start_jwm
mkdir -p "$(dirname "$SETTINGS")"
printf '[Software\\ornit\\vlmra\\Window]\nwidth=240\nheight=320\npace=1\n' >"$SETTINGS"
start_game VELMORA_CLOCK=12:00:00.000  # pace off: each move whole before a look
PANEL=181c20

size() { xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: //p'; }
# repainted_same DIGEST: the panel beside the table hashes the same after a
# resize away and back, which repaints everything afresh.
repainted_same() {
    resize 600 320
    resize 640 320
    same "$1" 440 0 640 320
}

resize() {
    WANT="${1}x$2"
    xdotool windowsize "$WINDOW" "$1" "$2" || fail "xdotool could not resize the window"
    wait_until 5 eval '[ "$(size)" = "$WANT" ]' || fail "the window stayed $(size), not $WANT"
    wait_stable
}

note "at the table's own size there is no margin and no panel"
[ "$(size)" = 240x320 ] || fail "the window started at $(size)"
before=$(digest 0 0 240 320)
tap 86 140  # the third card of the hand
tap 100 90  # the table: a move, and its lines
wait_changed 5 "$before" 0 0 240 320 || fail "the move changed nothing"
wait_stable

note "a wide window: the panel beside the centred table, the latest line at the bottom"
resize 640 320  # the table at 200..440
uniform 440 0 640 320 && fail "the margin beside the table shows no text"
pixel_is 636 2 $PANEL || fail "the panel's corner is not its colour"
pixel_is 4 160 009600 || fail "the margin left of the table is not the table's colour"
repainted_same "$(digest 440 0 640 320)" || fail "the panel differs from its fresh repaint after a resize"

note "a new table colour: the panel stays what a fresh repaint draws"
tap 228 307  # Game, on the table 200 pixels in
tap 243 257  # Options
wait_stable
tap 350 171  # Black
key Return
wait_stable
pixel_is 4 160 000000 || fail "the margin did not take the new colour"
repainted_same "$(digest 440 0 640 320)" || fail "the panel after a colour change differs from a fresh repaint"

note "a tall window: the panel below the table"
resize 240 600  # the table at 140..460
pixel_is 4 596 $PANEL || fail "no panel below the table"
uniform 0 460 240 600 && fail "the margin below the table shows no text"

note "the Pace menu's item hides it, and the choice is kept"
resize 640 320
tap 336 307
tap 351 191  # Account of play, the first of five items
wait_stable
uniform 440 0 640 320 || fail "the hidden panel left text in the margin"
SECTION="[Software\\ornit\\vlmra\\Window]" setting_is account 2 || fail "the hidden panel was not kept"
quit_game
