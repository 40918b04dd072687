#!/bin/sh
# 2, 4 and 8 copies of the program play at once on one settings folder,
# each through whole games to their end: the stored score must hold every
# copy's wins.
set -u
soak=$1
games=${2:-10}
fail=0
for copies in 2 4 8; do
    dir=$(mktemp -d)
    pids=
    n=0
    while [ "$n" -lt "$copies" ]; do
        n=$((n + 1))
        "$soak" --games "$games" --types 0 --seed "$n" --store "$dir" >"$dir/out.$n" 2>&1 &
        pids="$pids $!"
    done
    for pid in $pids; do
        wait "$pid" || { echo "FAIL: a copy of $copies failed:"; cat "$dir"/out.*; fail=1; }
    done
    stored=$(sed -n 's/^stat[cu]=//p' "$dir/velmora/settings.ini" | awk '{ s += $1 } END { print s + 0 }')
    if [ "$stored" -ne $((copies * games)) ]; then
        echo "FAIL: $copies copies of $games games each stored $stored wins"
        fail=1
    else
        echo "$copies copies: $stored wins stored"
    fi
    rm -rf "$dir"
done
exit $fail
