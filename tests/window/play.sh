#!/bin/bash
# The real program in a private X server, played with real clicks and keys:
# the window as the desktop sees it, a card played onto the table, a new
# deal from the Game menu and from Alt+N, and the table drawn again when the
# window is made larger.
# Usage: play.sh PATH/TO/velmora
# shellcheck disable=SC2086 # positions split into their numbers
# shellcheck disable=SC2119 # fresh_home takes settings, not the script's arguments
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
start_display

fresh_home
start_game

note "the window: class, size, title"
[ "$("$PY" "$XWIN" class "$WINDOW")" = "$APP_CLASS $APP_CLASS" ] ||
    fail "WM_CLASS is '$("$PY" "$XWIN" class "$WINDOW")', not $APP_CLASS twice"
size=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: //p')
[ "$size" = 240x320 ] || fail "the window is $size at 96 dpi, not 240x320"
title_is "Thrown up" || fail "the title of a first start is '$(title)', not 'Thrown up'"
"$PY" "$XWIN" icon "$WINDOW" "$HERE/../../res/pictures/icon-101-64.png" ||
    fail "the window's icon is not the program's 64-pixel icon"

note "Alt+N deals a new game"
new_deal
title_is "Thrown up" || fail "Alt+N changed the title to '$(title)'"

note "Game > New deals a new game"
bar=$(digest $R_BAR)
changes "Game > New dealt no new game" $R_TOP_CARDS game_menu $MENU_NEW
wait_stable
same "$bar" $R_BAR || fail "the menu bar does not look as before the menu opened"
uniform $R_BELOW_STATUS || fail "the Game menu is still on the table after New"

# Which side opens depends on the deal; deal again until it is the human,
# so that the table is empty and any card of the hand may open the bout.
note "a card selected and played onto the table"
deals=1
while ! uniform $R_TABLE; do
    [ "$deals" -lt 40 ] || fail "the computer opened 40 deals in a row"
    new_deal
    deals=$((deals + 1))
done
table=$(digest $R_TABLE)
changes "a tap on the first card of the hand did not select it" $R_HAND tap $FIRST_HAND_CARD
wait_stable
same "$table" $R_TABLE || fail "selecting a card changed the table"
changes "a tap on the table with a card selected played nothing" $R_TABLE tap $TABLE_SPOT
wait_stable
uniform $R_TABLE && fail "the table is empty after the card was played"

note "a larger window with the density pinned: the screen centred on the table colour, taps offset"
xdotool windowsize "$WINDOW" 340 420 || fail "xdotool could not resize the window"
wait_until 5 pixel_is 55 344 80848a || fail "the bar is not 50 pixels in and down in a 340x420 window"
pixel_is 10 10 009600 || fail "the border of a larger window is not the table colour"
pixel_is 330 410 009600 || fail "the border of a larger window is not the table colour"
menu=$(digest 50 248 146 344)
changes "a tap on Game, offset by the border, opened no menu" 50 248 146 344 tap 78 357
key Escape
wait_same 5 "$menu" 50 248 146 344 || fail "Escape did not close the Game menu"

quit_game
note "unpinned, the size kept from the last run: the table drawn at the density that fits"
# 340x420 fits the screen at 126 dpi (315x420), 12 pixels in from the left.
at126() { echo $((12 + ($1 * 126 + 48) / 96)) $((($2 * 126 + 48) / 96)); }
FRAME_PIXEL="$(at126 5 294)" UNPINNED=1 start_game
pixel_is 5 10 009600 || fail "the margin of a larger window is not the table's colour"
pixel_is 335 410 009600 || fail "the margin of a larger window is not the table's colour"
menu_top=$(at126 0 198)
menu="$(at126 0 0 | cut -d' ' -f1) ${menu_top#* } $(at126 96 294)"
before=$(digest $menu)
changes "a tap on Game at the new density opened no menu" $menu tap $(at126 28 307)
key Escape
wait_same 5 "$before" $menu || fail "Escape did not close the Game menu"

quit_game
echo "PASS"
