#!/bin/bash
# The kept game in the real window: killed with SIGKILL part way through a
# game, the program starts again on the very table the replay driver shows
# after the same taps; killed or sent SIGTERM while "I win!" is open, the
# win stays counted once and the next game is dealt; a second copy started
# beside a running one deals afresh and leaves the kept game alone.
# Usage: kept.sh PATH/TO/velmora PATH/TO/velmora-replay
# shellcheck disable=SC2086 # positions split into their numbers
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
REPLAY=${2:?usage: $0 PATH/TO/velmora PATH/TO/velmora-replay}
start_display

CLOCK=12:00:00.000
GAME_STATE=$WORK/state
KEPT=$GAME_STATE/velmora
# Both files the game is kept in, one after the other.
kept_files() { cat "$KEPT"/kept-game-a.txt "$KEPT"/kept-game-b.txt 2>/dev/null; }
mkdir -p "$GAME_STATE"
fresh_home "type=0"
# No pauses: each tap's move is over once the window is still.
printf '%s\npace=1\n' '[Software\ornit\vlmra\Window]' >>"$SETTINGS"
TAPS=$WORK/taps

# play X Y: a tap in the window, also written down for the replay.
play() {
    tap "$1" "$2"
    echo "tap $1 $2" >>"$TAPS"
    wait_stable
}

# replay_shot NAME LINES...: the replay driver's screen after the taps so
# far and then LINES, at the same clock and type, as $WORK/NAME.png.
replay_shot() {
    local name=$1
    shift
    {
        printf '# clock: %s\n# config: type=0\n' "$CLOCK"
        [ -n "$TAPS" ] && cat "$TAPS"
        printf '%s\n' "$@" "screenshot $WORK/$name.png"
    } >"$WORK/$name.replay"
    "$HERE/../run_replay.sh" "$REPLAY" "$WORK/$name.replay" >/dev/null ||
        fail "the replay driver made no screenshot of $name"
}

looks_as_replay() {
    "$PY" "$XWIN" compare "$WINDOW" "$WORK/$1.png" $R_WHOLE >"$WORK/compare" ||
        fail "$2 ($(cat "$WORK/compare"))"
}

killed() {
    kill -KILL "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null
    GAME_PID=
    WINDOW=
}

note "killed part way through a game: the same table after the start"
: >"$TAPS"
start_game VELMORA_CLOCK=$CLOCK
play $FIRST_HAND_CARD
play $TABLE_SPOT
play $BOUT_BUTTON
play 40 136 # the hand's second card, left selected
[ -s "$KEPT/kept-game-a.txt" ] || fail "nothing is kept in $KEPT while playing"
killed
start_game VELMORA_CLOCK=$CLOCK
[ -s "$WORK/game.err" ] && fail "the start after the kill complained"
replay_shot resumed
looks_as_replay resumed "the table after the kill is not the replay's after the same taps"

note "a second copy beside the running one: a fresh deal, the kept game untouched"
key alt+F4 # the first copy's table written whole, so the copy below can be compared
wait_exit 10
start_game VELMORA_CLOCK=$CLOCK
kept_files >"$WORK/kept-before"
first=$WINDOW
env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER HOME="$GAME_HOME" XDG_CONFIG_HOME="$GAME_HOME/config" \
    XDG_RUNTIME_DIR="$GAME_HOME/run" XDG_STATE_HOME="$GAME_STATE" VELMORA_DPI=96 \
    VELMORA_CLOCK=$CLOCK "$VELMORA" >"$WORK/second.out" 2>"$WORK/second.err" &
second_pid=$!
second_window() {
    xdotool search --onlyvisible --class "$APP_CLASS" 2>/dev/null |
        grep -vx "$first" >"$WORK/window"
}
wait_until 10 second_window || fail "the second copy showed no window"
WINDOW=$(cat "$WORK/window")
wait_until 10 frame_shown || fail "the second copy's window showed no frame"
wait_stable
TAPS='' replay_shot fresh
looks_as_replay fresh "the second copy does not show the fresh deal"
kill -TERM "$second_pid"
wait "$second_pid" || fail "the second copy exited with status $?"
[ -s "$WORK/second.err" ] && fail "the second copy complained: $(cat "$WORK/second.err")"
kept_files | cmp -s - "$WORK/kept-before" || fail "the second copy changed the kept game"
WINDOW=$first

# win_then_stop SIGNAL WINS: the player leads the hand's first card to an
# empty table and otherwise takes or ends the bout, until the computer has
# won WINS games; then, with "I win!" open, the program gets SIGNAL. Each of
# two starts after it still counts WINS and shows the deal that follows.
win_then_stop() {
    local moves=0 start
    until setting_is statc "$2"; do
        [ "$moves" -lt 300 ] || fail "the computer had not won after 300 moves"
        if uniform $R_TABLE; then
            play $FIRST_HAND_CARD
            play $TABLE_SPOT
        else
            play $BOUT_BUTTON
        fi
        moves=$((moves + 1))
    done
    kill -"$1" "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null
    GAME_PID=
    echo "answer ok" >>"$TAPS"
    for start in 1 2; do
        start_game VELMORA_CLOCK=$CLOCK
        setting_is statc "$2" ||
            fail "start $start after SIG$1: the computer's wins are $(setting statc), not $2"
        [ -z "$(setting statu)" ] || setting_is statu 0 ||
            fail "start $start after SIG$1: the player's wins are $(setting statu)"
        replay_shot next
        looks_as_replay next "start $start after SIG$1: not the deal that follows the win"
        [ "$start" = 2 ] || killed
    done
}

note "killed while 'I win!' is open: counted once, the next game dealt"
# The replay takes it from the same table: the taps before the kill, then Ctrl+N.
changes "Ctrl+N dealt no new game" $R_TOP_CARDS key ctrl+n
wait_stable
echo "key ctrl+n" >>"$TAPS"
win_then_stop KILL 1
note "ended by SIGTERM while 'I win!' is open: the same"
win_then_stop TERM 2
echo "PASS"
