#!/bin/sh
# A malformed line stops the run with status 2 and a message naming the
# line; nothing is written after it.
set -u
replay=$1
fail=0
check() {  # script, expected status, expected words on stderr
    out=$(printf '%b' "$1" | "$replay" 2>/tmp/velmora-replay-err.$$)
    status=$?
    err=$(cat /tmp/velmora-replay-err.$$)
    rm -f /tmp/velmora-replay-err.$$
    if [ "$status" -ne "$2" ]; then
        echo "FAIL: '$1' exited $status, not $2"; fail=1
    fi
    case "$err" in *"$3"*) ;; *) echo "FAIL: '$1' said '$err', not '$3'"; fail=1 ;; esac
    echo "$out" | grep -q . && [ "$4" = quiet ] && { echo "FAIL: '$1' wrote '$out'"; fail=1; }
    return 0
}
check 'bogus\n' 2 'line 1' quiet
check '# fine\n\ntap 1\ndump\n' 2 'line 3' quiet
check 'card 9 9\ndump\n' 2 'line 1: the card is not in the hand' quiet
check 'answer maybe\n' 2 'line 1' quiet
check 'key alt+f4\ndump\n' 0 '' quiet
check 'screenshot\n' 2 'line 1: expected a file' quiet
check 'menu\n' 2 'line 1: expected a menu' quiet
check 'menu file\n' 2 'line 1: no such menu' quiet
check 'dump\nmenu game bogus\ndump\n' 2 'line 2: no such item' ''
check 'menu game new now\n' 2 'line 1: expected a menu and at most one item' quiet
check 'menu game\nmenu game new\nmenu help about now\n' 2 'line 3' quiet
check 'control 1011 check\n' 2 'line 1: no dialog is open' quiet
check 'dialog ok\n' 2 'line 1: no dialog is open' quiet
check 'control\n' 2 'line 1: expected a control and what to do' quiet
check 'menu game options\ndialog maybe\n' 2 'line 2: expected ok or cancel' quiet
check 'menu game options\ncontrol 9999 click\n' 2 'line 2: no such control' quiet
check 'menu game options\ncontrol 1011 toggle\n' 2 'line 2: unknown control verb' quiet
check 'menu game options\ncontrol 1011 check now\n' 2 'line 2: expected nothing after' quiet
check 'menu game options\ncontrol 1015 check\n' 2 'line 2: the control is not a check box' quiet
check 'menu game options\ncontrol 1011 select 1\n' 2 'line 2: the control is not a list' quiet
check 'menu game options\ncontrol 1003 select -1\n' 2 'line 2: expected one item number' quiet
check 'menu game options\ncontrol 1003 select 40\n' 2 'line 2: no such item shown' quiet
# The combo's list opens first; the item is missed on the turn after.
check 'menu game options\ndump\ncontrol 1015 select 40\ndump\n' 2 'line 3: no such item shown' ''
check 'menu game statistics\ncontrol 1012 select 0\n' 2 'line 2: the control is not a list' quiet
check 'menu game statistics\ndialog cancel\ndialog cancel\n' 2 'line 3: no dialog is open' quiet
check 'menu game statistics\ndialog ok\ndump\n' 0 '' ''
check 'table now\n' 2 'line 1: table takes nothing' quiet
check 'button\n' 2 'line 1: expected lower or upper' quiet
check 'button left\n' 2 'line 1: expected lower or upper' quiet
check 'button lower twice\n' 2 'line 1: expected lower or upper' quiet
# Numbers are plain decimal from 0 to 65535, never wrapped or cut short.
check 'tap 4294967296 5\n' 2 'line 1: 4294967296 is not a number from 0 to 65535' quiet
check 'dump\ntap -1 5\n' 2 'line 2: -1 is not a number from 0 to 65535' ''
check 'down 5 65536\n' 2 'line 1: 65536 is not a number' quiet
check 'up 5 5\ndbltap +5 5\n' 2 'line 2: +5 is not a number' quiet
check 'tap 65535 65535\ndump\n' 0 '' ''
check 'command -1\n' 2 'line 1: -1 is not a number' quiet
check 'command 65536\n' 2 'line 1: 65536 is not a number' quiet
# A line holds at most 4096 bytes and no NUL, not even a comment.
pad=$(printf '%4092s' '')
check "dump$pad\\n" 0 '' ''
check "dump$pad \\n" 2 'line 1: the line is longer than 4096 bytes' quiet
check '# a\0b\ndump\n' 2 'line 1: the line holds a NUL byte' quiet

# A screenshot is the screen as a PNG: 240 x 320 at 96 dots per inch.
shot=$(mktemp -d "${TMPDIR:-/tmp}/velmora-shot-XXXXXX")
printf 'screenshot %s/table.png\n' "$shot" | "$replay" --dpi 96 || fail=1
header=$(od -An -tx1 -N24 "$shot/table.png" | tr -d ' \n')
case "$header" in
    89504e470d0a1a0a0000000d49484452000000f000000140) ;;
    *) echo "FAIL: screenshot header $header"; fail=1 ;;
esac
rm -rf "$shot"
exit $fail
