#!/bin/sh
# tools/check-names passes the tree as it is, and on a planted file reports
# exactly the lines that write an id, a value name or a game type out, and
# none of the numbers that are no id.
# Usage: check_names_test.sh SOURCE_DIR
set -u
src=$1
fail=0
"$src/tools/check-names" "$src" || { echo "FAIL: the tree has unnamed ids"; fail=1; }

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/app" "$tree/res" "$tree/game"
cp "$src/res/ids.h" "$tree/res/"
cp "$src/game/types.h" "$tree/game/"
cat >"$tree/app/plant.cpp" <<'EOF'
void Plant(HWND hwnd, UINT msg, WPARAM wParam) {
    ShowStatus(LoadText(301));
    SaveSetting(1, L"type");
    if (gameType >= 4) return;
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != 0) return;
            break;
        case WM_COMMAND:
            if (LOWORD(wParam) == 40012) return;
            switch (LOWORD(wParam)) {
                case 40002:
                    return;
            }
    }
    int mode = transferType % 2;
    bar.nToolBarId = 102;
    background = LoadSetting(L"blackbg");
    PostMessageW(hwnd, WM_COMMAND, 40014, 0);
    if (s.gameType != JapaneseTransfer || gameType == chosen) return;
    // LoadText(302) in a comment is no call.
    RECT r{ScaleX(204), ScaleY(170), ScaleX(236), 202};
    SaveSetting(0, kValueHumanWins);
    ShowStatus(LoadText(IDS_TITLE), L"LoadText(303)");
}
EOF
out=$("$src/tools/check-names" "$tree" 2>/dev/null)
status=$?
[ "$status" -eq 1 ] || { echo "FAIL: exited $status on planted names, not 1"; fail=1; }
lines=$(echo "$out" | cut -d: -f1,2 | tr '\n' ' ')
expected="app/plant.cpp:2 app/plant.cpp:3 app/plant.cpp:4 app/plant.cpp:10 app/plant.cpp:12 \
app/plant.cpp:16 app/plant.cpp:17 app/plant.cpp:18 app/plant.cpp:19 app/plant.cpp:20 "
[ "$lines" = "$expected" ] || { echo "FAIL: reported '$lines', not '$expected'"; fail=1; }
exit $fail
