#!/bin/bash
# A phone-shaped display of 720x1440 whose window manager maximises the
# window: the table is drawn across the whole width, at 288 dpi.
# Usage: phone.sh PATH/TO/velmora
# shellcheck disable=SC2086 # positions split into their numbers
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
need_jwm
SCREEN_SIZE=720x1440 start_display
fresh_home
# As a phone's compositor: no frames, no panel, so maximised is the display.
cat >"$GAME_HOME/.jwmrc" <<'JWM'
<?xml version="1.0"?>
<JWM><Group><Option>noborder</Option><Option>notitle</Option></Group></JWM>
JWM
start_jwm
mkdir -p "$(dirname "$SETTINGS")"
printf '%s\nwidth=240\nheight=320\n' '[Software\ornit\vlmra\Window]' >"$SETTINGS"
UNPINNED=1 start_game

note "maximised on a 720x1440 display"
"$PY" "$XWIN" maximize "$WINDOW"
width() { xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: \([0-9]*\)x.*/\1/p'; }
height() { xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: [0-9]*x//p'; }
wait_until 5 eval '[ "$(width)" = 720 ]' || fail "the window was not maximised: $(width) wide"
h=$(height)
[ "$h" = 1440 ] || fail "the maximised window is $h tall, not the display's 1440"
bar_top=$(((h - 960) / 2 + 882))
wait_until 5 pixel_is 1 $bar_top 80848a || fail "the bar does not start at the left edge at 288 dpi"
pixel_is 718 $bar_top 80848a || fail "the bar does not reach the right edge at 288 dpi"
quit_game
echo "PASS"
