#!/bin/bash
# The window resized under a window manager: at each size the table is drawn
# again at the largest density that fits, pixel for pixel as the replay
# driver draws the same deal at that density, centred on the table colour;
# the size is kept for the next start.
# Usage: resize.sh PATH/TO/velmora PATH/TO/velmora-replay
# shellcheck disable=SC2086 # positions split into their numbers
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
REPLAY=${2:?usage: $0 PATH/TO/velmora PATH/TO/velmora-replay}
need_jwm
start_display
fresh_home
start_jwm
WINDOW_SECTION='[Software\ornit\vlmra\Window]'
# Remembered from a last run: the handheld's own size, so it starts at 96 dpi.
mkdir -p "$(dirname "$SETTINGS")"
printf '%s\nwidth=240\nheight=320\n' "$WINDOW_SECTION" >"$SETTINGS"
CLOCK=12:00:00.000
UNPINNED=1 start_game VELMORA_CLOCK=$CLOCK

size() { xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: //p'; }
window_value() {
    SECTION="$WINDOW_SECTION" NAME="$1" awk '
        /^\[/ { inside = ($0 == ENVIRON["SECTION"]); next }
        inside && index($0, "=") { split($0, kv, "="); if (kv[1] == ENVIRON["NAME"]) print kv[2] }
    ' "$SETTINGS"
}

# WIDTH HEIGHT DPI: the window made that size is drawn at DPI.
resized_to() {
    local w=$1 h=$2 dpi=$3 sw sh dx dy
    sw=$(((dpi * 240 + 48) / 96))
    sh=$(((dpi * 320 + 48) / 96))
    dx=$(((w - sw) / 2))
    dy=$(((h - sh) / 2))
    note "${w}x$h: the deal at $dpi dpi, ${sw}x$sh at $dx,$dy"
    printf '# clock: %s\nscreenshot %s\n' "$CLOCK" "$WORK/expected-$dpi.png" >"$WORK/shot.replay"
    REPLAY_DPI=$dpi "$HERE/../run_replay.sh" "$REPLAY" "$WORK/shot.replay" >/dev/null ||
        fail "the replay driver made no screenshot at $dpi dpi"
    xdotool windowsize "$WINDOW" "$w" "$h" || fail "xdotool could not resize the window"
    wait_until 5 eval '[ "$(size)" = "${w}x$h" ]' || fail "the window stayed $(size), not ${w}x$h"
    wait_until 5 "$PY" "$XWIN" compare "$WINDOW" "$WORK/expected-$dpi.png" 0 0 "$sw" "$sh" "$dx" "$dy" ||
        fail "the window's screen is not the replay's at $dpi dpi"
    [ "$dx" -gt 0 ] && { pixel_is 0 $((h / 2)) 009600 || fail "the left margin is not the table colour"; }
    [ "$dy" -gt 0 ] && { pixel_is $((w / 2)) 0 009600 || fail "the top margin is not the table colour"; }
    return 0
}
resized_to 480 640 192  # twice the handheld
resized_to 683 384 115  # half a 1366x768 laptop: held by its height
resized_to 400 800 160  # a tall phone-shaped window: held by its width

note "the size is kept for the next start"
key ctrl+q
wait_exit 10
[ "$GAME_STATUS" = 0 ] || fail "Ctrl+Q ended the program with status $GAME_STATUS"
[ "$(window_value width)x$(window_value height)" = 400x800 ] ||
    fail "the settings keep $(window_value width)x$(window_value height), not 400x800"
FRAME_PIXEL="10 $(((800 - 533) / 2 + (294 * 160 + 48) / 96))" UNPINNED=1 start_game
[ "$(size)" = 400x800 ] || fail "the second start's window is $(size), not 400x800"
quit_game
echo "PASS"
