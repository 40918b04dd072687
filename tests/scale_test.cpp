#include "ui/scale.h"
#include "tests/fixture.h"

namespace {

using ScaleTest = HeadlessTest;

struct ScaleCase {
    int dpi;
    int32_t n;
    int32_t pixels;
};

// Worked out by hand: dpi x n / 96, halves rounded up.
const ScaleCase kScale[] = {
    {96, 28, 28},  {96, 205, 205}, {96, 240, 240}, {96, 9, 9},      {128, 9, 12},
    {128, 28, 37}, {128, 40, 53},  {128, 2, 3},    {128, 204, 272}, {128, 32, 43},
    {131, 28, 38}, {131, 40, 55},  {131, 32, 44},  {131, 9, 12},    {192, 28, 56},
    {192, 40, 80}, {192, 9, 18},   {192, 32, 64},  {240, 28, 70},   {240, 40, 100},
    {240, 9, 23},  {240, 2, 5},    {96, 0, 0},     {128, 1, 1},     {131, 3, 4},
};

TEST_F(ScaleTest, ScalesDesignUnitsAtEachDensity) {
    for (const ScaleCase& c : kScale) {
        StartScreen(c.dpi);
        EXPECT_EQ(ScaleX(c.n), c.pixels) << c.dpi << " dpi, ScaleX(" << c.n << ")";
        EXPECT_EQ(ScaleY(c.n), c.pixels) << c.dpi << " dpi, ScaleY(" << c.n << ")";
    }
}

struct ButtonCase {
    int dpi;
    RECT lower;
    RECT upper;
};

const ButtonCase kButtons[] = {
    {96, {204, 170, 236, 202}, {204, 120, 236, 152}},
    {128, {272, 227, 315, 269}, {272, 160, 315, 203}},
    {131, {278, 232, 322, 276}, {278, 164, 322, 207}},
    {192, {408, 340, 472, 404}, {408, 240, 472, 304}},
    {240, {510, 425, 590, 505}, {510, 300, 590, 380}},
};

TEST_F(ScaleTest, ButtonRectanglesFollowTheDensity) {
    for (const ButtonCase& c : kButtons) {
        StartScreen(c.dpi);
        ComputeButtonRects();
        EXPECT_EQ(lowerButtonRect, c.lower) << c.dpi << " dpi";
        EXPECT_EQ(upperButtonRect, c.upper) << c.dpi << " dpi";
    }
}

TEST_F(ScaleTest, EachAxisUsesItsOwnDensity) {
    HeadlessStart(96, 192, 240, 640);
    ForgetDensities();
    EXPECT_EQ(ScaleX(28), 28);
    EXPECT_EQ(ScaleY(40), 80);
    EXPECT_EQ(ScaleRect(units::tableArea), (RECT{2, 142, 199, 234}));
}

TEST_F(ScaleTest, DensityIsReadOnceAndKept) {
    StartScreen(128);
    EXPECT_EQ(DensityX(), 128);
    EXPECT_EQ(DensityY(), 128);
    HeadlessStartAtDpi(192);  // the screen changes, the program does not see it
    EXPECT_EQ(DensityX(), 128);
    EXPECT_EQ(ScaleX(28), 37);
    EXPECT_EQ(ScreenCaps(LOGPIXELSX), 192);
}

TEST_F(ScaleTest, UnreadableScreenGivesMinusOne) {
    HeadlessSetScreenAvailable(false);
    ForgetDensities();
    EXPECT_EQ(ScreenCaps(LOGPIXELSX), -1);
    EXPECT_EQ(DensityX(), -1);
    // -n + 48 truncated toward zero: the constants in use scale to 0 or -1.
    EXPECT_EQ(ScaleX(28), 0);
    EXPECT_EQ(ScaleX(204), -1);
    HeadlessSetScreenAvailable(true);
    EXPECT_EQ(DensityX(), -1);  // still the value first read
}

}  // namespace
