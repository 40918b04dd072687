#include "ui/table.h"

#include "app/shell.h"
#include "ui/scale.h"

void InvalidateLowerButton() {
    // Worked out afresh each time rather than read from lowerButtonRect.
    RECT r{ScaleX(204), ScaleY(170), ScaleX(236), ScaleY(202)};
    InvalidateRect(mainWindow, &r, FALSE);
}
