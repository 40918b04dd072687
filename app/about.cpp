#include "app/about.h"

#include <array>
#include <cwchar>

#include "game/host.h"
#include "res/ids.h"

wchar_t aboutText[256];

namespace {

// Scrambled while compiling, so only the scrambled form reaches the binary.
template <size_t N>
consteval std::array<wchar_t, N - 1> Scrambled(const wchar_t (&text)[N]) {
    std::array<wchar_t, N - 1> out{};
    for (size_t i = 0; i + 1 < N; ++i)
        out[i] = text[i];
    Scramble(out.data(), out.size());
    return out;
}

constexpr auto kTemplate = Scrambled(
    L"%s, version %d.%d\r\n"
    L"The attack-and-defence card game, you against the computer.\r\n"
    L"\u00A9 The Velmora developers. Free software under the GNU GPL, "
    L"version 3 or later; no warranty.");

}  // namespace

const wchar_t* AboutTemplateData(size_t* length) {
    *length = kTemplate.size();
    return kTemplate.data();
}

void FormAboutText() {
    wchar_t text[kWsprintfMax];
    size_t length = kTemplate.size() < kWsprintfMax - 1 ? kTemplate.size() : kWsprintfMax - 1;
    std::wmemcpy(text, kTemplate.data(), length);
    Scramble(text, length);
    text[length] = L'\0';
    wchar_t formatted[kWsprintfMax];
    wsprintfW(formatted, text, LoadText(IDS_TITLE), kAboutMajor, kAboutMinor);
    std::wcsncpy(aboutText, formatted, 255);
    aboutText[255] = L'\0';
}

void ShowAbout(HWND owner) {
    MessageBoxW(owner, aboutText, LoadText(IDS_ABOUT), MB_OK);
}
