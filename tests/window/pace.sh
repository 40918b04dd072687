#!/bin/bash
# The pace in the real window: at the slow pace the player's cover stays in
# view 0.3 s and the beaten table 1.2 s before it is cleared; a click during
# the pauses cuts them short, and the move still ends as before.
# Usage: pace.sh PATH/TO/velmora
# shellcheck disable=SC2086 # rectangles split into their numbers
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
start_display
fresh_home "type=0"
printf '%s\npace=3\n' '[Software\ornit\vlmra\Window]' >>"$SETTINGS"

# At this clock the computer leads the nine of diamonds and the player's
# fourth card, the eight of hearts, is a trump that covers it; the computer
# has nothing to throw in, so the bout is beaten and the table cleared.
cover_and_time() {
    start_game VELMORA_CLOCK=12:00:00.000
    uniform $R_TABLE && fail "the computer led no card"
    for _ in 1 2 3 4; do key Right; done
    local start
    start=$(now)
    key Return
    [ "${1:-}" = cut ] && tap 100 250  # on the status line: it only clears it
    wait_until 5 uniform $R_TABLE || fail "the beaten table was never cleared"
    ELAPSED=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }')
    quit_game
}

note "the slow pace: the cover and the beaten table stay in view"
cover_and_time
note "cleared after $ELAPSED s"
awk -v e="$ELAPSED" 'BEGIN { exit !(e >= 1.5) }' || fail "cleared after $ELAPSED s, before the 1.5 s of pauses"

note "a click during the pauses cuts them short"
cover_and_time cut
note "cleared after $ELAPSED s"
awk -v e="$ELAPSED" 'BEGIN { exit !(e < 1.4) }' || fail "cleared after $ELAPSED s though a click cut the pauses"
echo "PASS"
