# shellcheck shell=bash
# Shared by the window tests: a private Xvfb, the real program started in
# it with its own HOME and settings, and polling helpers that wait for an
# observable change instead of sleeping.
#
# A test sources this file with the program's path as $1 and then calls
# start_display. It exits 77 (skipped) only when Xvfb or xdotool is not
# installed; any other trouble is a failure.
#
# Positions are in window pixels, which at VELMORA_DPI=96 are the design
# units of the device's 240x320 screen. Positions and rectangles are kept
# as words that split into their numbers where used.
# shellcheck disable=SC2034,SC2086

set -u

VELMORA=${1:?usage: $0 PATH/TO/velmora}
case $VELMORA in /*) ;; *) VELMORA=$PWD/$VELMORA ;; esac
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
XWIN="$HERE/xwin.py"
APP_CLASS=io.github.velmora.Velmora
SECTION='[Software\ornit\vlmra]'

for tool in Xvfb xdotool xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (tools/install-deps test installs it)"
        exit 77
    fi
done
[ -x "$VELMORA" ] || {
    echo "FAIL: $VELMORA is not an executable program" >&2
    exit 1
}

# Matters only to a sanitized build: leaks of the system's libraries under
# SDL are not the program's.
export LSAN_OPTIONS="suppressions=$HERE/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/velmora-window-XXXXXX")
XVFB_PID=
GAME_PID=
WINDOW=
FAILED=0

cleanup() {
    [ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    if [ "$FAILED" = 0 ]; then
        rm -rf "$WORK"
    else
        echo "kept for a look: $WORK" >&2
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

fail() {
    echo "FAIL: $*" >&2
    FAILED=1
    if [ -n "$WINDOW" ] && "$PY" "$XWIN" save "$WINDOW" "$WORK/failure.png" 2>/dev/null; then
        echo "the window at the failure: $WORK/failure.png" >&2
    fi
    [ -s "$WORK/game.err" ] && sed 's/^/program: /' "$WORK/game.err" >&2
    exit 1
}

note() { echo "-- $*"; }

now() { echo "${EPOCHREALTIME/,/.}"; }

# wait_until SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds;
# false once SECONDS have gone by without success.
wait_until() {
    local limit=$1
    shift
    local deadline
    deadline=$(awk -v n="$(now)" -v s="$limit" 'BEGIN { printf "%.6f", n + s }')
    while :; do
        "$@" && return 0
        awk -v n="$(now)" -v d="$deadline" 'BEGIN { exit !(n > d) }' && return 1
        sleep 0.05
    done
}

# A display number of our own: the first free one from 90 up. Xvfb writes
# the number to -displayfd once it accepts clients; a server that dies
# first lost a race for its number, and the next one is tried.
start_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        : >"$WORK/displayfd"
        # -noreset: a server left without clients between two games would
        # otherwise reset under the next one's connection.
        Xvfb ":$n" -screen 0 "${SCREEN_SIZE:-1280x1024}x24" -nolisten tcp -noreset -displayfd 3 \
            3>"$WORK/displayfd" >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        if wait_until 10 xvfb_ready; then
            export DISPLAY=":$n"
            return 0
        fi
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    done
    sed 's/^/Xvfb: /' "$WORK/xvfb.log" >&2
    fail "no Xvfb server could be started on displays :90 to :140"
}

# Skips the test (status 77) where jwm is missing; the tests that need a
# window manager (resizing, full screen) call it first.
need_jwm() {
    command -v jwm >/dev/null 2>&1 && return 0
    echo "SKIP: jwm is not installed (tools/install-deps test installs it)"
    exit 77
}

# jwm on the display, with $GAME_HOME/.jwmrc when there is one, gone with
# the test.
start_jwm() {
    HOME="$GAME_HOME" jwm >"$WORK/jwm.log" 2>&1 &
    WM_PID=$!
    trap 'kill "$WM_PID" 2>/dev/null; cleanup' EXIT
}

xvfb_ready() {
    kill -0 "$XVFB_PID" 2>/dev/null || return 2
    [ -s "$WORK/displayfd" ]
}

# A fresh HOME and XDG_CONFIG_HOME; the settings file starts with the
# name=value lines given, or does not exist when none are.
fresh_home() {
    GAME_HOME=$(mktemp -d "$WORK/home-XXXXXX")
    mkdir -p "$GAME_HOME/config"
    mkdir -m 700 "$GAME_HOME/run"
    SETTINGS="$GAME_HOME/config/velmora/settings.ini"
    if [ $# -gt 0 ]; then
        mkdir -p "$GAME_HOME/config/velmora"
        {
            printf '%s\n' "$SECTION"
            printf '%s\n' "$@"
        } >"$SETTINGS"
    fi
}

# setting NAME: the stored value, empty when there is none.
setting() {
    [ -f "$SETTINGS" ] || return 0
    # Through the environment: awk -v would take the backslashes as escapes.
    SECTION="$SECTION" NAME="$1" awk '
        /^\[/ { inside = ($0 == ENVIRON["SECTION"]); next }
        inside && index($0, "=") {
            split($0, kv, "=")
            if (kv[1] == ENVIRON["NAME"]) { print kv[2]; exit }
        }
    ' "$SETTINGS"
}

setting_is() { [ "$(setting "$1")" = "$2" ]; }

# start_game [NAME=VALUE...]: starts the program in the current HOME, with
# those variables set too, and waits for its window to show a whole frame.
# The density is pinned at 96 unless UNPINNED is set. Each start has a
# state folder of its own, so deals afresh, unless GAME_STATE names one.
# SIGINT and SIGTERM reach it with their default handling, as from a
# terminal, whatever this shell ignores.
start_game() {
    [ -z "$GAME_PID" ] || fail "a game is still running"
    local pin=(VELMORA_DPI=96) state=${GAME_STATE:-}
    [ -n "${UNPINNED:-}" ] && pin=()
    [ -n "$state" ] || state=$(mktemp -d "$WORK/state-XXXXXX")
    env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u VELMORA_DPI --default-signal=INT,TERM \
        HOME="$GAME_HOME" XDG_CONFIG_HOME="$GAME_HOME/config" XDG_RUNTIME_DIR="$GAME_HOME/run" \
        XDG_STATE_HOME="$state" "${pin[@]}" "$@" \
        "$VELMORA" >"$WORK/game.out" 2>"$WORK/game.err" &
    GAME_PID=$!
    wait_until 10 find_window || fail "no visible window of class $APP_CLASS within 10 s"
    WINDOW=$(cat "$WORK/window")
    wait_until 10 frame_shown || fail "the window showed no frame within 10 s"
    wait_stable
}

# xdotool's own --sync looks only every half second.
find_window() {
    game_ended && fail "the program ended before it showed a window"
    xdotool search --onlyvisible --class "$APP_CLASS" >"$WORK/window" 2>/dev/null || return 1
    [ "$(wc -l <"$WORK/window")" = 1 ] || fail "more than one window of class $APP_CLASS"
}

# The menu bar is painted last of a frame: its light top edge and the
# bar's own colours, never the black of an unpainted window.
# FRAME_PIXEL moves the place for a density other than 96.
frame_shown() { pixel_is ${FRAME_PIXEL:-5 294} 80848a; }

# pixel_is X Y RRGGBB: the window's pixel at X Y has that colour.
pixel_is() { [ "$(uniform_colour "$1" "$2" $(($1 + 1)) $(($2 + 1)))" = "$3" ]; }

# game_ended: the program has exited (a zombie counts: only wait reaps it).
game_ended() {
    local state
    state=$(awk '{ print $3 }' "/proc/$GAME_PID/stat" 2>/dev/null) || return 0
    [ -z "$state" ] || [ "$state" = Z ]
}

# wait_exit SECONDS: waits for the program to end and sets GAME_STATUS;
# fails when it is still running then.
wait_exit() {
    wait_until "$1" game_ended || fail "the program was still running $1 s later"
    wait "$GAME_PID"
    GAME_STATUS=$?
    GAME_PID=
    WINDOW=
}

# Ends a game that is no longer needed, with Alt+F4 (the Exit command).
quit_game() {
    key alt+F4
    wait_exit 10
    [ "$GAME_STATUS" = 0 ] || fail "the program exited with status $GAME_STATUS after Alt+F4"
}

# The title the window manager shows (_NET_WM_NAME), and whether it is the
# game type given followed by the program's name.
title() { xprop -id "$WINDOW" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME([A-Z0-9_]*) = "\(.*\)"$/\1/p'; }
title_is() { [ "$(title)" = "$1 — Velmora" ]; }

# changes WHAT X0 Y0 X1 Y1 COMMAND...: runs COMMAND, then waits until the
# rectangle looks different; fails with WHAT when it does not.
changes() {
    local what=$1 rect="$2 $3 $4 $5" before
    shift 5
    before=$(digest $rect)
    "$@"
    wait_changed 5 "$before" $rect || fail "$what"
}

# pick_game_type ROW: on the Options page, the drop-down list of game
# types opened and its row ROW tapped.
pick_game_type() {
    changes "a tap on the game type opened no list" $R_COMBO_LIST tap $OPTIONS_GAME_TYPE
    changes "row $1 of the list did not become the game type" $R_COMBO \
        tap 60 $((OPTIONS_GAME_TYPE_ROW0 + 14 * $1))
    wait_stable
}

# open_options: Game > Options, waited for until the page's own bar shows;
# $bar keeps the main bar's look, to see the page gone.
open_options() {
    bar=$(digest $R_BAR)
    changes "Game > Options opened no page with its own bar" $R_BAR game_menu $MENU_OPTIONS
    wait_stable
}

# tap X Y: a press and release of the left button at a window position.
tap() {
    xdotool mousemove --window "$WINDOW" "$1" "$2" click 1 || fail "xdotool could not tap $1,$2"
}

# key KEYS: keys typed into the focused window, as from the keyboard.
key() {
    if ! xdotool windowfocus --sync "$WINDOW" || ! xdotool key "$1"; then
        fail "xdotool could not type $1"
    fi
}

# game_menu X Y / help_menu X Y: opens the menu from the bar, waits until
# it shows, then taps the item at X Y.
game_menu_open() { changes "a tap on Game opened no menu" $R_GAME_MENU tap $BAR_GAME; }
game_menu() {
    game_menu_open
    tap "$@"
}
help_menu() {
    changes "a tap on Help opened no menu" $R_HELP_MENU tap $BAR_HELP
    tap "$@"
}

# Each waits until what it opens has been painted whole.
statistics_open() {
    changes "Game > Statistics opened no dialog" $R_STATISTICS game_menu $MENU_STATISTICS
    wait_stable
}
about_open() {
    changes "Help > About opened no box" $R_ABOUT help_menu $MENU_ABOUT
    wait_stable
}
new_deal() {
    changes "Alt+N dealt no new game" $R_TOP_CARDS key alt+n
    wait_stable
}

# digest X0 Y0 X1 Y1: a hash of the pixels of a window rectangle.
digest() { "$PY" "$XWIN" digest "$WINDOW" "$@"; }

# same DIGEST X0 Y0 X1 Y1: the rectangle still hashes to DIGEST.
same() {
    local before=$1
    shift
    [ "$(digest "$@")" = "$before" ]
}

# wait_changed SECONDS DIGEST X0 Y0 X1 Y1 / wait_same ...: polls until the
# rectangle no longer hashes, or hashes again, to DIGEST; false when that
# does not happen within SECONDS.
wait_changed() { "$PY" "$XWIN" wait "$WINDOW" changed "$2" "$3" "$4" "$5" "$6" "$1"; }
wait_same() { "$PY" "$XWIN" wait "$WINDOW" same "$2" "$3" "$4" "$5" "$6" "$1"; }

# uniform X0 Y0 X1 Y1: every pixel of the rectangle has one colour;
# uniform_colour prints it.
uniform() { "$PY" "$XWIN" uniform "$WINDOW" "$@" >/dev/null; }
uniform_colour() { "$PY" "$XWIN" uniform "$WINDOW" "$@" 2>/dev/null; }

# Waits until two looks at the whole window 100 ms apart agree: whatever
# the last input started has been painted.
wait_stable() {
    "$PY" "$XWIN" stable "$WINDOW" 10 || fail "the window kept changing for 10 s"
}

# ---- Where things are, in design units (see ui/scale.h, res/resources.cpp
# and the layer's menu bar and dialogs). ---------------------------------
BAR_GAME="28 307"
BAR_HELP="84 307"
BAR_OK="20 307"                # the Options page's own bar
MENU_NEW="40 213"              # the Game menu opens upwards from the bar
MENU_STATISTICS="40 235"
MENU_OPTIONS="40 257"
MENU_EXIT="40 279"
MENU_RULES="90 257"
MENU_ABOUT="90 279"
OPTIONS_CARDS_LEFT="10 28"     # the first check box
OPTIONS_GAME_TYPE="100 89"     # the drop-down box of game types
OPTIONS_GAME_TYPE_ROW0=108     # the middle of its list's first row; rows are 14 apart
ABOUT_OK="120 214"
STATISTICS_CLEAR="54 170"
FIRST_HAND_CARD="14 136"
TABLE_SPOT="100 95"
BOUT_BUTTON="220 186"          # take, or done with the bout
# Rectangles: left top right bottom, right and bottom excluded.
R_WHOLE="0 0 240 320"
R_BAR="0 294 240 320"
R_GAME_MENU="0 198 96 294"
R_HELP_MENU="58 242 154 294"
R_BELOW_STATUS="0 238 199 294" # table only, unless a menu covers it
R_TOP_CARDS="0 0 240 160"      # both hands, the stock and the trump
R_HAND="0 116 199 157"         # the first row of the human hand
R_TABLE="0 44 199 114"         # between the hands: both table piles
R_COMBO="5 79 215 101"
R_COMBO_LIST="5 101 215 186"
R_STATISTICS="22 123 218 196"  # the whole box, frame included
R_STATISTICS_COUNTS="90 155 180 185"
R_ABOUT="10 85 230 235"        # the whole box, frame included
