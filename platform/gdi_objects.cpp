// Memory contexts, bitmaps, brushes, stock objects and their selection.
#include <algorithm>
#include <cstring>
#include <cwchar>

#include "platform/gdi_internal.h"

namespace {

// Made once and never freed; they outlive every restart of the layer.
struct StockObjects {
    HBRUSH__ brushes[6];
    HFONT__ font;
    HBITMAP__ bitmap;
    StockObjects() {
        const COLORREF colors[5] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                    RGB(64, 64, 64), RGB(0, 0, 0)};
        for (int i = 0; i < 5; ++i)
            brushes[i].color = colors[i];
        brushes[NULL_BRUSH].hollow = true;
        font.screenDefault = true;
        font.log.lfWeight = FW_NORMAL;
        std::wcscpy(font.log.lfFaceName, L"DejaVu Sans");
        bitmap.surface = MakeSurface(1, 1, true, kBlack);
    }
};

StockObjects& Stock() {
    static StockObjects stock;
    return stock;
}

bool IsStock(const GdiObject* obj) {
    const StockObjects& s = Stock();
    const void* p = obj;
    return p == &s.font || p == &s.bitmap ||
           (p >= static_cast<const void*>(s.brushes) &&
            p < static_cast<const void*>(s.brushes + std::size(s.brushes)));
}

void Hold(GdiObject* obj) {
    if (obj && !IsStock(obj)) ++obj->selections;
}

constexpr size_t kMaxPixels = size_t{1} << 26;

HBITMAP NewBitmap(int width, int height, bool mono) {
    if (width <= 0 || height <= 0 || static_cast<size_t>(width) * height > kMaxPixels)
        return nullptr;
    auto bmp = std::make_unique<HBITMAP__>();
    bmp->surface = MakeSurface(width, height, mono, kBlack);
    HBITMAP handle = bmp.get();
    Layer().objects.push_back(std::move(bmp));
    return handle;
}

}  // namespace

Surface MakeSurface(int width, int height, bool mono, uint32_t fill) {
    Surface s;
    s.width = width;
    s.height = height;
    s.mono = mono;
    s.pixels.assign(static_cast<size_t>(width) * height, mono ? MonoOf(fill) : fill);
    return s;
}

GdiObject* FindAnyObject(const void* obj) {
    if (!obj) return nullptr;
    StockObjects& s = Stock();
    for (HBRUSH__& b : s.brushes)
        if (obj == &b) return &b;
    if (obj == &s.font) return &s.font;
    if (obj == &s.bitmap) return &s.bitmap;
    for (const auto& o : Layer().objects)
        if (o.get() == obj) return o->deleted ? nullptr : o.get();
    return nullptr;
}

const HBRUSH__* DcBrush(const HDC__* dc) {
    return dc->brush ? dc->brush : &Stock().brushes[WHITE_BRUSH];
}

const HFONT__* DcFont(const HDC__* dc) {
    return dc->font ? dc->font : &Stock().font;
}

void LetGo(GdiObject* obj) {
    if (!obj || IsStock(obj)) return;
    --obj->selections;
    if (obj->deleted && obj->selections <= 0)
        std::erase_if(Layer().objects, [&](const auto& o) { return o.get() == obj; });
}

void ReleaseSelections(HDC__* dc) {
    LetGo(dc->bitmap);
    LetGo(dc->brush);
    LetGo(dc->font);
    dc->bitmap = nullptr;
    dc->brush = nullptr;
    dc->font = nullptr;
}

HGDIOBJ GetStockObject(int index) {
    StockObjects& s = Stock();
    if (index >= WHITE_BRUSH && index <= NULL_BRUSH) return &s.brushes[index];
    if (index == SYSTEM_FONT) return &s.font;
    return nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<HBRUSH__>();
    brush->color = color & 0xFFFFFF;
    HBRUSH handle = brush.get();
    Layer().objects.push_back(std::move(brush));
    return handle;
}

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !FindDc(hdc)) return nullptr;
    Surface* one = &Stock().bitmap.surface;
    HDC dc = NewDc(nullptr, one, {0, 0}, Region(RECT{0, 0, 1, 1}));
    FindDc(dc)->memory = true;
    return dc;
}

BOOL DeleteDC(HDC hdc) {
    if (!FindDc(hdc)) return FALSE;
    FreeDc(hdc);
    return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    HDC__* dc = FindDc(hdc);
    if (!dc) return nullptr;
    return NewBitmap(width, height, dc->memory && dc->surface->mono);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (planes != 1) return nullptr;
    bool mono = bitsPerPixel == 1;
    HBITMAP handle = NewBitmap(width, height, mono);
    if (!handle || !bits) return handle;
    Surface& s = handle->surface;
    if (!mono) {
        std::memcpy(s.pixels.data(), bits, s.pixels.size() * sizeof(uint32_t));
        for (uint32_t& p : s.pixels)
            p &= 0xFFFFFF;
        return handle;
    }
    const auto* rows = static_cast<const BYTE*>(bits);
    size_t stride = static_cast<size_t>((width + 15) / 16) * 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool set = (rows[y * stride + x / 8] >> (7 - x % 8)) & 1;
            Store(s, x, y, set ? kWhite : kBlack);
        }
    return handle;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    HDC__* dc = FindDc(hdc);
    GdiObject* o = FindAnyObject(obj);
    if (!dc || !o) return nullptr;
    switch (o->kind) {
        case GdiKind::Brush: {
            HGDIOBJ previous = const_cast<HBRUSH__*>(DcBrush(dc));
            Hold(o);
            LetGo(dc->brush);
            dc->brush = static_cast<HBRUSH__*>(o);
            return previous;
        }
        case GdiKind::Font: {
            HGDIOBJ previous = const_cast<HFONT__*>(DcFont(dc));
            Hold(o);
            LetGo(dc->font);
            dc->font = static_cast<HFONT__*>(o);
            return previous;
        }
        case GdiKind::Bitmap: {
            auto* bmp = static_cast<HBITMAP__*>(o);
            // A bitmap lives in one memory context at a time.
            if (!dc->memory || (bmp->selections > 0 && dc->bitmap != bmp)) return nullptr;
            HGDIOBJ previous = dc->bitmap ? dc->bitmap : &Stock().bitmap;
            Hold(o);
            LetGo(dc->bitmap);
            dc->bitmap = bmp;
            dc->surface = &bmp->surface;
            dc->clip = Region(RECT{0, 0, bmp->surface.width, bmp->surface.height});
            return previous;
        }
        default:
            return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    HDC__* dc = FindDc(hdc);
    if (!dc) return nullptr;
    switch (type) {
        case OBJ_BRUSH:
            return const_cast<HBRUSH__*>(DcBrush(dc));
        case OBJ_FONT:
            return const_cast<HFONT__*>(DcFont(dc));
        case OBJ_BITMAP:
            if (!dc->memory) return nullptr;
            return dc->bitmap ? dc->bitmap : &Stock().bitmap;
        default:
            return nullptr;
    }
}

int GetObjectW(HGDIOBJ obj, int size, void* out) {
    GdiObject* o = FindAnyObject(obj);
    if (!o) return 0;
    if (o->kind == GdiKind::Bitmap) {
        auto* s = &static_cast<HBITMAP__*>(o)->surface;
        if (!out) return sizeof(BITMAP);
        if (size < static_cast<int>(sizeof(BITMAP))) return 0;
        BITMAP bm{};
        bm.bmWidth = s->width;
        bm.bmHeight = s->height;
        bm.bmWidthBytes = s->mono ? (s->width + 15) / 16 * 2 : s->width * 4;
        bm.bmPlanes = 1;
        bm.bmBitsPixel = s->mono ? 1 : 32;
        bm.bmBits = s->mono ? nullptr : s->pixels.data();
        std::memcpy(out, &bm, sizeof bm);
        return sizeof(BITMAP);
    }
    if (o->kind == GdiKind::Font) {
        if (!out) return sizeof(LOGFONTW);
        if (size < static_cast<int>(sizeof(LOGFONTW))) return 0;
        std::memcpy(out, &static_cast<HFONT__*>(o)->log, sizeof(LOGFONTW));
        return sizeof(LOGFONTW);
    }
    return 0;
}
