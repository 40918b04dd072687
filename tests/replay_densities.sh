#!/bin/sh
# The replays tap cards, the table and the buttons by name, never by pixel,
# so each plays the same game at every density: its dumps at 144 and 192
# dots per inch equal the expected ones but for positions and repainted
# rectangles.
# Usage: replay_densities.sh VELMORA_REPLAY REPLAY_FOLDER
set -u
replay=$1
folder=$2
here=$(dirname "$0")
out=$(mktemp -d "${TMPDIR:-/tmp}/velmora-densities-XXXXXX")
trap 'rm -rf "$out"' EXIT
strip() {
    sed -E -e 's/,"x":-?[0-9]+,"y":-?[0-9]+//g' -e 's/"invalidated":\[(\[[-0-9,]*\],?)*\]//' "$1"
}
fail=0
for script in "$folder"/*.replay; do
    name=$(basename "$script" .replay)
    if grep -Eq '^(tap|down|up|dbltap) ' "$script"; then
        echo "FAIL: $name taps raw pixels"
        fail=1
        continue
    fi
    strip "${script%.replay}.expected" >"$out/expected"
    for dpi in 144 192; do
        REPLAY_DPI=$dpi "$here/run_replay.sh" "$replay" "$script" >"$out/raw" 2>"$out/err" || {
            echo "FAIL: $name at $dpi dpi: $(cat "$out/err")"
            fail=1
            continue
        }
        strip "$out/raw" >"$out/actual"
        if ! cmp -s "$out/expected" "$out/actual"; then
            echo "FAIL: $name plays differently at $dpi dpi:"
            diff "$out/expected" "$out/actual" | head -c 2000
            fail=1
        fi
    done
done
[ "$fail" = 0 ] && echo PASS
exit "$fail"
