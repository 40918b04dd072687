#include "ui/scale.h"
#include "tests/fixture.h"

namespace {

using ScaleTest = HeadlessTest;

struct ScaleCase {
    int dpi;
    int32_t n, pixels;
};

// Worked out by hand: dpi x n / 96, halves rounded up.
const ScaleCase kScale[] = {
    {.dpi = 96, .n = 28, .pixels = 28},    {.dpi = 96, .n = 0, .pixels = 0},
    {.dpi = 128, .n = 28, .pixels = 37},   {.dpi = 128, .n = 32, .pixels = 43},
    {.dpi = 131, .n = 3, .pixels = 4},     {.dpi = 131, .n = 40, .pixels = 55},
    {.dpi = 192, .n = 40, .pixels = 80},   {.dpi = 240, .n = 9, .pixels = 23},
    {.dpi = 128, .n = 204, .pixels = 272},
};

TEST_F(ScaleTest, ScalesDesignUnitsAtEachDensity) {
    for (const ScaleCase& c : kScale) {
        SCOPED_TRACE(testing::Message() << c.dpi << " dpi, " << c.n << " units");
        StartScreen(c.dpi);
        EXPECT_EQ(ScaleX(c.n), c.pixels);
        EXPECT_EQ(ScaleY(c.n), c.pixels);
    }
}

// Across at 96 dpi, down at 192: each axis, and each button, scales on its own.
TEST_F(ScaleTest, EachAxisUsesItsOwnDensity) {
    HeadlessStart(96, 192, 240, 640);
    ForgetDensities();
    EXPECT_EQ(ScaleRect(units::tableArea), (RECT{2, 142, 199, 234}));
    ComputeButtonRects();
    EXPECT_EQ(lowerButtonRect, (RECT{204, 340, 236, 404}));
    EXPECT_EQ(upperButtonRect, (RECT{204, 240, 236, 304}));
}

TEST_F(ScaleTest, DensityIsReadOnceAndKept) {
    StartScreen(128);
    EXPECT_EQ(DensityX(), 128);
    EXPECT_EQ(DensityY(), 128);
    HeadlessStartAtDpi(192);  // the screen changes, the program does not see it
    EXPECT_EQ(ScaleX(28), 37);
    EXPECT_EQ(ScaleY(28), 37);
    EXPECT_EQ(ScreenCaps(LOGPIXELSX), 192);
}

TEST_F(ScaleTest, UnreadableScreenGivesMinusOne) {
    HeadlessSetScreenAvailable(false);
    ForgetDensities();
    EXPECT_EQ(ScreenCaps(LOGPIXELSX), -1);
    // -n + 48 truncated toward zero: the constants in use scale to 0 or -1.
    EXPECT_EQ(ScaleX(28), 0);
    EXPECT_EQ(ScaleX(204), -1);
    HeadlessSetScreenAvailable(true);
    EXPECT_EQ(DensityX(), -1);  // still the value first read
}

}  // namespace
