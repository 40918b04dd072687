// The Options dialog: a full-screen page with its own menu bar ("OK").
// Nothing changes until OK; then every value is applied, and those the
// player changed are saved. A value left alone is saved only where none is
// stored, so that another running copy's change to it stands.
#include "app/options.h"

#include "app/records.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/host.h"
#include "game/message.h"
#include "game/pile.h"
#include "game/state.h"
#include "game/types.h"
#include "res/ids.h"

namespace {

// What the page showed when it opened.
struct Shown {
    int32_t gameType;
    bool hideCount;
    bool cardsLeft;
    bool doubleTap;
};
Shown shown;

void Save(uint32_t value, const wchar_t* name, bool changed) {
    if (changed)
        SaveSetting(value, name);
    else
        SaveSettingIfAbsent(value, name);
}

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
    Check(dialog, IDC_HIDE_COUNT, computerHandLayout == LayoutStacked);
    shown = {gameType, computerHandLayout == LayoutStacked, showCardsLeft == 1, doubleTapPlay == 1};
}

void OnOk(HWND dialog) {
    auto chosen =
        static_cast<int32_t>(SendDlgItemMessageW(dialog, IDC_GAME_TYPES, CB_GETCURSEL, 0, 0));
    if (chosen != CB_ERR && chosen != gameType) {
        NoteGameLeft();  // under the type being left
        gameType = chosen;
        SendGameMessage(NEW_GAME);
        transferRule = TypeTraits(gameType).transfer ? 1 : 0;
        SetWindowTextW(mainWindow, GameTypeName(gameType));
    }
    Save(static_cast<uint32_t>(gameType), kValueGameType, gameType != shown.gameType);
    const bool hide = Checked(dialog, IDC_HIDE_COUNT);
    computerHandLayout = hide ? LayoutStacked : LayoutQuarterFan;
    Save(static_cast<uint32_t>(computerHandLayout), kValueHideCount, hide != shown.hideCount);
    const bool left = Checked(dialog, IDC_CARDS_LEFT);
    showCardsLeft = left ? 1 : 0;
    Save(showCardsLeft, kValueCardsLeft, left != shown.cardsLeft);
    const bool doubleTap = Checked(dialog, IDC_DOUBLE_TAP);
    doubleTapPlay = doubleTap ? 1 : 0;
    Save(doubleTapPlay, kValueDoubleTap, doubleTap != shown.doubleTap);
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
