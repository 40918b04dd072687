#!/bin/bash
# The program's answers before any window: --version and --help (or -v and
# -h) as the only argument, one clear line with status 1 when no display can
# be had, and before it a warning for each unknown long option and for a
# VELMORA_DPI the program cannot use.
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

# all_lines FILE PATTERNS: FILE has one line for each line of PATTERNS, in
# that order, each the whole of its pattern.
all_lines() {
    local want=() i
    [ -z "$2" ] || mapfile -t want <<<"$2"
    [ "$(wc -l <"$1")" = "${#want[@]}" ] || return 1
    for i in "${!want[@]}"; do
        sed -n "$((i + 1))p" "$1" | grep -Eqx -- "${want[$i]}" || return 1
    done
}

# what | status | a line of stdout | every line of stderr | environment... -- arguments...
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
    all_lines "$err" "$stderr" || bad="$bad; stderr: $(cat "$err")"
    if [ -n "$bad" ]; then
        echo "FAIL: $what: $bad"
        failed=1
    fi
}

v=${version//./\\.}
usage="Usage: velmora \[-h \| --help \| -v \| --version\]"
nodisplay="velmora: cannot open a window: no display .*"
check "--version" 0 "Velmora $v" "" -- --version
check "-v" 0 "Velmora $v" "" -- -v
check "--help" 0 "$usage" "" -- --help
check "-h" 0 "$usage" "" -- -h
check "no display at all" 1 "" "$nodisplay" --
check "empty DISPLAY" 1 "" "$nodisplay" DISPLAY= --
check "a display nobody serves" 1 "" "velmora: cannot open a window: .*DISPLAY is :97.*" \
    DISPLAY=:97 --
check "--version among others goes to the game" 1 "" "velmora: cannot open a window: .*" \
    -- --version x
check "an unknown option is named, then the game goes on" 1 "" \
    "velmora: unknown option --foo \(ignored\)
$nodisplay" -- --foo
# The game's switch may sit anywhere; single-dash arguments are the game's.
check "only unknown long options are named; the game's switch is no warning" 1 "" \
    "velmora: unknown option --bar=1 \(ignored\)
$nodisplay" -- --q7K -xq7Kz --bar=1 --help -h
check "--q7K alone goes to the game" 1 "" "$nodisplay" -- --q7K
dpi="is not a whole number from 24 to 960; ignored"
for value in abc 0 961 96abc " 96" "" +96 -96 99999999999999999999; do
    check "VELMORA_DPI='$value'" 1 "" "velmora: VELMORA_DPI=${value//+/\\+} $dpi
$nodisplay" VELMORA_DPI="$value" --
done
check "a good VELMORA_DPI says nothing" 1 "" "$nodisplay" VELMORA_DPI=144 --
[ "$failed" = 0 ] && echo PASS
exit "$failed"
