#!/bin/bash
# Remakes the pictures in docs/ from a build:
#   screenshot.png         the replay driver: a "Thrown up. Transfer" deal at
#                          192 dpi with the count of cards left shown; the
#                          human covers, then leads a seven, which the
#                          computer covers, and throws in a seven it will not
#   screenshot-window.png  the real window under Xvfb, wide, with the
#                          account of play beside the table
#   screenshot-phone.png   the real window at a phone's portrait shape, the
#                          account below the table
# The last two need Xvfb, xdotool and xprop (tools/install-deps test).
# Usage: docs/screenshot.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
top=$PWD
build=$(cd "${1:-build}" && pwd)
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/velmora"
printf '%s\n' '[Software\ornit\vlmra]' 'type=1' 'cidc=1' >"$config/velmora/settings.ini"
"$build/velmora-replay" --dpi 192 --clock 12:00:00.000 --config "$config" <<EOS
card 2 8
tap 200 180
card 4 7
tap 200 180
card 3 7
tap 200 180
screenshot docs/screenshot.png
EOS
rm -rf "$config"
trap - EXIT

# shellcheck source=../tests/window/lib.sh
. "$top/tests/window/lib.sh" "$build/velmora"
set +e
SCREEN_SIZE=1600x1600 start_display

# shot WIDTH HEIGHT FILE: a game in a window of that size, three moves in,
# saved whole. The density is the largest that fits, the screen centred.
shot() {
    local w=$1 h=$2 dpi sw sh dx dy
    fresh_home
    mkdir -p "$(dirname "$SETTINGS")"
    # pace=1: no pauses, so each move is whole before the next tap.
    printf '%s\nwidth=%s\nheight=%s\npace=1\n' '[Software\ornit\vlmra\Window]' "$w" "$h" >"$SETTINGS"
    dpi=$(((w * 96) / 240))
    [ $((h * 96 / 320)) -lt "$dpi" ] && dpi=$((h * 96 / 320))
    sw=$(((dpi * 240 + 48) / 96))
    sh=$(((dpi * 320 + 48) / 96))
    dx=$(((w - sw) / 2))
    dy=$(((h - sh) / 2))
    # at X Y: a design unit's place in the window.
    at() { echo $((dx + ($1 * dpi + 48) / 96)) $((dy + ($2 * dpi + 48) / 96)); }
    FRAME_PIXEL="$(at 5 294)" UNPINNED=1 start_game VELMORA_CLOCK=12:00:00.000
    tap $(at 86 140) # the third card of the hand
    tap $(at 100 90) # the table
    wait_stable
    tap $(at 44 140)
    tap $(at 100 90)
    wait_stable
    "$PY" "$XWIN" save "$WINDOW" "$top/docs/$3" || fail "could not save docs/$3"
    quit_game
}
shot 1280 640 screenshot-window.png
shot 720 1440 screenshot-phone.png
echo "docs/screenshot.png, docs/screenshot-window.png, docs/screenshot-phone.png"
