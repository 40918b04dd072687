#!/bin/bash
# An installed program's Rules command (F1), with an opener of our own on
# PATH that writes down what it was asked to open.
# Usage: rules.sh PATH/TO/INSTALLED/velmora EXPECTED_ADDRESS
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
WANT=${2:?usage: $0 PATH/TO/velmora EXPECTED_ADDRESS}
start_display
fresh_home
mkdir "$WORK/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >"%s/opened.tmp" && mv "%s/opened.tmp" "%s/opened"\n' \
    "$WORK" "$WORK" "$WORK" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
start_game PATH="$WORK/bin:$PATH"
key F1
wait_until 5 test -f "$WORK/opened" || fail "F1 started no opener"
[ "$(cat "$WORK/opened")" = "$WANT" ] || fail "F1 opened '$(cat "$WORK/opened")', not '$WANT'"
quit_game
echo "PASS"
