#!/bin/sh
# 2, 4 and 8 copies of the program play at once on one settings folder,
# each through whole games to their end: the stored score must hold every
# copy's wins, and the type's record every copy's games, won as the score.
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
    # The Records section: won and lost of type 0 add up to every game.
    won=$(sed -n 's/^t0\.classic\.won=//p' "$dir/velmora/settings.ini")
    lost=$(sed -n 's/^t0\.classic\.lost=//p' "$dir/velmora/settings.ini")
    humans=$(sed -n 's/^statu=//p' "$dir/velmora/settings.ini")
    if [ $((${won:-0} + ${lost:-0})) -ne $((copies * games)) ] || [ "${won:-0}" -ne "${humans:-0}" ]; then
        echo "FAIL: $copies copies of $games games each recorded ${won:-0} won, ${lost:-0} lost (score: ${humans:-0} won)"
        fail=1
    else
        echo "$copies copies: ${won:-0} won and ${lost:-0} lost recorded"
    fi
    rm -rf "$dir"
done
exit $fail
