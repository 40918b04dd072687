#!/bin/sh
# The real program against limits of the system and of the player's
# choosing: a file size limit fails a save with one line and play goes on;
# a settings file made read-only is read, never written, and said so once.
set -u
case $1 in /*) replay=$1 ;; *) replay=$PWD/$1 ;; esac
fail=0
# Options: tick "cards left", OK; then a move, and the state.
script='menu game options
control 1011 check
dialog ok
menu game options
control 1008 check
dialog ok
card 3 7
dump
'
check() {  # what, a shell command run first, expected words on stderr, expected cidc in the dump
    dir=$(mktemp -d)
    mkdir "$dir/velmora"
    { printf '[Software\\ornit\\vlmra]\nback=2\n'; seq 1 400 | sed 's/^/# /'; } >"$dir/velmora/settings.ini"
    cp "$dir/velmora/settings.ini" "$dir/before"
    out=$(cd "$dir" && eval "$2" && printf '%s' "$script" |
        "$replay" --clock 12:00:00.000 --config "$dir" 2>"$dir/err")
    status=$?
    lines=$(wc -l <"$dir/err")
    if [ "$status" -ne 0 ] || [ "$lines" -ne 1 ] || ! grep -q "$3" "$dir/err"; then
        echo "FAIL: $1: status $status, stderr:"; cat "$dir/err"; fail=1
    fi
    case $out in *'"back":2'*'"humanHand"'*) ;; *'"humanHand"'*'"back":2'*) ;;
        *) echo "FAIL: $1: no dump after the refused saves, or the stored back was lost: $out"; fail=1 ;;
    esac
    cmp -s "$dir/before" "$dir/velmora/settings.ini" || { echo "FAIL: $1: the file changed"; fail=1; }
    ls -A "$dir/velmora" | grep -v '^settings.ini' && { echo "FAIL: $1: files left behind"; fail=1; }
    rm -rf "$dir"
}
check "ulimit -f 1" "ulimit -f 1" "File too large"
check "a read-only file" "chmod 0444 velmora/settings.ini" "read-only"
exit $fail
