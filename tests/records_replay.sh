#!/bin/sh
# The Records section as the replay driver leaves it: every whole game of
# the golden replays, played twice on one store, counts under its own type
# as the score does, with its streak; New and a change of type in Options abandon the game in
# play, under the type being left; a cancelled Options abandons nothing.
# A game against the Expert ("# opponent: expert") counts under its name.
# Usage: records_replay.sh VELMORA_REPLAY REPLAYS_DIR
set -u
absolute() { case $1 in /*) printf '%s\n' "$1" ;; *) printf '%s\n' "$PWD/$1" ;; esac; }
replay=$(absolute "$1")
replays=$(absolute "$2")
fail=0
dir=$(mktemp -d "${TMPDIR:-/tmp}/velmora-records-XXXXXX")
trap 'rm -rf "$dir"' EXIT

# A fresh store with the script's "# config:" lines, then the script played
# N times on it.
play() {
    script=$1
    times=$2
    rm -rf "$dir/config"
    mkdir -p "$dir/config/velmora"
    {
        printf '%s\n' '[Software\ornit\vlmra]'
        sed -n 's/^# config: //p' "$script"
    } >"$dir/config/velmora/settings.ini"
    clock=$(sed -n 's/^# clock: //p' "$script" | head -n 1)
    opponent=classic
    grep -qx '# opponent: expert' "$script" && opponent=expert
    n=0
    while [ "$n" -lt "$times" ]; do
        n=$((n + 1))
        (cd "$dir" && "$replay" --config "$dir/config" --clock "${clock:-12:00:00.000}" \
            --opponent "$opponent" "$script" >/dev/null) ||
            { echo "FAIL: $script did not run"; fail=1; }
    done
}

# A stored value of the Records section (RECORDS=1) or of the score's, or
# "-" when there is none.
value() {
    awk -v want="$1" -v records="${RECORDS:-0}" '
        /^\[/ { section = ($0 == (records ? "[Software\\ornit\\vlmra\\Records]" : "[Software\\ornit\\vlmra]")) }
        section && index($0, want "=") == 1 { v = substr($0, length(want) + 2); found = 1 }
        END { print found ? v : "-" }' "$dir/config/velmora/settings.ini"
}
record() { RECORDS=1 value "$1"; }

expect() {
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1: $2, expected $3"
        fail=1
    fi
}

games=0
for script in "$replays"/*.replay; do
    name=$(basename "$script" .replay)
    play "$script" 2
    # Wins on top of the score the script starts from.
    c=$(($(value statc | tr -d -) + 0 - $(sed -n 's/^# config: statc=//p' "$script")0 / 10))
    u=$(($(value statu | tr -d -) + 0 - $(sed -n 's/^# config: statu=//p' "$script")0 / 10))
    # No game played to its end, or a score cleared on the way.
    [ "$c" -lt 0 ] || [ "$u" -lt 0 ] || [ $((c + u)) -eq 0 ] && continue
    games=$((games + 1))
    type=$(sed -n 's/^# config: type=//p' "$script")
    t="t${type:-0}.$opponent"
    won=$(record "$t.won" | tr -d -)
    lost=$(record "$t.lost" | tr -d -)
    streak=$(record "$t.streak" | tr -d -)
    best=$(record "$t.best" | tr -d -)
    expect "$name won" "${won:-0}" "$u"
    expect "$name lost" "${lost:-0}" "$c"
    expect "$name abandoned" "$(record "$t.abandoned")" -
    # A losing streak is stored as an int32's bits.
    [ "${streak:-0}" -ge 2147483648 ] && streak=$((streak - 4294967296))
    if [ "$c" -eq 0 ]; then
        expect "$name streak" "$streak" "$u"
        expect "$name best" "$best" "$u"
    elif [ "$u" -eq 0 ]; then
        expect "$name streak" "$streak" "-$c"
        expect "$name best" "${best:-0}" 0
    elif [ "$streak" -eq 0 ] || [ "$streak" -gt "${best:-0}" ] || [ "${best:-0}" -gt "$u" ]; then
        echo "FAIL: $name: streak $streak, best $best after $u won and $c lost"
        fail=1
    fi
    # Nothing stored for any other type.
    expect "$name values stored" "$(grep -c "^t[0-9]" "$dir/config/velmora/settings.ini")" \
        $(((u > 0 ? 3 : 2) + (c > 0 && u > 0 ? 1 : 0)))
done
[ "$games" -ge 10 ] || { echo "FAIL: only $games replays play a whole game"; fail=1; }
echo "$games whole games, each twice"

# The computer has led the first deal of type 0: a card is down.
play "$replays/menu-new-game.replay" 1
expect "New: abandoned" "$(record t0.classic.abandoned)" 1
expect "New: no streak" "$(record t0.classic.streak)" -
play "$replays/options.replay" 1
expect "Options to type 3: the type left" "$(record t0.classic.abandoned)" 1
expect "Options to type 3: the new type" "$(record t3.classic.abandoned)" -
play "$replays/options-cancel.replay" 1
expect "Options cancelled" "$(grep -c Records "$dir/config/velmora/settings.ini")" 0
exit $fail
