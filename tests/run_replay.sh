#!/bin/sh
# Runs one replay script on velmora-replay and compares its dumps with the
# expected ones. The script's header may carry "# clock: HH:MM:SS.mmm",
# "# cmdline: TEXT" and "# config: name=value" lines, which become the run's
# clock, command line and store;
# "# state: on", or a `restart` line, keeps the game in a state folder of
# the run's own; "# opponent: expert" plays against the Expert.
# The run's folder is a fresh temporary one, so a `screenshot` with a
# relative file leaves nothing behind.
# Usage: run_replay.sh VELMORA_REPLAY SCRIPT [EXPECTED]   (no EXPECTED: print)
# REPLAY_DPI=N runs it at N dots per inch instead of 96.
set -eu
absolute() { case $1 in /*) printf '%s\n' "$1" ;; *) printf '%s\n' "$PWD/$1" ;; esac; }
here=$(absolute "$(dirname "$0")")
replay=$1
case $replay in */*) replay=$(absolute "$replay") ;; esac
script=$(absolute "$2")
expected=${3:+$(absolute "$3")}
config=$(mktemp -d "${TMPDIR:-/tmp}/velmora-replay-test-XXXXXX")
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/velmora" "$config/run"
{
    printf '%s\n' '[Software\ornit\vlmra]'
    sed -n 's/^# config: //p' "$script"
} >"$config/velmora/settings.ini"
clock=$(sed -n 's/^# clock: //p' "$script" | head -n 1)
cmdline=$(sed -n 's/^# cmdline: //p' "$script" | head -n 1)
set -- --config "$config"
[ -n "$cmdline" ] && set -- "$@" --cmdline "$cmdline"
[ -n "$clock" ] && set -- "$@" --clock "$clock"
[ -n "${REPLAY_DPI:-}" ] && set -- "$@" --dpi "$REPLAY_DPI"
grep -qx '# pace: on' "$script" && set -- "$@" --pace
grep -qx '# log: on' "$script" && set -- "$@" --log
grep -qx '# opponent: expert' "$script" && set -- "$@" --opponent expert
grep -qx -e '# state: on' -e 'restart' "$script" && set -- "$@" --state "$config/state"
cd "$config/run"
if [ -z "$expected" ]; then
    "$replay" "$@" "$script"
    exit
fi
"$replay" "$@" "$script" >"$config/actual"
cmp -s "$expected" "$config/actual" && exit 0
# Only the fields that differ: a whole dump line runs to thousands of characters.
"$here/replay_diff.py" "$expected" "$config/actual" || exit 1
