#!/bin/bash
# The Statistics and Options dialogs and the About box in the real window,
# worked with real clicks and keys: what they show (the same pixels as the
# replay driver's screenshots), what Escape, Enter, Clear and OK store, and
# the game type chosen in Options surviving a restart.
# Usage: dialogs.sh PATH/TO/velmora [PATH/TO/velmora-replay]
# shellcheck disable=SC2086 # positions split into their numbers
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
REPLAY=${2:-$(dirname "$VELMORA")/velmora-replay}
[ -x "$REPLAY" ] || fail "no replay driver at $REPLAY to compare the dialogs with"
start_display

fresh_home type=0 statc=3 statu=5
cp "$SETTINGS" "$WORK/preset.ini"

# The dialogs as the headless screen draws them from the same settings.
mkdir -p "$WORK/replay/velmora"
cp "$SETTINGS" "$WORK/replay/velmora/settings.ini"
(cd "$WORK" && "$REPLAY" --dpi 96 --config "$WORK/replay" >/dev/null) <<'SCRIPT' ||
menu game statistics
screenshot statistics.png
control 1012 click
screenshot statistics-cleared.png
dialog cancel
menu game options
screenshot options.png
dialog cancel
menu help about
screenshot about.png
answer ok
SCRIPT
    fail "the replay driver could not draw the dialogs"

start_game

# Opens Statistics or About; the window's look before is kept in $table to
# see it gone.
open_box() {
    wait_stable
    table=$(digest $R_WHOLE)
    "$1"
}

closed_statistics_with() {
    wait_same 5 "$table" $R_WHOLE ||
        fail "$1 did not close Statistics back to the table as it was"
}

# looks_as_replay NAME X0 Y0 X1 Y1: the rectangle is as in the replay
# driver's screenshot NAME.png.
looks_as_replay() {
    "$PY" "$XWIN" compare "$WINDOW" "$WORK/$1.png" "$2" "$3" "$4" "$5" >"$WORK/compare" ||
        fail "$1 does not look as in the replay driver ($(cat "$WORK/compare"))"
}

note "Statistics shows the stored score; Escape and Enter keep it"
open_box statistics_open
looks_as_replay statistics $R_STATISTICS
key Escape
closed_statistics_with Escape
cmp -s "$WORK/preset.ini" "$SETTINGS" || fail "Statistics and Escape changed the settings file"
open_box statistics_open
key Return
closed_statistics_with Enter
cmp -s "$WORK/preset.ini" "$SETTINGS" || fail "Statistics and Enter changed the settings file"

note "Clear zeroes the score, on screen and in the file at once"
open_box statistics_open
changes "Clear did not change the counts shown" $R_STATISTICS_COUNTS tap $STATISTICS_CLEAR
wait_until 5 setting_is statc 0 ||
    fail "after Clear the file says statc=$(setting statc), not 0"
setting_is statu 0 || fail "after Clear the file says statu=$(setting statu), not 0"
wait_stable
looks_as_replay statistics-cleared $R_STATISTICS
key Escape
closed_statistics_with "Escape after Clear"
{ setting_is statc 0 && setting_is statu 0; } || fail "closing Statistics brought the score back"

note "Help > About shows the About box; its OK closes it"
open_box about_open
looks_as_replay about $R_ABOUT
tap $ABOUT_OK
wait_same 5 "$table" $R_WHOLE || fail "the About box's OK did not close it"

note "Options: a game type picked and Escape stores nothing"
cp "$SETTINGS" "$WORK/before-options.ini"
cards=$(digest $R_TOP_CARDS)
open_options
looks_as_replay options $R_WHOLE
pick_game_type 4
key Escape
wait_same 5 "$bar" $R_BAR || fail "Escape did not close Options"
wait_stable
title_is "Thrown up" || fail "Options closed with Escape retitled the window '$(title)'"
same "$cards" $R_TOP_CARDS || fail "Options closed with Escape dealt a new game"
cmp -s "$WORK/before-options.ini" "$SETTINGS" || fail "Options closed with Escape changed the settings"

note "Options: Bulk and the bar's OK store type=2 and retitle the window"
open_options
pick_game_type 2
tap $BAR_OK
wait_until 5 title_is "Bulk" || fail "after OK the title is '$(title)', not 'Bulk'"
wait_until 5 setting_is type 2 || fail "after OK the file says type=$(setting type), not 2"
wait_same 5 "$bar" $R_BAR || fail "OK did not bring back the main menu bar"
wait_stable
same "$cards" $R_TOP_CARDS && fail "a new game type dealt no new game"
for name in hidev=4 cidc=0 wc=0 statc=0 statu=0; do
    setting_is "${name%=*}" "${name#*=}" ||
        fail "after OK the file says ${name%=*}=$(setting "${name%=*}"), not ${name#*=}"
done

note "the stored game type is the next start's"
quit_game
setting_is type 2 || fail "quitting changed the stored type to $(setting type)"
mkdir "$WORK/no-programs"
start_game PATH="$WORK/no-programs"
title_is "Bulk" || fail "a start with type=2 stored is titled '$(title)', not 'Bulk'"

note "Help > Rules with no opener to start: a line on stderr each time, no box"
nothing="velmora: cannot start xdg-open: No such file or directory"
wait_stable
table=$(digest $R_WHOLE)
for times in 1 2; do
    help_menu $MENU_RULES
    wait_until 5 [ "$(grep -c . "$WORK/game.err")" = "$times" ] ||
        fail "Rules said $(grep -c . "$WORK/game.err") lines on stderr, not $times"
    wait_same 5 "$table" $R_WHOLE || fail "Rules with no opener left something on screen"
done
[ "$(sort -u "$WORK/game.err")" = "$nothing" ] || fail "Rules said '$(cat "$WORK/game.err")'"
quit_game
echo "PASS"
