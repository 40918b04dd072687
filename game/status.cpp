#include "game/status.h"

#include <cstdarg>
#include <cwchar>

#include "game/host.h"

wchar_t statusBuffer[256];
const wchar_t* statusText = nullptr;
const wchar_t* extraCardsFormat = nullptr;

void ShowStatus(const wchar_t* format, ...) {
    if (format) {
        va_list args;
        va_start(args, format);
        // At most 254 characters: the last two are never written.
        if (std::vswprintf(statusBuffer, 255, format, args) < 0) statusBuffer[254] = L'\0';
        va_end(args);
        statusText = statusBuffer;
    } else {
        statusText = nullptr;
    }
    RepaintPart(PartStatusStrip);
}
