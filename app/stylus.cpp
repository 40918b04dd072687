#include "app/stylus.h"

#include "app/actions.h"
#include "app/keyboard.h"
#include "app/shell.h"
#include "game/state.h"
#include "game/status.h"
#include "ui/hittest.h"
#include "ui/scale.h"
#include "ui/table.h"

namespace {

// All four edges inside, unlike the platform's own test.
bool HitRect(const RECT& r, int32_t x, int32_t y) {
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

}  // namespace

void StylusDown(LPARAM point) {
    // The steps are not exclusive: each runs on every tap, in this order.
    const int32_t x = LOWORD(static_cast<uintptr_t>(point));
    const int32_t y = HIWORD(static_cast<uintptr_t>(point));
    if (statusText) ShowStatus(nullptr);
    focusShown = false;
    SyncFocusFrame();
    if (HitRect(ScaleRect(units::tableArea), x, y)) PlaySelection();
    if (HitRect(lowerButtonRect, x, y)) {
        pressedButton = 1;
        InvalidateRect(mainWindow, &lowerButtonRect, FALSE);
        PressLowerButton();
    }
    if (HitRect(upperButtonRect, x, y)) {
        pressedButton = 2;
        InvalidateRect(mainWindow, &upperButtonRect, FALSE);
        PressUpperButton();
    }
    TapHandCard(CardUnder(humanHand, x, y));
}

void StylusUp() {
    if (pressedButton == 0) return;
    InvalidateRect(mainWindow, pressedButton == 1 ? &lowerButtonRect : &upperButtonRect, FALSE);
    pressedButton = 0;
}

void StylusDoubleTap(LPARAM point) {
    if (doubleTapPlay == 0) return;
    if (statusText) ShowStatus(nullptr);
    const int32_t x = LOWORD(static_cast<uintptr_t>(point));
    const int32_t y = HIWORD(static_cast<uintptr_t>(point));
    if (SelectOnlyAt(humanHand, x, y) == 0) return;
    PlaySelection();
}
