#include "platform/region.h"
#include "tests/fixture.h"

namespace {

struct RegionCase {
    const char* what;
    std::vector<RECT> add;
    std::vector<RECT> subtract;
    long area;
    RECT bounds;
    std::vector<POINT> inside;
    std::vector<POINT> outside;
};

// Overlaps, gaps and containment are left to the pixel-map test below.
const RegionCase kRegions[] = {
    {"one rectangle, right and bottom exclusive",
     {{0, 0, 10, 10}},
     {},
     100,
     {0, 0, 10, 10},
     {{0, 0}, {9, 9}},
     {{10, 0}, {0, 10}, {-1, 0}}},
    {"empty rectangles ignored", {{5, 5, 5, 9}, {3, 3, 2, 8}}, {}, 0, {0, 0, 0, 0}, {}, {{5, 5}}},
    {"hole punched in the middle",
     {{0, 0, 9, 9}},
     {{3, 3, 6, 6}},
     72,
     {0, 0, 9, 9},
     {{2, 2}, {6, 6}, {3, 2}},
     {{3, 3}, {5, 5}}},
    {"subtract across an edge",
     {{0, 0, 10, 10}},
     {{5, -5, 20, 20}},
     50,
     {0, 0, 5, 10},
     {{4, 9}},
     {{5, 0}}},
    {"subtract everything",
     {{0, 0, 10, 10}, {20, 20, 30, 30}},
     {{-1, -1, 40, 40}},
     0,
     {0, 0, 0, 0},
     {},
     {{0, 0}, {25, 25}}},
};

TEST(RegionTest, UnionAndDifference) {
    for (const RegionCase& c : kRegions) {
        Region r;
        for (const RECT& a : c.add)
            r.Add(a);
        for (const RECT& s : c.subtract)
            r.Subtract(s);
        EXPECT_EQ(r.Area(), c.area) << c.what;
        EXPECT_EQ(r.Bounds(), c.bounds) << c.what;
        for (POINT p : c.inside)
            EXPECT_TRUE(r.Contains(p.x, p.y)) << c.what << " " << p.x << "," << p.y;
        for (POINT p : c.outside)
            EXPECT_FALSE(r.Contains(p.x, p.y)) << c.what << " " << p.x << "," << p.y;
        // The rectangles stay disjoint, or the area would count twice.
        const auto& rects = r.Rects();
        for (size_t i = 0; i < rects.size(); ++i)
            for (size_t j = i + 1; j < rects.size(); ++j) {
                RECT overlap;
                EXPECT_FALSE(IntersectRect(&overlap, &rects[i], &rects[j])) << c.what;
            }
    }
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
// update region gets them between paints, against a plain pixel map.
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
        bool subtract = i % 37 == 36;
        subtract ? r.Subtract(rect) : r.Add(rect);
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                pixels[y * kSize + x] = subtract ? 0 : 1;
        if (i % 100 != 99) continue;
        // Asked as they come, before and after the set is cut into pieces.
        RECT bounds = r.Bounds();
        long area = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                ASSERT_EQ(r.Contains(x, y), pixels[y * kSize + x] == 1)
                    << "after " << i << " at " << x << "," << y;
                area += pixels[y * kSize + x];
            }
        EXPECT_EQ(r.Area(), area) << "after " << i;
        EXPECT_EQ(r.Bounds(), bounds) << "after " << i;
        const auto& rects = r.Rects();
        for (size_t a = 0; a < rects.size(); ++a) {
            for (size_t b = a + 1; b < rects.size(); ++b) {
                RECT overlap;
                ASSERT_FALSE(IntersectRect(&overlap, &rects[a], &rects[b])) << "after " << i;
            }
        }
    }
}

}  // namespace
