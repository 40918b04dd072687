#!/bin/sh
# Runs one replay script on velmora-replay and compares its dumps with the
# expected ones. The script's header may carry "# clock: HH:MM:SS.mmm" and
# "# config: name=value" lines, which become the run's clock and store.
# Usage: run_replay.sh VELMORA_REPLAY SCRIPT [EXPECTED]   (no EXPECTED: print)
set -eu
replay=$1
script=$2
expected=${3:-}
config=$(mktemp -d "${TMPDIR:-/tmp}/velmora-replay-test-XXXXXX")
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/velmora"
{
    printf '%s\n' '[Software\ornit\vlmra]'
    sed -n 's/^# config: //p' "$script"
} >"$config/velmora/settings.ini"
clock=$(sed -n 's/^# clock: //p' "$script" | head -n 1)
set -- --config "$config"
[ -n "$clock" ] && set -- "$@" --clock "$clock"
if [ -z "$expected" ]; then
    exec "$replay" "$@" "$script"
fi
"$replay" "$@" "$script" >"$config/actual"
diff -u "$expected" "$config/actual"
