#!/bin/bash
# The window's least size under a window manager: never below the table's
# screen at 96 dpi; while a dialog or a menu is open, never below the screen
# as it is then, so none of it is cut off; once it closes, the 96 dpi least
# again. Asked for 300x200 each time.
# Usage: least.sh PATH/TO/velmora
# shellcheck disable=SC2086 # positions split into their numbers
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
need_jwm
start_display
fresh_home
start_jwm
mkdir -p "$(dirname "$SETTINGS")"
# 192 dpi: every design unit below is two pixels.
printf '%s\nwidth=480\nheight=640\npace=1\n' '[Software\ornit\vlmra\Window]' >"$SETTINGS"
FRAME_PIXEL="10 588" UNPINNED=1 start_game

size() { xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: //p'; }
shrink() { xdotool windowsize "$WINDOW" 300 200 || fail "xdotool could not resize the window"; }
# kept_whole WHAT: asked to shrink, the window stays 480x640 and its screen,
# what is open on it included, looks as before.
kept_whole() {
    local before
    before=$(digest 0 0 480 640)
    shrink
    sleep 0.5
    wait_stable
    [ "$(size)" = 480x640 ] || fail "with $1 open the window shrank to $(size)"
    same "$before" 0 0 480 640 || fail "with $1 open the window no longer shows it whole"
}

note "Options open: the page, its OK bar and close box, stay whole"
changes "a tap on Game opened no menu" 0 396 192 588 tap 56 614
changes "Game > Options opened no page" 0 588 480 640 tap 80 514
wait_stable
kept_whole "the Options page"
key Escape
wait_stable

note "the Game menu open: it stays whole"
changes "a tap on Game opened no menu" 0 396 192 588 tap 56 614
wait_stable
kept_whole "the Game menu"
key Escape
wait_stable

note "nothing open: the window goes down to the screen at 96 dpi, no further"
shrink
wait_until 5 eval '[ "$(size)" = 300x320 ]' || fail "asked for 300x200 the window is $(size), not 300x320"
wait_until 5 pixel_is 35 294 80848a || fail "the table is not drawn at 96 dpi in the middle"
quit_game
echo "PASS"
