// The program's side of game/host.h.
#include "game/host.h"

#include <cstdarg>
#include <cwchar>

#include "ai/ai.h"
#include "app/settings.h"
#include "app/shell.h"

HWND MainWindow() {
    return mainWindow;
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

int32_t ComputerThrowsIn() {
    return ThrowIn(0);
}
