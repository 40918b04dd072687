#!/bin/sh
# Remakes docs/screenshot.png from a build: a "Thrown up. Transfer" deal at
# 192 dpi with the count of cards left shown; the human covers, then leads
# a seven, which the computer covers, and throws in a seven it will not.
# Usage: docs/screenshot.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
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
