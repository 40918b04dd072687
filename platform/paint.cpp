// Update regions, painting and device contexts.
#include <algorithm>

#include "platform/backend.h"
#include "platform/gdi_internal.h"

namespace {

RECT ClientRectOf(const HWND__* w) {
    return {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
}

// What a window shows: its client area less every visible window stacked
// above it, in client pixels.
Region VisiblePart(const HWND__* w) {
    Region visible(ClientRectOf(w));
    bool above = false;
    for (const auto& other : Layer().windows) {
        if (other.get() == w) {
            above = true;
            continue;
        }
        if (!above || !other->visible || other->destroying) continue;
        RECT covered = other->rect;
        OffsetRect(&covered, -w->rect.left, -w->rect.top);
        visible.Subtract(covered);
    }
    return visible;
}

}  // namespace

HDC__* FindDc(HDC hdc) {
    if (!hdc) return nullptr;
    for (const auto& dc : Layer().dcs)
        if (dc.get() == hdc) return dc.get();
    return nullptr;
}

HDC NewDc(HWND window, Surface* surface, POINT origin, const Region& clip) {
    auto dc = std::make_unique<HDC__>();
    dc->window = window;
    dc->surface = surface;
    dc->origin = origin;
    dc->clip = clip;
    HDC handle = dc.get();
    Layer().dcs.push_back(std::move(dc));
    return handle;
}

void FreeDc(HDC hdc) {
    if (HDC__* dc = FindDc(hdc)) ReleaseSelections(dc);
    std::erase_if(Layer().dcs, [&](const auto& dc) { return dc.get() == hdc; });
}

namespace {

// Clipped to the client area, whose corner is (0, 0); an empty rectangle
// adds nothing and leaves the erase flag alone. Inline: every repaint
// request of the game comes this way.
[[gnu::always_inline]] inline void AddClipped(HWND__* w, const RECT& area, bool erase) {
    RECT clipped{std::max(area.left, 0), std::max(area.top, 0),
                 std::min(area.right, w->rect.right - w->rect.left),
                 std::min(area.bottom, w->rect.bottom - w->rect.top)};
    if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) return;
    w->update.Add(clipped);
    w->erasePending = w->erasePending || erase;
}

}  // namespace

void AddToUpdate(HWND__* w, const RECT* clientRect, bool erase) {
    AddClipped(w, clientRect ? *clientRect : ClientRectOf(w), erase);
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!hwnd) {
        // No window named: the whole screen, every window.
        RECT screen{0, 0, Layer().screen.width, Layer().screen.height};
        BackendNoteInvalidate(nullptr, screen);
        for (const auto& w : Layer().windows)
            AddToUpdate(w.get(), nullptr, true);
        return TRUE;
    }
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    RECT area = rect ? *rect : ClientRectOf(w);
    BackendNoteInvalidate(hwnd, area);
    AddClipped(w, area, erase != 0);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    if (rect) {
        w->update.Subtract(*rect);
    } else {
        w->update.Clear();
    }
    if (w->update.Empty()) w->erasePending = false;
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    if (rect) *rect = w->update.Bounds();
    return !w->update.Empty();
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL) {
    HWND__* w = FindWindowRecord(hwnd);
    auto* r = static_cast<HRGN__*>(FindObject(rgn, GdiKind::Region));
    if (!w || !r) return ERROR;
    r->region = w->update;
    if (w->update.Empty()) return NULLREGION;
    return w->update.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL UpdateWindow(HWND hwnd) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    if (w->visible && !w->update.Empty()) SendMessageW(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    // The region is handed over to the context and the window is valid again.
    Region handed = std::move(w->update);
    w->update.Clear();
    bool erase = w->erasePending;
    w->erasePending = false;
    // The whole region is validated, but only the part not covered by the
    // windows above reaches the screen; they uncover it again when they go.
    handed.Intersect(VisiblePart(w));
    HDC hdc = NewDc(hwnd, &Layer().screen, {w->rect.left, w->rect.top}, handed);
    ps->hdc = hdc;
    ps->rcPaint = handed.Bounds();
    if (erase)
        ps->fErase = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
    return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* ps) {
    HDC__* dc = ps ? FindDc(ps->hdc) : nullptr;
    if (!dc) return FALSE;
    RECT changed = dc->clip.Bounds();
    OffsetRect(&changed, dc->origin.x, dc->origin.y);
    bool onScreen = dc->surface == &Layer().screen;
    FreeDc(ps->hdc);
    if (onScreen && !IsRectEmpty(&changed)) BackendPresent(changed);
    return TRUE;
}

HWND GetDesktopWindow() {
    // Stands for the whole screen; it is in no stack and gets no messages.
    static HWND__ desktop;
    return &desktop;
}

HDC GetWindowDC(HWND hwnd) {
    return GetDC(hwnd);  // windows have no frame: the window is its client area
}

HDC GetDC(HWND hwnd) {
    PlatformState& s = Layer();
    if (!hwnd || hwnd == GetDesktopWindow()) {
        if (!s.screenAvailable) return nullptr;
        return NewDc(nullptr, &s.screen, {0, 0},
                     Region(RECT{0, 0, s.screen.width, s.screen.height}));
    }
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return nullptr;
    return NewDc(hwnd, &s.screen, {w->rect.left, w->rect.top}, VisiblePart(w));
}

int ReleaseDC(HWND, HDC hdc) {
    if (!FindDc(hdc)) return 0;
    FreeDc(hdc);
    return 1;
}

int GetDeviceCaps(HDC hdc, int index) {
    if (!FindDc(hdc)) return 0;
    const PlatformState& s = Layer();
    switch (index) {
        case LOGPIXELSX:
            return s.dpiX;
        case LOGPIXELSY:
            return s.dpiY;
        case HORZRES:
            return s.screen.width;
        case VERTRES:
            return s.screen.height;
        case BITSPIXEL:
            return 32;
        default:
            return 0;
    }
}
