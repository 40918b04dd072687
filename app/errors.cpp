#include "app/errors.h"

#include <cstdarg>
#include <cwchar>

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
