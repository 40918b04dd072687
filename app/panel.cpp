#include "app/panel.h"

#include <vector>

#include "app/account.h"
#include "app/settings.h"
#include "res/ids.h"

int32_t accountPanelShown = 1;

namespace {

// Light on dark, whatever the table's colour around it.
constexpr COLORREF kPanelText = RGB(236, 236, 228);
constexpr COLORREF kPanelBack = RGB(24, 28, 32);
constexpr int kPanelPoints = 8;

bool started = false;
HFONT font = nullptr;
int fontDpi = 0;

// The screen's face at the panel's size, made again at a new density.
HFONT PanelFont() {
    HDC dc = GetWindowDC(GetDesktopWindow());
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    if (!font || dpi != fontDpi) {
        if (font) DeleteObject(font);
        LOGFONTW face{};
        GetTextFaceW(dc, 31, face.lfFaceName);
        face.lfHeight = dpi * kPanelPoints * 3 / (72 * 2);  // the cell, leading included
        face.lfWeight = 400;
        face.lfQuality = 5;
        font = CreateFontIndirectW(&face);
        fontDpi = dpi;
    }
    ReleaseDC(GetDesktopWindow(), dc);
    return font;
}

}  // namespace

void StartAccountPanel() {
    started = true;
    KeepAccount(true, ShowAccountPanel);
}

void ShowAccountPanel() {
    if (!started) return;
    std::vector<const wchar_t*> lines;
    if (accountPanelShown == 1)
        for (const std::wstring& line : AccountLines())
            lines.push_back(line.c_str());
    PlatformSetMarginText(lines.data(), static_cast<int>(lines.size()),
                          lines.empty() ? nullptr : PanelFont(), kPanelText, kPanelBack);
}

void SwitchAccountPanel() {
    accountPanelShown = accountPanelShown == 1 ? 0 : 1;
    SaveSetting(accountPanelShown == 1 ? 1 : 2, kValueAccountPanel, kWindowKey);
    ShowAccountPanel();
}

void ReleaseAccountPanel() {
    if (!started) return;
    KeepAccount(false);
    started = false;
    PlatformSetMarginText(nullptr, 0, nullptr, 0, 0);
    if (font) DeleteObject(font);
    font = nullptr;
    fontDpi = 0;
}
