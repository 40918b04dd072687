// A set of pixels kept as disjoint rectangles: the update region of a
// window and the clip of a device context.
#pragma once

#include <array>
#include <cstdint>
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
    void Clear() {
        rects_.clear();
        pending_.clear();
        slots_.fill(0);
    }

    bool Empty() const { return rects_.empty() && pending_.empty(); }
    bool Contains(int x, int y) const;
    RECT Bounds() const;
    long Area() const;
    bool SameAs(const Region& other) const;
    const std::vector<RECT>& Rects() const {
        Settle();
        return rects_;
    }

  private:
    // Cuts the pending rectangles into the disjoint set, in the order added.
    void Settle() const;

    // A window's update region takes dozens of overlapping card rectangles
    // between two paints, most of them repeats: they wait, uncut, until the
    // disjoint set is asked for, and a repeat is found by a hash of its
    // edges and dropped.
    mutable std::vector<RECT> rects_;           // pairwise disjoint, none empty
    mutable std::vector<RECT> pending_;         // none empty, no two alike
    mutable std::array<uint8_t, 128> slots_{};  // 1 + the place in pending_, 0 for none
};
