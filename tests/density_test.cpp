#include "platform/density.h"

#include <gtest/gtest.h>

#include "platform/internal.h"

namespace {

struct DensityCase {
    const char* what;
    int width, height;  // usable area
    const char* override;
    int forced;  // DensityOverride: the value, 0 unset, -1 ignored
    int dpi;
};

// Frames take 16 x 64 pixels. Worked out by hand from the screen's
// 240 x 320 units at dpi / 96 pixels each.
const DensityCase kDensities[] = {
    {"1280x1024: 960 rows fit exactly at 288", 1280, 1024, nullptr, 0, 288},
    {"one row short of 288", 1280, 1023, nullptr, 0, 240},
    {"a 1440-row desktop", 2560, 1440, nullptr, 0, 384},
    {"a narrow phone is held by its width", 720, 1380, nullptr, 0, 240},
    {"just room for 96", 256, 384, nullptr, 0, 96},
    {"one row short of 96: the largest whole density below", 256, 383, nullptr, 0, 95},
    {"a small display", 300, 300, nullptr, 0, 70},
    {"nothing fits: the least density", 50, 50, nullptr, 0, kMinDensity},
    {"display not known", 0, 0, nullptr, 0, 96},
    {"the override wins", 1280, 1024, "144", 144, 144},
    {"the override wins when nothing is known", 0, 0, "192", 192, 192},
    {"override at the upper limit", 1280, 1024, "960", 960, 960},
    {"override at the lower limit", 1280, 1024, "24", 24, 24},
    {"leading zeros are still decimal", 1280, 1024, "0144", 144, 144},
    {"override above the limit is ignored", 1280, 1024, "961", -1, 288},
    {"override below the limit is ignored", 1280, 1024, "23", -1, 288},
    {"zero is ignored", 1280, 1024, "0", -1, 288},
    {"override with trailing text is ignored", 1280, 1024, "144dpi", -1, 288},
    {"letters are ignored", 1280, 1024, "abc", -1, 288},
    {"empty override is ignored", 1280, 1024, "", -1, 288},
    {"a leading blank is ignored", 1280, 1024, " 96", -1, 288},
    {"a plus sign is ignored", 1280, 1024, "+96", -1, 288},
    {"negative override is ignored", 1280, 1024, "-96", -1, 288},
    {"overflow is ignored", 1280, 1024, "99999999999999999999", -1, 288},
    {"a wrap to a valid density is ignored", 1280, 1024, "4294967392", -1, 288},
};

TEST(DensityTest, ChoosesTheLargestDensityThatFits) {
    for (const DensityCase& c : kDensities) {
        EXPECT_EQ(DensityOverride(c.override), c.forced) << c.what;
        EXPECT_EQ(ChooseDensity(c.width, c.height, 16, 64, c.override), c.dpi) << c.what;
    }
}

TEST(DensityTest, ChosenScreenFitsAndTheNextDoesNot) {
    for (int height = 200; height <= 2200; height += 37) {
        int dpi = ChooseDensity(4000, height, 0, 0, nullptr);
        if (dpi == kMinDensity) continue;
        EXPECT_LE(ScreenHeightAt(dpi), height) << height;
        int next = dpi >= 96 ? dpi + 48 : dpi + 1;
        EXPECT_GT(ScreenHeightAt(next), height) << height;
        if (dpi >= 96) {
            EXPECT_EQ(dpi % 48, 0) << height;
        }
    }
}

}  // namespace

// A resized window: the largest whole density whose screen fits it.
TEST(DensityTest, FitDensityForWindowSizes) {
    const struct {
        const char* what;
        int width, height, dpi;
    } kWindows[] = {
        {"tiny", 100, 100, 30},
        {"nothing fits: the least", 50, 50, kMinDensity},
        {"a 1366x768 laptop, held by its height", 1366, 768, 230},
        {"a 720x1440 phone, across its whole width", 720, 1440, 288},
        {"4K, held by its height", 3840, 2160, 648},
        {"exactly 96", 240, 320, 96},
        {"one column short of 96", 239, 320, 95},
        {"larger than the largest", 20000, 20000, kMaxDensity},
    };
    for (const auto& w : kWindows)
        EXPECT_EQ(FitDensity(w.width, w.height), w.dpi) << w.what;
}

// A page: any whole density the glyphs are drawn for, the largest that fits.
TEST(DensityTest, FitPageDensity) {
    const struct {
        const char* what;
        int width, height, dpi;
    } kPages[] = {
        {"a 1366x768 laptop: 230, not 192", 1366, 768, 230},
        {"one row short of 230", 1366, 766, 229},
        {"a 1080x2340 phone portrait, held by its width", 1080, 2340, 432},
        {"smaller than the smallest", 20, 20, kMinDensity},
        {"an 8K display: no more than the glyphs cover", 7680, 4320, kMaxPageDensity},
    };
    for (const auto& p : kPages)
        EXPECT_EQ(FitPageDensity(p.width, p.height), p.dpi) << p.what;
}

// A room that fits another density asks for it at that density's size; a
// room back at the screen's density takes back an ask not yet handed on.
TEST(DensityTest, FitsAsksForAnotherDensityOnly) {
    PlatformReset(ScreenWidthAt(96), ScreenHeightAt(96), 96, 96);
    PlatformDensityFits(144);
    EXPECT_EQ(Layer().pendingDpi, 144);
    EXPECT_EQ(Layer().pendingScreen.cx, 360);
    EXPECT_EQ(Layer().pendingScreen.cy, 480);
    PlatformDensityFits(96);
    EXPECT_EQ(Layer().pendingDpi, 0);
}
