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
#include "res/ids.h"

namespace {

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
    CreateBar(dialog, IDR_OPTIONS_MENU);

    for (uint32_t n = 0; n < gameTypeNames.count; ++n)
        SendDlgItemMessageW(dialog, IDC_GAME_TYPES, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(ClpaString(gameTypeNames, n)));
    SendDlgItemMessageW(dialog, IDC_GAME_TYPES, CB_SETCURSEL, static_cast<WPARAM>(gameType), 0);
    AddTexts(dialog, IDC_CARD_BACKS, IDS_BACK_PLAITING, IDS_BACK_PATTERN);
    AddTexts(dialog, IDC_BACKGROUNDS, IDS_COLOUR_GREEN, IDS_COLOUR_GRAY);
    Check(dialog, IDC_CARDS_LEFT, showCardsLeft == 1);
    Check(dialog, IDC_DOUBLE_TAP, doubleTapPlay == 1);
    Check(dialog, IDC_HIDE_COUNT, computerHandLayout == 5);
}

void OnOk(HWND dialog) {
    auto chosen =
        static_cast<int32_t>(SendDlgItemMessageW(dialog, IDC_GAME_TYPES, CB_GETCURSEL, 0, 0));
    if (chosen != CB_ERR && chosen != gameType) {
        gameType = chosen;
        SendGameMessage(NEW_GAME);
        transferRule = TypeTraits(gameType).transfer ? 1 : 0;
        SetWindowTextW(mainWindow, GameTypeName(gameType));
    }
    SaveSetting(static_cast<uint32_t>(gameType), kValueGameType);
    computerHandLayout = Checked(dialog, IDC_HIDE_COUNT) ? 5 : 4;
    SaveSetting(static_cast<uint32_t>(computerHandLayout), kValueHideCount);
    showCardsLeft = Checked(dialog, IDC_CARDS_LEFT) ? 1 : 0;
    SaveSetting(showCardsLeft, kValueCardsLeft);
    doubleTapPlay = Checked(dialog, IDC_DOUBLE_TAP) ? 1 : 0;
    SaveSetting(doubleTapPlay, kValueDoubleTap);
    LRESULT colour = SendDlgItemMessageW(dialog, IDC_BACKGROUNDS, LB_GETCURSEL, 0, 0);
    if (colour != LB_ERR) {
        background = static_cast<uint32_t>(colour);
        SaveSetting(background, kValueBackground);
    }
    LRESULT back = SendDlgItemMessageW(dialog, IDC_CARD_BACKS, LB_GETCURSEL, 0, 0);
    if (back != LB_ERR) {
        cardBack = static_cast<uint32_t>(back);
        SetBack(humanHand, static_cast<int32_t>(back));
        SetBack(computerHand, static_cast<int32_t>(back));
        stockCard.backIndex = static_cast<int32_t>(back);
        InvalidateCard(stockCard);
        SaveSetting(cardBack, kValueCardBack);
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
