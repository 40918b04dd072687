// The Statistics dialog: the two counts beside their labels, and Clear.
#include "app/statistics.h"

#include <cwchar>

#include "app/settings.h"
#include "game/state.h"
#include "res/ids.h"

namespace {

void ShowCounts(HWND dialog) {
    wchar_t text[256];
    std::swprintf(text, 256, L"%d\n%d", static_cast<int>(computerWins),
                  static_cast<int>(humanWins));
    SetDlgItemTextW(dialog, IDC_COUNTS, text);
}

}  // namespace

void CentreDialog(HWND dialog) {
    RECT box;
    if (!GetWindowRect(dialog, &box)) return;
    RECT client{};
    GetClientRect(GetParent(dialog), &client);
    int x = ((client.right - client.left) - (box.right - box.left)) / 2;
    int y = ((client.bottom - client.top) - (box.bottom - box.top)) / 2;
    SetWindowPos(dialog, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR StatisticsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            // Afresh: other running copies may have won games meanwhile.
            LoadStoredSetting(kValueComputerWins, &computerWins);
            LoadStoredSetting(kValueHumanWins, &humanWins);
            CentreDialog(dialog);
            ShowCounts(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:
                    EndDialog(dialog, LOWORD(wParam));
                    return TRUE;
                case IDC_CLEAR:
                    humanWins = 0;
                    computerWins = 0;
                    SaveSetting(0, kValueComputerWins);
                    SaveSetting(0, kValueHumanWins);
                    ShowCounts(dialog);
                    return FALSE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
