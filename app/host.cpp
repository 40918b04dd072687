// The program's side of game/host.h.
#include "game/host.h"

#include <cstdarg>
#include <cwchar>

#include "ai/ai.h"
#include "app/opponent.h"
#include "app/records.h"
#include "app/settings.h"
#include "app/shell.h"
#include "game/state.h"
#include "res/ids.h"
#include "ui/layout.h"
#include "ui/scale.h"
#include "ui/table.h"

HWND MainWindow() {
    return mainWindow;
}

HINSTANCE ProgramModule() {
    return programModule;
}

// A null module handle means the program's own.
const wchar_t* LoadText(UINT id) {
    const wchar_t* text = nullptr;
    if (LoadStringW(resourceModule, id, reinterpret_cast<wchar_t*>(&text), 0) > 0) return text;
    text = nullptr;
    if (LoadStringW(programModule, id, reinterpret_cast<wchar_t*>(&text), 0) > 0) return text;
    return nullptr;
}

int ShowErrorBox(HWND owner, const wchar_t* format, ...) {
    wchar_t text[256];
    va_list args;
    va_start(args, format);
    int length = std::vswprintf(text, 255, format, args);
    va_end(args);
    text[254] = L'\0';
    if (length < 0) length = static_cast<int>(std::wcslen(text));
    MessageBoxW(owner, text, L"", MB_OK);
    return length;
}

uint32_t AddOneToStoredCount(uint32_t count, const wchar_t* name) {
    return AddOneToSetting(count, name);
}

void RecordGameEnd(int32_t winner) {
    AddFinishedGame(gameType, OpponentRecordName(), winner);
}

int32_t ComputerThrowsIn() {
    return ThrowIn(0);
}

void SizeCard(Card& card) {
    ScaleCardSize(card);
}

void PlacePileOrigins() {
    ScalePileOrigins();
}

void PlaceCard(Card& card) {
    ScaleLoneCardPlace(card);
}

void RepaintPart(TablePart part) {
    if (part == PartLowerButton) {
        InvalidateLowerButton();
        return;
    }
    RECT place = ScaleRect(part == PartStatusStrip ? units::statusStrip : units::cardsLeftRect);
    InvalidateRect(mainWindow, &place, FALSE);
}

void ReleaseButtons() {
    pressedButton = 0;
    InvalidateRect(mainWindow, &lowerButtonRect, FALSE);
    InvalidateRect(mainWindow, &upperButtonRect, FALSE);
}
