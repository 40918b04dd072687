#include "app/shell.h"

HINSTANCE instance = nullptr;
HINSTANCE resourceModule = nullptr;
HINSTANCE programModule = nullptr;
HWND mainWindow = nullptr;
HWND menuBar = nullptr;
HICON okButtonIcon = nullptr;
HICON takeButtonIcon = nullptr;
HICON sortButtonIcon = nullptr;

const wchar_t* LoadText(UINT id) {
    const wchar_t* text = nullptr;
    if (LoadStringW(resourceModule, id, reinterpret_cast<wchar_t*>(&text), 0) > 0) return text;
    text = nullptr;
    if (LoadStringW(programModule, id, reinterpret_cast<wchar_t*>(&text), 0) > 0) return text;
    return nullptr;
}
