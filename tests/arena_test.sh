#!/bin/sh
# The arena on the real program.
#   smoke GAMES LEAST: the Expert in the computer's seat wins at least LEAST
#     of GAMES against random play, every game played out.
#   jobs: the same games whatever the jobs, each dealt from the seed and its
#     number alone.
#   classic: the rules' computer played in the human's seat by the engine
#     beats random play as it does from its own seat, every game played out.
set -u
arena=$1
mode=$2
last() { tail -n 1 "$1"; }
field() { sed -n "s/.*\"$2\": \([0-9]*\).*/\1/p" "$1"; }
out=$(mktemp)
trap 'rm -f "$out" "$out.1" "$out.3"' EXIT
case $mode in
smoke)
    games=$3
    least=$4
    "$arena" --human random --computer expert --games "$games" -j 2 --seed 7 >"$out" || {
        echo "FAIL: the arena failed"; cat "$out"; exit 1; }
    cat "$out"
    if [ "$(field "$out" games)" != "$games" ]; then
        echo "FAIL: not $games games: $(last "$out")"; exit 1
    fi
    wins=$(field "$out" computerWins)
    if [ "$wins" -lt "$least" ]; then
        echo "FAIL: the Expert won $wins of $games, fewer than $least"; exit 1
    fi
    ;;
jobs)
    for j in 1 3; do
        "$arena" --human expert --computer random --games 24 -j "$j" --seed 3 >"$out.$j" || {
            echo "FAIL: the arena failed at -j $j"; cat "$out.$j"; exit 1; }
        # The decision times differ from run to run.
        grep -v 'decision' "$out.$j" >"$out"; mv "$out" "$out.$j"
    done
    if ! cmp -s "$out.1" "$out.3"; then
        echo "FAIL: the games differ with the jobs"; diff "$out.1" "$out.3"; exit 1
    fi
    cat "$out.1"
    ;;
classic)
    "$arena" --human classic --computer random --games 60 --seed 7 >"$out" || {
        echo "FAIL: the arena failed"; cat "$out"; exit 1; }
    cat "$out"
    if [ "$(field "$out" games)" != 60 ] || [ "$(field "$out" humanWins)" -lt 54 ]; then
        echo "FAIL: Classic in the human's seat: $(last "$out")"; exit 1
    fi
    ;;
*)
    echo "usage: $0 ARENA smoke GAMES LEAST | jobs | classic"; exit 2
    ;;
esac
