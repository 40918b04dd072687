// The layer's state, drawing objects and regions.
#include <algorithm>

#include "platform/backend.h"
#include "platform/internal.h"

PlatformState& Layer() {
    static PlatformState state;
    return state;
}

void PlatformReset(int width, int height, int dpiX, int dpiY) {
    PlatformState& s = Layer();
    s = PlatformState{};
    s.screen.width = width;
    s.screen.height = height;
    s.screen.pixels.assign(static_cast<size_t>(width) * height, 0xFFFFFF);
    s.dpiX = dpiX;
    s.dpiY = dpiY;
}

BOOL SetScreenDensity(int dpi, int width, int height) {
    if (dpi <= 0 || width <= 0 || height <= 0) return FALSE;
    PlatformState& s = Layer();
    s.screen.width = width;
    s.screen.height = height;
    s.screen.pixels.assign(static_cast<size_t>(width) * height, 0xFFFFFF);
    s.dpiX = s.dpiY = dpi;
    BackendScreenChanged();
    return TRUE;
}

void SetScreenMarginColour(COLORREF colour) {
    BackendMarginColour(colour);
}

GdiObject* FindObject(const void* obj, GdiKind kind) {
    GdiObject* o = FindAnyObject(obj);
    return o && o->kind == kind ? o : nullptr;
}

BOOL DeleteObject(HGDIOBJ obj) {
    auto& objects = Layer().objects;
    auto it =
        std::find_if(objects.begin(), objects.end(), [&](const auto& o) { return o.get() == obj; });
    if (it == objects.end()) return FindAnyObject(obj) ? TRUE : FALSE;  // stock: kept
    if ((*it)->deleted) return FALSE;
    // Still selected somewhere: it goes when the last context lets it go.
    if ((*it)->selections > 0) {
        (*it)->deleted = true;
        return TRUE;
    }
    objects.erase(it);
    return TRUE;
}

namespace {

HRGN__* FindRgn(HRGN rgn) {
    return static_cast<HRGN__*>(FindObject(rgn, GdiKind::Region));
}

int Complexity(const Region& r) {
    if (r.Empty()) return NULLREGION;
    return r.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto rgn = std::make_unique<HRGN__>();
    rgn->region.Add(RECT{left, top, right, bottom});
    HRGN handle = rgn.get();
    Layer().objects.push_back(std::move(rgn));
    return handle;
}

HRGN CreateRectRgnIndirect(const RECT* r) {
    return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
    HRGN__* d = FindRgn(dest);
    HRGN__* ra = FindRgn(a);
    HRGN__* rb = mode == RGN_COPY ? nullptr : FindRgn(b);
    if (!d || !ra || (mode != RGN_COPY && !rb)) return ERROR;
    Region result = ra->region;
    switch (mode) {
        case RGN_AND:
            result.Intersect(rb->region);
            break;
        case RGN_OR:
            result.Add(rb->region);
            break;
        case RGN_DIFF:
            result.Subtract(rb->region);
            break;
        case RGN_XOR: {
            Region both = result;
            both.Intersect(rb->region);
            result.Add(rb->region);
            result.Subtract(both);
            break;
        }
        case RGN_COPY:
            break;
        default:
            return ERROR;
    }
    d->region = std::move(result);
    return Complexity(d->region);
}

BOOL EqualRgn(HRGN a, HRGN b) {
    HRGN__* ra = FindRgn(a);
    HRGN__* rb = FindRgn(b);
    return ra && rb && ra->region.SameAs(rb->region);
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
    HRGN__* r = FindRgn(rgn);
    return r && r->region.Contains(x, y);
}

int GetRgnBox(HRGN rgn, RECT* box) {
    HRGN__* r = FindRgn(rgn);
    if (!r || !box) return ERROR;
    *box = r->region.Bounds();
    return Complexity(r->region);
}

int GetClipRgn(HDC hdc, HRGN rgn) {
    HDC__* dc = FindDc(hdc);
    HRGN__* r = FindRgn(rgn);
    if (!dc || !r) return -1;
    r->region = dc->clip;
    return 1;
}
