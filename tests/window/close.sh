#!/bin/bash
# Every way the program is told to end, each in a fresh run: Game > Exit,
# Alt+F4, the window manager's close request, SIGTERM and SIGINT, from the
# table or with the Game menu open ("table"), and the last three while a
# dialog or a message box is open, "I win!" among them ("dialog"). Each
# must end the program with status 0 and its window gone; a dialog open at
# the time stores nothing of what was changed in it.
# Usage: close.sh PATH/TO/velmora table|dialog
# shellcheck disable=SC2086 # positions split into their numbers
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
group=${2:-}
case $group in
    table | dialog) ;;
    *) fail "usage: close.sh PATH/TO/velmora table|dialog" ;;
esac
start_display

PRESET="type=3 cidc=1 statc=7 statu=2"

# ended_cleanly HOW: status 0, no window left, the settings file as preset
# and no temporary file of a write beside it (the writers' lock file stays).
ended_cleanly() {
    wait_exit 10
    [ "$GAME_STATUS" = 0 ] || fail "$1: the program exited with status $GAME_STATUS"
    if xdotool search --onlyvisible --class "$APP_CLASS" >/dev/null 2>&1; then
        fail "$1: a window of the program is still shown"
    fi
    cmp -s "$WORK/preset.ini" "$SETTINGS" || fail "$1: the settings file changed"
    local left
    left=$(find "$(dirname "$SETTINGS")" -mindepth 1 ! -name settings.ini ! -name settings.ini.lock)
    [ -z "$left" ] || fail "$1: left beside the settings: $left"
}

fresh_game() {
    fresh_home $PRESET
    cp "$SETTINGS" "$WORK/preset.ini"
    start_game
    title_is "Bulk. Transfer" || fail "a start with type=3 stored is titled '$(title)'"
}

# Options with a new game type and a check box changed, not confirmed.
options_changed() {
    open_options
    pick_game_type 0
    changes "a tap on a check box of Options changed nothing" $R_WHOLE tap $OPTIONS_CARDS_LEFT
    wait_stable
}

nothing_open() { :; }

# The computer's win and its "I win!" box: the player leads the first card
# of the hand to an empty table and otherwise presses the bout's button
# (take, or done), until the stored score counts one more win for the
# computer. That count is kept before the box shows, so it is the new
# "preset" that closing must not lose.
computer_won() {
    local won=$(($(setting statc) + 1)) moves=0
    until setting_is statc "$won"; do
        [ "$moves" -lt 300 ] || fail "the computer had not won after 300 moves"
        if uniform $R_TABLE; then
            tap $FIRST_HAND_CARD
            tap $TABLE_SPOT
        else
            tap $BOUT_BUTTON
        fi
        wait_stable
        moves=$((moves + 1))
    done
    setting_is statu 2 || fail "the player's wins changed to $(setting statu) while losing"
    cp "$SETTINGS" "$WORK/preset.ini"
}

# What is open, and how the end is asked for.
while read -r cases state how; do
    [ "$cases" = "$group" ] || continue
    note "$how with $state"
    fresh_game
    "$state"
    case $how in
        exit) game_menu $MENU_EXIT ;;
        alt+F4) key alt+F4 ;;
        close) "$PY" "$XWIN" close "$WINDOW" || fail "could not send WM_DELETE_WINDOW" ;;
        SIGTERM) kill -TERM "$GAME_PID" ;;
        SIGINT) kill -INT "$GAME_PID" ;;
    esac
    ended_cleanly "$how with $state"
done <<'CASES'
table nothing_open exit
table nothing_open alt+F4
table nothing_open close
table nothing_open SIGTERM
table nothing_open SIGINT
table game_menu_open close
table game_menu_open alt+F4
table game_menu_open SIGTERM
dialog options_changed close
dialog options_changed SIGTERM
dialog options_changed SIGINT
dialog statistics_open close
dialog about_open close
dialog about_open SIGINT
dialog computer_won close
dialog computer_won SIGTERM
CASES
echo "PASS"
