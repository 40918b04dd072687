// The Options dialog: a full-screen page with its own menu bar ("OK").
// Nothing changes until OK; then every value is applied and saved.
#include "ui/options.h"

#include "app/settings.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/flow.h"
#include "game/pile.h"
#include "game/state.h"
#include "game/types.h"

namespace {

constexpr int kCardBackList = 1003;
constexpr int kBackgroundList = 1006;
constexpr int kDoubleTap = 1008;
constexpr int kCardsLeft = 1011;
constexpr int kHideCount = 1014;
constexpr int kGameTypes = 1015;

bool Checked(HWND dialog, int id) {
    return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND dialog, int id, bool on) {
    if (on) SendDlgItemMessageW(dialog, id, BM_SETCHECK, BST_CHECKED, 0);
}

void AddTexts(HWND dialog, int id, UINT first, UINT last) {
    for (UINT text = first; text <= last; ++text)
        SendDlgItemMessageW(dialog, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadText(text)));
}

void OnInit(HWND dialog) {
    SHINITDLGINFO init{SHIDIM_FLAGS, dialog,
                       SHIDIF_DONEBUTTON | SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN};
    SHInitDialog(&init);
    EnterFullScreen(dialog);
    SHMENUBARINFO bar{};
    bar.cbSize = 36;
    bar.hwndParent = dialog;
    bar.dwFlags = SHCMBF_HMENU | SHCMBF_HIDESIPBUTTON;
    bar.nToolBarId = 145;
    bar.hInstRes = instance;
    SHCreateMenuBar(&bar);

    for (uint32_t n = 0; n < gameTypeNames.count; ++n)
        SendDlgItemMessageW(dialog, kGameTypes, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(ClpaString(gameTypeNames, n)));
    SendDlgItemMessageW(dialog, kGameTypes, CB_SETCURSEL, static_cast<WPARAM>(gameType), 0);
    AddTexts(dialog, kCardBackList, 319, 323);
    AddTexts(dialog, kBackgroundList, 324, 328);
    Check(dialog, kCardsLeft, showCardsLeft == 1);
    Check(dialog, kDoubleTap, doubleTapPlay == 1);
    Check(dialog, kHideCount, computerHandLayout == 5);
}

void OnOk(HWND dialog) {
    auto chosen = static_cast<int32_t>(SendDlgItemMessageW(dialog, kGameTypes, CB_GETCURSEL, 0, 0));
    if (chosen != CB_ERR && chosen != gameType) {
        gameType = chosen;
        SendGameMessage(NEW_GAME);
        transferRule = TypeTraits(gameType).transfer ? 1 : 0;
        SetWindowTextW(mainWindow, GameTypeName(gameType));
    }
    SaveSetting(static_cast<uint32_t>(gameType), L"type");
    computerHandLayout = Checked(dialog, kHideCount) ? 5 : 4;
    SaveSetting(static_cast<uint32_t>(computerHandLayout), L"hidev");
    showCardsLeft = Checked(dialog, kCardsLeft) ? 1 : 0;
    SaveSetting(showCardsLeft, L"cidc");
    doubleTapPlay = Checked(dialog, kDoubleTap) ? 1 : 0;
    SaveSetting(doubleTapPlay, L"wc");
    LRESULT colour = SendDlgItemMessageW(dialog, kBackgroundList, LB_GETCURSEL, 0, 0);
    if (colour != LB_ERR) {
        background = static_cast<uint32_t>(colour);
        SaveSetting(background, L"blackbg");
    }
    LRESULT back = SendDlgItemMessageW(dialog, kCardBackList, LB_GETCURSEL, 0, 0);
    if (back != LB_ERR) {
        cardBack = static_cast<uint32_t>(back);
        SetBack(humanHand, static_cast<int32_t>(back));
        SetBack(computerHand, static_cast<int32_t>(back));
        stockCard.backIndex = static_cast<int32_t>(back);
        InvalidateCard(stockCard);
        SaveSetting(cardBack, L"back");
    }
    InvalidateRect(mainWindow, nullptr, FALSE);
    EndDialog(dialog, IDOK);
}

}  // namespace

INT_PTR OptionsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInit(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    OnOk(dialog);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
