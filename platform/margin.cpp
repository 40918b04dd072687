// Lines of text the window shows in its margin around the screen. The layer
// keeps them and paints them; a backend with a margin (the real window)
// puts the picture there.
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/gdi_internal.h"
#include "platform/internal.h"

namespace {

struct MarginText {
    std::vector<std::wstring> lines;
    HFONT font = nullptr;
    COLORREF text = 0;
    COLORREF back = 0;
};
MarginText margin;

// A readable line holds at least this many average characters.
constexpr int kLeastColumns = 24;

}  // namespace

void PlatformSetMarginText(const wchar_t* const* lines, int count, HFONT font, COLORREF text,
                           COLORREF back) {
    margin.lines.assign(lines, lines + (count > 0 ? count : 0));
    margin.font = font;
    margin.text = text;
    margin.back = back;
    BackendMarginTextChanged();
}

bool PaintMarginText(int width, int height, Surface* out) {
    if (margin.lines.empty() || !margin.font || width <= 0 || height <= 0) return false;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, margin.font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int pad = metrics.tmAveCharWidth;
    if (width < kLeastColumns * metrics.tmAveCharWidth + 2 * pad ||
        height < metrics.tmHeight + 2 * pad) {
        SelectObject(dc, oldFont);
        DeleteDC(dc);
        return false;
    }
    // In colour: a memory context's own first bitmap is monochrome.
    HDC screen = GetWindowDC(GetDesktopWindow());
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(GetDesktopWindow(), screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HBRUSH back = CreateSolidBrush(margin.back);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, back);
    DeleteObject(back);
    SetTextColor(dc, margin.text);
    SetBkMode(dc, TRANSPARENT);
    // Newest at the bottom; older lines above as long as they fit whole.
    int bottom = height - pad;
    for (auto line = margin.lines.rbegin(); line != margin.lines.rend(); ++line) {
        RECT r{pad, 0, width - pad, 0};
        DrawTextW(dc, line->c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
        const int tall = r.bottom - r.top;
        if (bottom - tall < pad) break;
        r = {pad, bottom - tall, width - pad, bottom};
        DrawTextW(dc, line->c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX);
        bottom -= tall;
    }
    *out = bitmap->surface;
    SelectObject(dc, oldBitmap);
    SelectObject(dc, oldFont);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return true;
}
