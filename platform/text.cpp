// Text: fonts, text colours and modes, metrics, extents and ExtTextOutW.
#include <algorithm>
#include <cwchar>
#include <utility>

#include "platform/fonts.h"
#include "platform/screen_touched.h"

namespace {

// Puts coverage (0..255) of the colour over a pixel.
uint32_t Blend(uint32_t under, uint32_t over, unsigned coverage) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        unsigned d = (under >> shift) & 0xFF, s = (over >> shift) & 0xFF;
        unsigned v = (d * (255 - coverage) + s * coverage + 127) / 255;
        out |= v << shift;
    }
    return out;
}

void DrawGlyph(HDC__* dc, const Glyph& g, int x, int y, const RECT* clip, uint32_t color) {
    RECT box{x, y, x + g.width, y + g.height};
    if (clip && !IntersectRect(&box, &box, clip)) return;
    Surface& s = *dc->surface;
    int left = x + dc->origin.x, top = y + dc->origin.y;
    ForEachVisible(dc, box, [&](const RECT& r) {
        TouchScreen(s, r);
        for (int py = r.top; py < r.bottom; ++py) {
            const BYTE* coverage = &g.coverage[static_cast<size_t>(py - top) * g.width];
            uint32_t* row = s.pixels.data() + static_cast<size_t>(py) * s.width;
            for (int px = r.left; px < r.right; ++px) {
                const unsigned c = coverage[px - left];
                if (c == 0) continue;
                if (s.mono) {
                    if (c >= 128) row[px] = MonoOf(color);
                } else {
                    // Full coverage is the colour itself, as the blend would give.
                    row[px] = c == 255 ? color : Blend(row[px], color, c);
                }
            }
        }
    });
}

void Fill(HDC__* dc, RECT area, const RECT* clip, uint32_t color) {
    if (clip && !IntersectRect(&area, &area, clip)) return;
    BlitTo(dc, area, nullptr, color, PATCOPY);
}

}  // namespace

int RunWidth(ResolvedFont& font, std::wstring_view text) {
    int width = 0;
    for (wchar_t ch : text)
        width += GlyphOf(font, ch).advance;
    return width;
}

void DrawRun(HDC__* dc, ResolvedFont& font, int x, int y, std::wstring_view text, const int* dx,
             const RECT* clip, bool opaque, const std::vector<bool>* underline) {
    uint32_t color = PixelOf(dc->textColor);
    if (opaque) {
        int width = 0;
        for (size_t i = 0; i < text.size(); ++i)
            width += dx ? dx[i] : GlyphOf(font, text[i]).advance;
        Fill(dc, RECT{x, y, x + width, y + font.Cell()}, clip, PixelOf(dc->bkColor));
    }
    int baseline = y + font.ascent;
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph& g = GlyphOf(font, text[i]);
        DrawGlyph(dc, g, x + g.left, baseline - g.top, clip, color);
        int advance = dx ? dx[i] : g.advance;
        if (underline && i < underline->size() && (*underline)[i]) {
            int line = baseline + font.underlinePosition;
            Fill(dc, RECT{x, line, x + advance, line + 1}, clip, color);
        }
        x += advance;
    }
}

HFONT CreateFontIndirectW(const LOGFONTW* lf) {
    if (!lf) return nullptr;
    auto font = std::make_unique<HFONT__>();
    font->log = *lf;
    font->log.lfFaceName[LF_FACESIZE - 1] = L'\0';
    HFONT handle = font.get();
    Layer().objects.push_back(std::move(font));
    return handle;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    HDC__* dc = FindDc(hdc);
    if (!dc) return CLR_INVALID;
    return std::exchange(dc->textColor, color & 0xFFFFFF);
}

COLORREF GetTextColor(HDC hdc) {
    HDC__* dc = FindDc(hdc);
    return dc ? dc->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    HDC__* dc = FindDc(hdc);
    if (!dc) return CLR_INVALID;
    return std::exchange(dc->bkColor, color & 0xFFFFFF);
}

COLORREF GetBkColor(HDC hdc) {
    HDC__* dc = FindDc(hdc);
    return dc ? dc->bkColor : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode) {
    HDC__* dc = FindDc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(dc->bkMode, mode);
}

int GetBkMode(HDC hdc) {
    HDC__* dc = FindDc(hdc);
    return dc ? dc->bkMode : 0;
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm) {
    HDC__* dc = FindDc(hdc);
    if (!dc || !tm) return FALSE;
    ResolvedFont* font = ResolveFont(DcFont(dc));
    if (!font) return FALSE;
    *tm = TEXTMETRICW{};
    tm->tmHeight = font->Cell();
    tm->tmAscent = font->ascent;
    tm->tmDescent = font->descent;
    tm->tmInternalLeading = std::max(0, tm->tmHeight - static_cast<LONG>((font->size26 + 32) / 64));
    tm->tmAveCharWidth = font->averageWidth;
    tm->tmMaxCharWidth = font->maxWidth;
    tm->tmWeight = font->bold ? FW_BOLD : FW_NORMAL;
    tm->tmDigitizedAspectX = Layer().dpiX;
    tm->tmDigitizedAspectY = Layer().dpiY;
    tm->tmFirstChar = L' ';
    tm->tmLastChar = 0xFFFC;
    tm->tmDefaultChar = L'?';
    tm->tmBreakChar = L' ';
    tm->tmItalic = font->italic ? 1 : 0;
    tm->tmPitchAndFamily = TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE | FF_SWISS;
    tm->tmCharSet = ANSI_CHARSET;
    return TRUE;
}

int GetTextFaceW(HDC hdc, int count, wchar_t* name) {
    HDC__* dc = FindDc(hdc);
    if (!dc || !ResolveFont(DcFont(dc))) return 0;
    const wchar_t* face = ScreenFaceName();
    int length = static_cast<int>(std::wcslen(face));
    if (!name) return length + 1;
    if (count <= 0) return 0;
    int n = std::min(length, count - 1);
    std::wmemcpy(name, face, static_cast<size_t>(n));
    name[n] = L'\0';
    return n + 1;
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, const wchar_t* text,
                 UINT count, const int* dx) {
    HDC__* dc = FindDc(hdc);
    if (!dc || (count > 0 && !text)) return FALSE;
    ResolvedFont* font = ResolveFont(DcFont(dc));
    if (!font) return FALSE;
    if (rect && (options & ETO_OPAQUE)) Fill(dc, *rect, nullptr, PixelOf(dc->bkColor));
    const RECT* clip = rect && (options & ETO_CLIPPED) ? rect : nullptr;
    DrawRun(dc, *font, x, y, std::wstring_view(text ? text : L"", count), dx, clip,
            dc->bkMode == OPAQUE);
    return TRUE;
}

BOOL GetTextExtentExPointW(HDC hdc, const wchar_t* text, int count, int maxExtent, int* fit,
                           int* partialExtents, SIZE* size) {
    HDC__* dc = FindDc(hdc);
    if (!dc || !text || count < 0) return FALSE;
    ResolvedFont* font = ResolveFont(DcFont(dc));
    if (!font) return FALSE;
    int width = 0, fitting = 0;
    for (int i = 0; i < count; ++i) {
        width += GlyphOf(*font, text[i]).advance;
        if (fit && width > maxExtent) continue;
        if (partialExtents) partialExtents[i] = width;
        fitting = i + 1;
    }
    if (fit) *fit = fitting;
    if (size) *size = SIZE{width, font->Cell()};
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC hdc, const wchar_t* text, int count, SIZE* size) {
    return GetTextExtentExPointW(hdc, text, count, 0, nullptr, nullptr, size);
}
