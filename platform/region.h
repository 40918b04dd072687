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

    // Inline, for the common case: a repeat of a rectangle already waiting.
    void Add(const RECT& r) {
        if (r.right <= r.left || r.bottom <= r.top) return;
        size_t slot = SlotOf(r);
        for (uint8_t at; (at = slots_[slot]) != 0; slot = (slot + 1) & kSlotMask)
            if (pending_[at - 1u] == r) return;
        AddNew(r, slot);
    }
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
    static constexpr size_t kSlotMask = 127;
    static size_t SlotOf(const RECT& r) {
        auto edge = [](LONG v) { return static_cast<uint32_t>(v); };
        uint32_t h = edge(r.left) ^ edge(r.top) << 8 ^ edge(r.right) << 16 ^ edge(r.bottom) << 24;
        return (h * 0x9E3779B1u) >> 25;  // the top 7 bits: one of 128 slots
    }
    // r is new to the pending list; slot is the empty one its probe ended on.
    void AddNew(const RECT& r, size_t slot);
    // Cuts the pending rectangles into the disjoint set, in the order added.
    void Settle() const;

    // A window's update region takes dozens of overlapping card rectangles
    // between two paints, most of them repeats: they wait, uncut, until the
    // disjoint set is asked for, and a repeat is found by a hash of its
    // edges and dropped.
    mutable std::vector<RECT> rects_;                     // pairwise disjoint, none empty
    mutable std::vector<RECT> pending_;                   // none empty, no two alike
    mutable std::array<uint8_t, kSlotMask + 1> slots_{};  // 1 + the place in pending_, 0 for none
};
