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

# A folder or a device as the script is refused before anything runs.
mkdir "$work/folder"
check "a folder" 2 "velmora-replay: cannot read $work/folder: is a folder" 0 \
    "$replay" "$work/folder"
check "/dev/zero named" 2 "velmora-replay: cannot read /dev/zero: is a device" 0 \
    "$replay" /dev/zero
check "a file that is not there" 2 "velmora-replay: cannot read $work/none: .*" 0 \
    "$replay" "$work/none"
# Standard input is read whatever it is, up to the first NUL.
check "/dev/zero on stdin" 2 "velmora-replay: line 1: the line holds a NUL byte: " 0 \
    "$replay" </dev/zero
# shellcheck disable=SC2016 # expanded by the inner shell
check "zeros after a dump" 2 "velmora-replay: line 2: the line holds a NUL byte: " 1 \
    bash -c 'cat "$1" /dev/zero | "$2"' - "$work/dump.replay" "$replay"
# A line with no newline is cut off at 4096 bytes, though its writer has
# not finished: here a named FIFO, held open.
mkfifo "$work/fifo"
(
    printf 'dump\n%5000s' ''
    exec sleep 30
) >"$work/fifo" &
writer=$!
check "5000 bytes with no newline" 2 \
    "velmora-replay: line 2: the line is longer than 4096 bytes: $(printf '%40s' '')\.\.\." 1 \
    "$replay" "$work/fifo"
kill "$writer"
writer=

exit $fail
