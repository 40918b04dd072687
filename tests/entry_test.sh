#!/bin/bash
# The program's answers before any window: --version and --help as the only
# argument, and one clear line with status 1 when no display can be had.
# Usage: entry_test.sh PATH/TO/velmora VERSION
set -u
velmora=$1
version=$2
failed=0
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
# A sanitized build: libdbus's own leak under SDL is not the program's.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/window/lsan.supp:print_suppressions=0"

# matches FILE PATTERN: FILE is empty for an empty PATTERN, else one of its
# lines is the whole of PATTERN.
matches() {
    if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -Eqx -- "$2" "$1"; fi
}

# what | status | a line of stdout | the line of stderr | environment... -- arguments...
check() {
    local what=$1 status=$2 stdout=$3 stderr=$4
    shift 4
    local env=()
    while [ "$1" != -- ]; do
        env+=("$1")
        shift
    done
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "${env[@]}" HOME="$(mktemp -d)" \
        timeout 20 "$velmora" "$@" >"$out" 2>"$err"
    local got=$?
    local bad=""
    [ "$got" = "$status" ] || bad="status $got, not $status"
    matches "$out" "$stdout" || bad="$bad; stdout: $(cat "$out")"
    [ "$(wc -l <"$err")" -le 1 ] || bad="$bad; more than one line on stderr"
    matches "$err" "$stderr" || bad="$bad; stderr: $(cat "$err")"
    if [ -n "$bad" ]; then
        echo "FAIL: $what: $bad"
        failed=1
    fi
}

v=${version//./\\.}
check "--version" 0 "Velmora $v" "" -- --version
check "--help" 0 "Usage: velmora \[--help \| --version\]" "" -- --help
check "no display at all" 1 "" "velmora: cannot open a window: no display .*" --
check "empty DISPLAY" 1 "" "velmora: cannot open a window: no display .*" DISPLAY= --
check "a display nobody serves" 1 "" "velmora: cannot open a window: .*DISPLAY is :97.*" \
    DISPLAY=:97 --
check "--version among others goes to the game" 1 "" "velmora: cannot open a window: .*" \
    -- --version x
[ "$failed" = 0 ] && echo PASS
exit "$failed"
