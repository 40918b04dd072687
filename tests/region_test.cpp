#include "platform/region.h"
#include "tests/fixture.h"

namespace {

// Overlaps, holes and cuts across an edge are left to the pixel-map test.
TEST(RegionTest, EmptyRectanglesAddNothingAndAnEmptiedRegionHasNoBounds) {
    Region r;
    r.Add(RECT{5, 5, 5, 9});
    r.Add(RECT{3, 3, 2, 8});
    EXPECT_TRUE(r.Empty());
    r.Add(RECT{0, 0, 10, 10});
    r.Add(RECT{20, 20, 30, 30});
    r.Subtract(RECT{-1, -1, 40, 40});
    EXPECT_EQ(r.Area(), 0);
    EXPECT_EQ(r.Bounds(), (RECT{0, 0, 0, 0}));
    EXPECT_FALSE(r.Contains(25, 25));
}

TEST(RegionTest, IntersectAndCompareAsSets) {
    Region a;
    a.Add(RECT{0, 0, 10, 10});
    a.Add(RECT{10, 0, 20, 10});
    Region b(RECT{0, 0, 20, 10});
    EXPECT_TRUE(a.SameAs(b)) << "two halves are the whole";
    Region c = a;
    c.Intersect(Region(RECT{5, 5, 15, 30}));
    EXPECT_EQ(c.Area(), 50);
    EXPECT_TRUE(c.SameAs(Region(RECT{5, 5, 15, 10})));
    c.Offset(10, 1);
    EXPECT_EQ(c.Bounds(), (RECT{15, 6, 25, 11}));
}

// Card-sized rectangles laid over each other again and again, as a window's
// update region gets them between paints, against a plain pixel map. A cut
// comes seldom enough for more than 64 to wait uncut.
TEST(RegionTest, ManyOverlappingRectanglesMatchAPixelMap) {
    constexpr int kSize = 64;  // rectangles start in the first 40 and reach 16 further
    std::vector<char> pixels(kSize * kSize, 0);
    Region r;
    uint32_t state = 12345;
    auto next = [&](int n) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<uint32_t>(n));
    };
    for (int i = 0; i < 400; ++i) {
        RECT rect{next(40), next(40), 0, 0};
        rect.right = rect.left + 1 + next(12);
        rect.bottom = rect.top + 1 + next(16);
        bool subtract = i % 89 == 88;
        subtract ? r.Subtract(rect) : r.Add(rect);
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                pixels[y * kSize + x] = subtract ? 0 : 1;
        if (i % 100 != 99 && i != 80) continue;
        SCOPED_TRACE(testing::Message() << "after " << i);
        // Asked as they come, before and after the set is cut into pieces.
        RECT bounds{kSize, kSize, 0, 0};
        long area = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                ASSERT_EQ(r.Contains(x, y), pixels[y * kSize + x] == 1) << x << "," << y;
                if (!pixels[y * kSize + x]) continue;
                ++area;
                bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                          std::max<LONG>(bounds.right, x + 1),
                          std::max<LONG>(bounds.bottom, y + 1)};
            }
        EXPECT_EQ(r.Bounds(), bounds);
        EXPECT_EQ(r.Area(), area) << "overlapping pieces would count twice";
        EXPECT_EQ(r.Bounds(), bounds);
    }
}

}  // namespace
