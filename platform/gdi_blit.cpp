// Filling and copying pixels: FillRect, BitBlt, StretchBlt, single pixels.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/gdi_internal.h"
#include "platform/screen_touched.h"

namespace {

// The raster operation's middle byte is a truth table indexed by
// pattern * 4 + source * 2 + destination, applied to every bit.
uint32_t Rop3(DWORD rop, uint32_t p, uint32_t s, uint32_t d) {
    auto code = static_cast<BYTE>(rop >> 16);
    switch (code) {
        case 0xCC:
            return s;
        case 0xF0:
            return p;
        case 0x5A:
            return p ^ d;
        default:
            break;
    }
    uint32_t r = 0;
    for (int k = 0; k < 8; ++k)
        if ((code >> k) & 1) r |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
    return r & 0xFFFFFF;
}

// Orders a rectangle's edges; returns true when it was mirrored.
bool Normalise(LONG& lo, LONG& hi) {
    if (hi >= lo) return false;
    std::swap(lo, hi);
    return true;
}

// The source offset for destination offset i, nearest neighbour.
int SourceIndex(long i, long destLength, long srcLength, bool mirrored) {
    long j = (2 * i + 1) * srcLength / (2 * destLength);
    return static_cast<int>(mirrored ? srcLength - 1 - j : j);
}

}  // namespace

bool RopUsesSource(DWORD rop) {
    auto code = static_cast<BYTE>(rop >> 16);
    return ((code >> 2) ^ code) & 0x33;
}

namespace {

// One visible part of a blit: the destination rows and columns it covers and
// where each reads its source, worked out once for the part rather than per
// pixel.
struct BlitPart {
    Surface* out;
    const BlitSource* src;  // null for pattern-only operations
    RECT r;                 // surface pixels
    const int* columns;     // source x for each column of r; -1 outside the source
    const int* rows;        // source y for each row of r; -1 outside the source
    int straightFrom;       // columns run on one by one from here; -1 when they do not
    uint32_t pattern;
};

// What a source pixel reads as in the destination's kind of surface.
struct Reader {
    const BlitSource* src;
    bool destMono;
    uint32_t operator()(uint32_t s) const {
        if (src->surface->mono && !destMono) return s == kBlack ? src->monoBlack : src->monoWhite;
        if (!src->surface->mono && destMono) return s == src->bkForMono ? kWhite : kBlack;
        return s;
    }
};

// Colour is for colour to colour, the commonest kind: it leaves reading
// across kinds and rounding to mono out of the loop.
template <bool Colour, typename Op>
void BlitRowsOf(const BlitPart& part, Op op) {
    Surface& out = *part.out;
    const int width = part.r.right - part.r.left;
    const Reader read{part.src, out.mono};
    for (int y = part.r.top; y < part.r.bottom; ++y) {
        uint32_t* row = out.pixels.data() + static_cast<size_t>(y) * out.width + part.r.left;
        const uint32_t* from = nullptr;
        if (part.src) {
            const int sy = part.rows[y - part.r.top];
            if (sy < 0) continue;
            const Surface& s = *part.src->surface;
            from = s.pixels.data() + static_cast<size_t>(sy) * s.width;
            // Unscaled rows onto colour run straight, which the compiler
            // turns into vector code: colour sources, and the monochrome
            // masks of icons.
            if (part.straightFrom >= 0 && !out.mono) {
                const uint32_t* straight = from + part.straightFrom;
                if (Colour) {
                    for (int i = 0; i < width; ++i)
                        row[i] = op(part.pattern, straight[i], row[i]);
                    continue;
                }
                if (s.mono) {
                    const uint32_t black = part.src->monoBlack, white = part.src->monoWhite;
                    for (int i = 0; i < width; ++i)
                        row[i] = op(part.pattern, straight[i] == kBlack ? black : white, row[i]);
                    continue;
                }
            }
        }
        for (int i = 0; i < width; ++i) {
            uint32_t s = 0;
            if (from) {
                const int sx = part.columns[i];
                if (sx < 0) continue;
                s = Colour ? from[sx] : read(from[sx]);
            }
            const uint32_t pixel = op(part.pattern, s, row[i]);
            row[i] = Colour || !out.mono ? pixel : MonoOf(pixel);
        }
    }
}

template <typename Op>
void BlitRows(const BlitPart& part, Op op) {
    if (part.src && !part.out->mono && !part.src->surface->mono)
        BlitRowsOf<true>(part, op);
    else
        BlitRowsOf<false>(part, op);
}

// A plain copy or fill between surfaces of the same kind: whole rows at once.
bool BlitPlain(const BlitPart& part, BYTE code) {
    Surface& out = *part.out;
    if (out.mono) return false;
    const int width = part.r.right - part.r.left;
    if (code == 0xF0) {
        TouchScreen(out, part.r);
        // The first row pixel by pixel, the others copied from it, which the
        // library's copy does many pixels at a time.
        uint32_t* first =
            out.pixels.data() + static_cast<size_t>(part.r.top) * out.width + part.r.left;
        std::fill(first, first + width, part.pattern);
        for (int y = part.r.top + 1; y < part.r.bottom; ++y)
            std::copy(first, first + width,
                      out.pixels.data() + static_cast<size_t>(y) * out.width + part.r.left);
        return true;
    }
    if (code != 0xCC || !part.src || part.src->surface->mono || part.straightFrom < 0) return false;
    CopyRows(out, part.r, *part.src->surface, part.rows, part.straightFrom);
    return true;
}

}  // namespace

void BlitTo(HDC__* dc, RECT dest, const BlitSource* src, uint32_t pattern, DWORD rop) {
    bool flipX = Normalise(dest.left, dest.right);
    bool flipY = Normalise(dest.top, dest.bottom);
    BlitSource from;
    Surface copy;
    if (src) {
        from = *src;
        flipX ^= Normalise(from.rect.left, from.rect.right);
        flipY ^= Normalise(from.rect.top, from.rect.bottom);
        if (from.rect.right == from.rect.left || from.rect.bottom == from.rect.top) return;
        if (from.surface == dc->surface) {
            copy = *from.surface;  // source and destination overlap
            from.surface = &copy;
        }
    }
    Surface& out = *dc->surface;
    long dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    long sw = from.rect.right - from.rect.left, sh = from.rect.bottom - from.rect.top;
    int left = dest.left + dc->origin.x, top = dest.top + dc->origin.y;
    const auto code = static_cast<BYTE>(rop >> 16);
    std::vector<int> columns, rows;
    ForEachVisible(dc, dest, [&](const RECT& r) {
        BlitPart part{&out, src ? &from : nullptr, r, nullptr, nullptr, -1, pattern};
        if (src) {
            columns.resize(static_cast<size_t>(r.right - r.left));
            rows.resize(static_cast<size_t>(r.bottom - r.top));
            bool straight = true;
            for (int x = r.left; x < r.right; ++x) {
                int sx = from.rect.left + SourceIndex(x - left, dw, sw, flipX);
                if (sx < 0 || sx >= from.surface->width) sx = -1;
                columns[static_cast<size_t>(x - r.left)] = sx;
                straight = straight && sx >= 0 && sx == columns[0] + (x - r.left);
            }
            for (int y = r.top; y < r.bottom; ++y) {
                int sy = from.rect.top + SourceIndex(y - top, dh, sh, flipY);
                rows[static_cast<size_t>(y - r.top)] =
                    sy < 0 || sy >= from.surface->height ? -1 : sy;
            }
            part.columns = columns.data();
            part.rows = rows.data();
            part.straightFrom = straight ? columns[0] : -1;
        }
        if (BlitPlain(part, code)) return;
        TouchScreen(out, r);
        switch (code) {
            case 0xCC:
                BlitRows(part, [](uint32_t, uint32_t s, uint32_t) { return s; });
                break;
            case 0x5A:
                BlitRows(part, [](uint32_t p, uint32_t, uint32_t d) { return p ^ d; });
                break;
            // An icon's mask and image.
            case 0x88:
                BlitRows(part, [](uint32_t, uint32_t s, uint32_t d) { return s & d & 0xFFFFFF; });
                break;
            case 0x66:
                BlitRows(part, [](uint32_t, uint32_t s, uint32_t d) { return (s ^ d) & 0xFFFFFF; });
                break;
            default:
                BlitRows(part,
                         [rop](uint32_t p, uint32_t s, uint32_t d) { return Rop3(rop, p, s, d); });
                break;
        }
    });
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    HDC__* dc = FindDc(hdc);
    auto* b = static_cast<HBRUSH__*>(FindObject(brush, GdiKind::Brush));
    if (!dc || !rect || !b) return 0;
    if (!b->hollow) BlitTo(dc, *rect, nullptr, PixelOf(b->color), PATCOPY);
    return 1;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop) {
    HDC__* dc = FindDc(dest);
    if (!dc || width == 0 || height == 0) return FALSE;
    const HBRUSH__* brush = DcBrush(dc);
    uint32_t pattern = brush->hollow ? kBlack : PixelOf(brush->color);
    RECT area{x, y, x + width, y + height};
    if (!RopUsesSource(rop)) {
        BlitTo(dc, area, nullptr, pattern, rop);
        return TRUE;
    }
    HDC__* from = FindDc(src);
    if (!from || srcWidth == 0 || srcHeight == 0) return FALSE;
    BlitSource source;
    source.surface = from->surface;
    source.rect = {srcX + from->origin.x, srcY + from->origin.y, srcX + from->origin.x + srcWidth,
                   srcY + from->origin.y + srcHeight};
    // Monochrome pictures take the destination's text and background
    // colours; colour ones turn white where they show the source's.
    source.monoBlack = PixelOf(dc->textColor);
    source.monoWhite = PixelOf(dc->bkColor);
    source.bkForMono = PixelOf(from->bkColor);
    BlitTo(dc, area, &source, pattern, rop);
    return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
    return StretchBlt(dest, x, y, width, height, src, srcX, srcY, width, height, rop);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    HDC__* dc = FindDc(hdc);
    if (!dc || !dc->clip.Contains(x, y)) return CLR_INVALID;
    int sx = x + dc->origin.x, sy = y + dc->origin.y;
    const Surface& s = *dc->surface;
    if (sx < 0 || sy < 0 || sx >= s.width || sy >= s.height) return CLR_INVALID;
    return ColorOf(Load(s, sx, sy));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    HDC__* dc = FindDc(hdc);
    if (!dc) return CLR_INVALID;
    BlitTo(dc, RECT{x, y, x + 1, y + 1}, nullptr, PixelOf(color), PATCOPY);
    return GetPixel(hdc, x, y);
}
