// A set of pixels kept as disjoint rectangles: the update region of a
// window and the clip of a device context.
#pragma once

#include <vector>

#include "platform/platform.h"

class Region {
  public:
    Region() = default;
    explicit Region(const RECT& r) { Add(r); }

    void Add(const RECT& r);
    void Add(const Region& other);
    void Subtract(const RECT& r);
    void Subtract(const Region& other);
    void Intersect(const RECT& r);
    void Intersect(const Region& other);
    void Offset(int dx, int dy);
    void Clear() { rects_.clear(); }

    bool Empty() const { return rects_.empty(); }
    bool Contains(int x, int y) const;
    RECT Bounds() const;
    long Area() const;
    bool SameAs(const Region& other) const;
    const std::vector<RECT>& Rects() const { return rects_; }

  private:
    std::vector<RECT> rects_;  // pairwise disjoint, none empty
};
