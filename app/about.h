// The About box and its text, formed once at start-up.
#pragma once

#include <cstddef>

#include "platform/platform.h"

// The About text, formed by FormAboutText.
extern wchar_t aboutText[256];

// The version the About box shows, as major and minor number.
constexpr int kAboutMajor = 1;
constexpr int kAboutMinor = 3;

// Turns the template's stored form back into its text, and the text into
// its stored form: the same rolling XOR both ways.
constexpr void Scramble(wchar_t* text, size_t length) {
    unsigned key = 0x2B5D;
    for (size_t i = 0; i < length; ++i) {
        text[i] = static_cast<wchar_t>(static_cast<unsigned>(text[i]) ^ (key & 0x7FFF));
        key = (key * 1103 + 12345) & 0xFFFF;
    }
}

// The About template as stored in the program's data; length without a
// terminator.
const wchar_t* AboutTemplateData(size_t* length);

// Unscrambles the template and formats it with the title (string 1) and
// the version into aboutText.
void FormAboutText();

// The About box, owned by the given window: aboutText under the caption
// "About", with an OK button.
void ShowAbout(HWND owner);
