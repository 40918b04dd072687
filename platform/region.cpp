#include "platform/region.h"

#include <algorithm>

namespace {

constexpr size_t kMostPending = 64;  // half the hash slots at most, so probes stay short

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

bool Inside(const RECT& inner, const RECT& outer) {
    return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
           inner.bottom <= outer.bottom;
}

// Adds to the disjoint set the parts of r it does not hold yet.
void AddDisjoint(std::vector<RECT>& rects, const RECT& r) {
    static std::vector<RECT> pieces, next;  // scratch, kept to spare allocations
    pieces.assign(1, r);
    for (const RECT& have : rects) {
        next.clear();
        for (const RECT& p : pieces)
            Cut(p, have, next);
        pieces.swap(next);
        if (pieces.empty()) return;
    }
    rects.insert(rects.end(), pieces.begin(), pieces.end());
}

}  // namespace

void Region::Settle() const {
    for (const RECT& r : pending_)
        AddDisjoint(rects_, r);
    pending_.clear();
    slots_.fill(0);
}

void Region::AddNew(const RECT& r, size_t slot) {
    // A window that is never painted must not gather rectangles for ever.
    // Settling empties every slot, so the one found stays free.
    if (pending_.size() >= kMostPending) Settle();
    if (std::any_of(rects_.begin(), rects_.end(),
                    [&](const RECT& have) { return Inside(r, have); }))
        return;
    pending_.push_back(r);
    slots_[slot] = static_cast<uint8_t>(pending_.size());
}

void Region::Add(const Region& other) {
    for (const RECT& r : other.Rects())
        Add(r);
}

void Region::Subtract(const RECT& r) {
    if (EmptyRect(r)) return;
    Settle();
    std::vector<RECT> next;
    for (const RECT& have : rects_)
        Cut(have, r, next);
    rects_.swap(next);
}

void Region::Subtract(const Region& other) {
    for (const RECT& r : other.Rects())
        Subtract(r);
}

void Region::Intersect(const RECT& r) {
    Settle();
    std::vector<RECT> next;
    for (const RECT& have : rects_) {
        RECT i{std::max(have.left, r.left), std::max(have.top, r.top),
               std::min(have.right, r.right), std::min(have.bottom, r.bottom)};
        if (!EmptyRect(i)) next.push_back(i);
    }
    rects_.swap(next);
}

void Region::Intersect(const Region& other) {
    Settle();
    Region result;
    for (const RECT& r : other.Rects()) {
        Region part = *this;
        part.Intersect(r);
        // Pieces of one disjoint set cut by disjoint rectangles stay disjoint.
        result.rects_.insert(result.rects_.end(), part.rects_.begin(), part.rects_.end());
    }
    rects_.swap(result.rects_);
}

void Region::Offset(int dx, int dy) {
    Settle();
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

bool Region::Contains(int x, int y) const {
    auto inside = [&](const RECT& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    };
    return std::any_of(rects_.begin(), rects_.end(), inside) ||
           std::any_of(pending_.begin(), pending_.end(), inside);
}

RECT Region::Bounds() const {
    if (Empty()) return {0, 0, 0, 0};
    RECT b = rects_.empty() ? pending_.front() : rects_.front();
    for (const std::vector<RECT>* list : {&rects_, &pending_})
        for (const RECT& r : *list) {
            b.left = std::min(b.left, r.left);
            b.top = std::min(b.top, r.top);
            b.right = std::max(b.right, r.right);
            b.bottom = std::max(b.bottom, r.bottom);
        }
    return b;
}

long Region::Area() const {
    Settle();
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
