#include "app/relayout.h"
#include "app/panel.h"

#include "app/shell.h"
#include "app/window.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/scale.h"
#include "ui/table.h"

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
    ShowAccountPanel();   // its font at the new density
    InvalidateRect(mainWindow, nullptr, FALSE);
}
