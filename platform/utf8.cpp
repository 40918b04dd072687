// Wide text to UTF-8, for the names the layer hands to the file system and
// to other programs.
#include <cstdint>

#include "platform/internal.h"

bool PlatformToUtf8(std::wstring_view text, std::string* out) {
    out->clear();
    for (wchar_t w : text) {
        auto c = static_cast<uint32_t>(w);
        if (c == 0 || c >= 0x110000 || (c >= 0xD800 && c < 0xE000)) return false;
        if (c < 0x80) {
            out->push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out->push_back(static_cast<char>(0xC0 | (c >> 6)));
            out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out->push_back(static_cast<char>(0xE0 | (c >> 12)));
            out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out->push_back(static_cast<char>(0xF0 | (c >> 18)));
            out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return true;
}
