#include "app/relayout.h"

#include "app/keyboard.h"
#include "app/shell.h"
#include "app/window.h"
#include "res/ids.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/scale.h"

void LoadButtonIcons() {
    okButtonIcon = LoadButtonIcon(IDI_OK, ScaleX(units::buttonIconSize), nullptr);
    takeButtonIcon = LoadButtonIcon(IDI_TAKE, ScaleX(units::buttonIconSize), nullptr);
    sortButtonIcon = LoadButtonIcon(IDI_SORT, ScaleX(units::buttonIconSize), nullptr);
}

void FreeButtonIcons() {
    for (HICON* icon : {&takeButtonIcon, &sortButtonIcon, &okButtonIcon}) {
        DestroyIcon(*icon);
        *icon = nullptr;
    }
}

void Relayout(int32_t dpi, const RECT& screen) {
    if (!SetScreenDensity(dpi, screen.right, screen.bottom)) return;
    ForgetDensities();
    ComputeButtonRects();
    FreeButtonIcons();
    ReleaseGraphics();
    CreateGraphics();
    LoadButtonIcons();
    ScaleTable();
    // Made again at the new size by the next paint.
    if (offscreenBitmap) DeleteObject(offscreenBitmap);
    offscreenBitmap = nullptr;
    SetWindowPos(mainWindow, nullptr, 0, 0, screen.right, screen.bottom, SWP_NOZORDER);
    if (menuBar) {
        DestroyWindow(menuBar);
        MakeMenuBar(mainWindow);
        CommandBar_Show(menuBar, TRUE);
    }
    focusFrame = RECT{};  // placed again by the paint
    InvalidateRect(mainWindow, nullptr, FALSE);
}
