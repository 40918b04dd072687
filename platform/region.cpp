#include "platform/region.h"

#include <algorithm>

namespace {

bool EmptyRect(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Appends the parts of a that lie outside b: at most four bands.
void Cut(const RECT& a, const RECT& b, std::vector<RECT>& out) {
    if (!Overlap(a, b)) {
        out.push_back(a);
        return;
    }
    if (a.top < b.top) out.push_back({a.left, a.top, a.right, b.top});
    if (b.bottom < a.bottom) out.push_back({a.left, b.bottom, a.right, a.bottom});
    LONG top = std::max(a.top, b.top), bottom = std::min(a.bottom, b.bottom);
    if (a.left < b.left) out.push_back({a.left, top, b.left, bottom});
    if (b.right < a.right) out.push_back({b.right, top, a.right, bottom});
}

}  // namespace

void Region::Add(const RECT& r) {
    if (EmptyRect(r)) return;
    std::vector<RECT> pieces{r}, next;
    for (const RECT& have : rects_) {
        next.clear();
        for (const RECT& p : pieces)
            Cut(p, have, next);
        pieces.swap(next);
        if (pieces.empty()) return;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::Add(const Region& other) {
    for (const RECT& r : other.rects_)
        Add(r);
}

void Region::Subtract(const RECT& r) {
    if (EmptyRect(r)) return;
    std::vector<RECT> next;
    for (const RECT& have : rects_)
        Cut(have, r, next);
    rects_.swap(next);
}

void Region::Subtract(const Region& other) {
    for (const RECT& r : other.rects_)
        Subtract(r);
}

void Region::Intersect(const RECT& r) {
    std::vector<RECT> next;
    for (const RECT& have : rects_) {
        RECT i{std::max(have.left, r.left), std::max(have.top, r.top),
               std::min(have.right, r.right), std::min(have.bottom, r.bottom)};
        if (!EmptyRect(i)) next.push_back(i);
    }
    rects_.swap(next);
}

void Region::Intersect(const Region& other) {
    Region result;
    for (const RECT& r : other.rects_) {
        Region part = *this;
        part.Intersect(r);
        // Pieces of one disjoint set cut by disjoint rectangles stay disjoint.
        result.rects_.insert(result.rects_.end(), part.rects_.begin(), part.rects_.end());
    }
    rects_.swap(result.rects_);
}

void Region::Offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

bool Region::Contains(int x, int y) const {
    return std::any_of(rects_.begin(), rects_.end(), [&](const RECT& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

RECT Region::Bounds() const {
    if (rects_.empty()) return {0, 0, 0, 0};
    RECT b = rects_.front();
    for (const RECT& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

long Region::Area() const {
    long area = 0;
    for (const RECT& r : rects_)
        area += long(r.right - r.left) * (r.bottom - r.top);
    return area;
}

bool Region::SameAs(const Region& other) const {
    // Equal sets: same area, and nothing of one lies outside the other.
    if (Area() != other.Area()) return false;
    Region rest = *this;
    rest.Subtract(other);
    return rest.Empty();
}

BOOL SetRect(RECT* r, int left, int top, int right, int bottom) {
    if (!r) return FALSE;
    *r = {left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(RECT* r) {
    return SetRect(r, 0, 0, 0, 0);
}

BOOL IsRectEmpty(const RECT* r) {
    return !r || EmptyRect(*r);
}

BOOL PtInRect(const RECT* r, POINT p) {
    return r && p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}

BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b) {
    if (!out || !a || !b) return FALSE;
    RECT i{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (EmptyRect(i)) {
        *out = {0, 0, 0, 0};
        return FALSE;
    }
    *out = i;
    return TRUE;
}

BOOL UnionRect(RECT* out, const RECT* a, const RECT* b) {
    if (!out || !a || !b) return FALSE;
    if (EmptyRect(*a)) {
        *out = EmptyRect(*b) ? RECT{0, 0, 0, 0} : *b;
    } else if (EmptyRect(*b)) {
        *out = *a;
    } else {
        *out = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    }
    return !EmptyRect(*out);
}

BOOL OffsetRect(RECT* r, int dx, int dy) {
    if (!r) return FALSE;
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return TRUE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    return a && b && *a == *b;
}
