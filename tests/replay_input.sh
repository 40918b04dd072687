#!/bin/bash
# Input the driver refuses as a whole: a bad --clock, and scripts that are
# no file of lines. Each ends with status 2 and one line on standard error,
# at once.
# Usage: replay_input.sh PATH/TO/velmora-replay
set -u
replay=$1
fail=0
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-replay-input-XXXXXX")
writer=
trap '[ -n "$writer" ] && kill "$writer" 2>/dev/null; rm -rf "$work"' EXIT

# what | status | stderr's one line (a pattern; empty: no line) | lines on stdout |
# command...  Stdin is whatever the caller gives.
check() {
    local what=$1 status=$2 line=$3 lines=$4
    shift 4
    local start=$EPOCHREALTIME
    timeout 5 "$@" >"$work/out" 2>"$work/err"
    local got=$? took
    took=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }')
    local bad=""
    [ "$got" = "$status" ] || bad="status $got, not $status"
    if [ -z "$line" ]; then
        [ -s "$work/err" ] && bad="$bad; stderr: $(cat "$work/err")"
    elif [ "$(wc -l <"$work/err")" != 1 ] || ! grep -Eqx -- "$line" "$work/err"; then
        bad="$bad; stderr: $(cat "$work/err")"
    fi
    [ "$(wc -l <"$work/out")" = "$lines" ] || bad="$bad; $(wc -l <"$work/out") lines on stdout"
    awk -v t="$took" 'BEGIN { exit !(t < 2) }' || bad="$bad; took ${took}s"
    if [ -n "$bad" ]; then
        echo "FAIL: $what: $bad"
        fail=1
    fi
}

printf 'dump\n' >"$work/dump.replay"
usage='usage: velmora-replay .*'
# The clock is HH:MM:SS.mmm exactly, a time a clock can read.
for clock in -0:0:0.0 1:02:03.004 12:00:00.5 12:00:00.0000 +1:+2:+3.+4 ' 12:00:00.000' \
    12:00:00.-99 24:00:00.000 12:00:00; do
    check "--clock '$clock'" 2 "$usage" 0 "$replay" --clock "$clock" "$work/dump.replay"
done
check "--clock 23:59:59.999" 0 "" 1 "$replay" --clock 23:59:59.999 "$work/dump.replay"

exit $fail
