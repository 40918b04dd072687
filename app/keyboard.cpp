#include "app/keyboard.h"

#include <algorithm>

#include "app/actions.h"
#include "app/hint.h"
#include "app/shell.h"
#include "app/speech.h"
#include "app/stylus.h"
#include "game/state.h"
#include "game/status.h"
#include "res/ids.h"
#include "ui/scale.h"
#include "ui/table.h"

int32_t focusPosition = 1;
bool focusShown = false;

namespace {

bool Repeated(LPARAM flags) {
    return (flags & KF_REPEAT_LPARAM) != 0;
}

// Shows the mark and starts a move, as a tap starts by clearing the status.
void BeginMove() {
    focusShown = true;
    if (statusText) ShowStatus(nullptr);
}

void PressButton(int32_t which, const RECT& place) {
    BeginMove();
    pressedButton = which;
    InvalidateRect(mainWindow, &place, FALSE);
    if (which == 1) {
        PressLowerButton();
    } else {
        PressUpperButton();
    }
}

void MoveFocus(int32_t step) {
    // The first key only shows where the mark is.
    if (focusShown)
        focusPosition = std::clamp(FocusedCard() + step, 1, std::max(humanHand.count, 1));
    focusShown = true;
    SyncFocusFrame();
    Say(FocusSaying());
}

bool Command(HWND hwnd, WORD id) {
    SendMessageW(hwnd, WM_COMMAND, id, 0);
    return true;
}

}  // namespace

int32_t FocusedCard() {
    return humanHand.count == 0 ? 0 : std::clamp(focusPosition, 1, humanHand.count);
}

void SyncFocusFrame() {
    RECT want{};
    if (focusShown && FocusedCard() > 0) want = FocusFrameAround(FocusedCard());
    if (EqualRect(&want, &focusFrame)) return;
    if (!IsRectEmpty(&focusFrame)) InvalidateRect(mainWindow, &focusFrame, FALSE);
    if (!IsRectEmpty(&want)) InvalidateRect(mainWindow, &want, FALSE);
    focusFrame = want;
}

bool KeyboardDown(HWND hwnd, WPARAM key, LPARAM flags) {
    if (GetKeyState(static_cast<int>(VK_CONTROL)) < 0) {
        if (key != 'N' && key != 'Q') return false;
        return Repeated(flags) || Command(hwnd, key == 'N' ? IDM_NEW : IDM_EXIT);
    }
    // Shift+H: a hint; H alone reads the hand, as it always has.
    if (key == 'H' && GetKeyState(static_cast<int>(VK_SHIFT)) < 0) {
        if (!Repeated(flags)) ShowHint();
        return true;
    }
    // Reading out the table or the hand changes nothing, the status line neither.
    if (key == 'R' || key == 'H') {
        if (!Repeated(flags)) Say(key == 'R' ? TableSaying() : HandSaying());
        return true;
    }
    if (key == VK_LEFT || key == VK_RIGHT) {
        MoveFocus(key == VK_LEFT ? -1 : 1);
        return true;
    }
    // Only the arrows repeat: a held key must not answer what its press opened.
    const bool known = key == VK_SPACE || key == VK_RETURN || key == VK_DOWN || key == 'T' ||
                       key == 'S' || key == VK_F1 || key == VK_F2 || key == VK_F11;
    if (!known) return false;
    if (Repeated(flags)) return true;
    switch (key) {
        case VK_SPACE:
            BeginMove();
            TapHandCard(FocusedCard());
            Say(FocusSaying());
            break;
        case VK_RETURN:
            BeginMove();
            if (CountSelected(humanHand) == 0) TapHandCard(FocusedCard());
            PlaySelection();
            break;
        case VK_DOWN:
        case 'T':
            PressButton(1, lowerButtonRect);
            break;
        case 'S':
            PressButton(2, upperButtonRect);
            break;
        case VK_F1:
            return Command(hwnd, IDM_RULES);
        case VK_F2:
            return Command(hwnd, IDM_NEW);
        case VK_F11:
            ToggleFullScreenWindow(hwnd);
            break;
        default:
            break;
    }
    SyncFocusFrame();
    return true;
}

bool KeyboardUp(WPARAM key) {
    const bool button = key == VK_DOWN || key == 'T' || key == 'S';
    if (button) StylusUp();
    return button;
}
