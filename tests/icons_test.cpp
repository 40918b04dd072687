// Icons: the three DrawIconEx flags, the game's padding of an icon,
// LoadImageW's choice of native image and its scaling, the shell's image
// loader and PNG files. The test pictures' names give their ids and sizes.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <tuple>

#include "platform/gdi_internal.h"
#include "res/resources.h"
#include "tests/fixture.h"
#include "ui/graphics.h"

extern const PictureResources testPictures;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kTable = RGB(255, 0, 255);  // shows through transparent pixels

const ProgramResources kTestResources{nullptr, 0, nullptr, 0, &testPictures,
                                      nullptr, 0, nullptr, 0};

class IconTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        PlatformSetResources(&kTestResources);
        screen = GetDC(nullptr);
        Paint({0, 0, 240, 320}, kTable);
    }
    void TearDown() override {
        ReleaseDC(nullptr, screen);
        RegisterResources();
    }
    void Paint(RECT r, COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(screen, &r, brush);
        DeleteObject(brush);
    }
    // A 2 x 1 icon: an opaque red pixel, then a transparent one.
    static HICON RedAndClear() {
        const uint32_t colour[2] = {0xFF0000, 0x000000};
        const BYTE mask[2] = {0x40, 0x00};  // 0 opaque, 1 transparent
        HBITMAP c = CreateBitmap(2, 1, 1, 32, colour);
        HBITMAP m = CreateBitmap(2, 1, 1, 1, mask);
        ICONINFO info{TRUE, 0, 0, m, c};
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(c);  // the icon keeps copies
        DeleteObject(m);
        return icon;
    }
    HDC screen = nullptr;
};

struct FlagCase {
    const char* what;
    UINT flags;
    COLORREF opaque, clear;  // what lands on the opaque and the transparent pixel
};

const FlagCase kFlags[] = {
    {"mask only: black where opaque, white where clear", DI_MASK, kBlack, kWhite},
    {"image only: the colours as they stand", DI_IMAGE, kRed, kBlack},
    {"normal: composited through the mask", DI_NORMAL, kRed, kTable},
};

TEST_F(IconTest, DrawIconExFlags) {
    HICON icon = RedAndClear();
    ASSERT_NE(icon, nullptr);
    // The context's text colours must not colour the mask.
    SetTextColor(screen, kGreen);
    SetBkColor(screen, kYellow);
    for (const FlagCase& c : kFlags) {
        SCOPED_TRACE(c.what);
        Paint({0, 0, 10, 10}, kTable);
        EXPECT_TRUE(DrawIconEx(screen, 1, 1, icon, 0, 0, 0, nullptr, c.flags));
        EXPECT_EQ(HeadlessPixel(1, 1), c.opaque);
        EXPECT_EQ(HeadlessPixel(2, 1), c.clear);
        EXPECT_EQ(HeadlessPixel(3, 1), kTable) << "drawn at its own size";
        // Stretched to 4 x 2.
        Paint({0, 0, 10, 10}, kTable);
        DrawIconEx(screen, 1, 1, icon, 4, 2, 0, nullptr, c.flags);
        EXPECT_EQ(HeadlessPixel(2, 2), c.opaque);
        EXPECT_EQ(HeadlessPixel(4, 2), c.clear);
    }
    EXPECT_FALSE(DrawIconEx(screen, 0, 0, icon, 0, 0, 0, nullptr, 0));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(screen, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
}

TEST_F(IconTest, PaddingCentresTheDrawing) {
    HICON small = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(901), 1, 8, 8, 0));
    ASSERT_NE(small, nullptr);
    RegisterResources();  // the game's own blank icon pads it
    HICON padded = nullptr;
    ASSERT_TRUE(PadIcon(small, &padded, 8, 8, 12, 12));
    DrawIconEx(screen, 0, 0, padded, 0, 0, 0, nullptr, DI_NORMAL);
    // The 8 x 8 drawing (red from 1 to 7) sits at offset 2.
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(HeadlessPixel(i, i), i >= 3 && i <= 8 ? kRed : kTable) << i;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(padded, &info));
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(std::tuple(bm.bmWidth, bm.bmBitsPixel), std::tuple(12, 1)) << "a monochrome mask";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(padded);
    DestroyIcon(small);
}

struct LoadCase {
    const char* what;
    UINT id;
    int size;
    std::vector<std::pair<POINT, COLORREF>> probes;
};

const LoadCase kLoads[] = {
    {"the native 8 x 8 image", 901, 8, {{{0, 0}, kTable}, {{1, 1}, kRed}, {{6, 6}, kRed}}},
    {"12 comes from the 16 x 16 image", 901, 12, {{{6, 6}, kBlue}, {{2, 2}, kTable}}},
    {"6 comes from the 8 x 8 image", 901, 6, {{{3, 3}, kRed}, {{0, 0}, kTable}}},
    {"20 enlarges the largest", 901, 20, {{{10, 10}, kBlue}, {{19, 0}, kTable}}},
    {"a quarter covered stays clear, three quarters are opaque",
     902,
     8,
     {{{0, 0}, kTable}, {{7, 7}, kYellow}, {{3, 3}, kBlue}, {{1, 1}, kTable}}},
};

TEST_F(IconTest, LoadImagePicksTheClosestImageAndKeepsEdgesHard) {
    const std::set<COLORREF> allowed{kTable, kRed, kGreen, kBlue, kYellow};
    for (const LoadCase& c : kLoads) {
        SCOPED_TRACE(c.what);
        Paint({0, 0, 40, 40}, kTable);
        auto icon = static_cast<HICON>(
            LoadImageW(nullptr, MAKEINTRESOURCEW(c.id), IMAGE_ICON, c.size, c.size, 0));
        ASSERT_NE(icon, nullptr);
        DrawIconEx(screen, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        for (const auto& [at, colour] : c.probes)
            EXPECT_EQ(HeadlessPixel(at.x, at.y), colour) << at.x << ", " << at.y;
        for (int y = 0; y < c.size; ++y)
            for (int x = 0; x < c.size; ++x)
                EXPECT_TRUE(allowed.count(HeadlessPixel(x, y))) << "blended at " << x << ", " << y;
        EXPECT_EQ(HeadlessPixel(c.size, c.size), kTable);
        DestroyIcon(icon);
    }
    ICONINFO info{};
    HICON own = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(901), IMAGE_ICON, 0, 0, 0));
    ASSERT_TRUE(GetIconInfo(own, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 16) << "size 0: the largest image at its own size";
    EXPECT_EQ(LoadImageW(nullptr, MAKEINTRESOURCEW(999), IMAGE_ICON, 8, 8, 0), nullptr);
    EXPECT_EQ(LoadImageW(nullptr, MAKEINTRESOURCEW(901), IMAGE_BITMAP, 8, 8, 0), nullptr);
    EXPECT_NE(LoadIconW(nullptr, IDI_INFORMATION), nullptr);
    EXPECT_NE(LoadIconW(nullptr, IDI_QUESTION), nullptr);
}

TEST_F(IconTest, TheShellLoaderGivesThePictureAtItsOwnSize) {
    HBITMAP back = SHLoadImageResource(GetModuleHandleW(nullptr), 950);
    ASSERT_NE(back, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(back, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(std::tuple(bm.bmWidth, bm.bmHeight), std::tuple(3, 2));
    HDC mem = CreateCompatibleDC(screen);
    SelectObject(mem, back);
    const COLORREF expected[2][3] = {{kRed, RGB(0, 255, 0), kBlue},
                                     {kWhite, kBlack, RGB(128, 128, 128)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(GetPixel(mem, x, y), expected[y][x]) << x << ", " << y;
    DeleteDC(mem);
    DeleteObject(back);
    EXPECT_EQ(SHLoadImageResource(nullptr, 951), nullptr);
}

TEST_F(IconTest, ScreenshotsRoundTripThroughPng) {
    Paint({5, 5, 50, 60}, RGB(12, 34, 56));
    SetTextColor(screen, kYellow);
    ExtTextOutW(screen, 60, 60, 0, nullptr, L"Velmora", 7, nullptr);
    std::string path = ::testing::TempDir() + "velmora_roundtrip.png";
    ASSERT_TRUE(HeadlessSaveScreenshot(path.c_str()));
    std::ifstream in(path, std::ios::binary);
    std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    Surface decoded;
    std::vector<BYTE> alpha;
    ASSERT_TRUE(PlatformDecodePng(bytes.data(), bytes.size(), &decoded, &alpha));
    ASSERT_EQ(decoded.width, 240);
    ASSERT_EQ(decoded.height, 320);
    int differences = 0;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            differences += ColorOf(Load(decoded, x, y)) != HeadlessPixel(x, y) ||
                           alpha[static_cast<size_t>(y) * 240 + x] != 255;
    EXPECT_EQ(differences, 0);
    EXPECT_FALSE(PlatformDecodePng(bytes.data(), bytes.size() / 2, &decoded, &alpha));
    EXPECT_FALSE(HeadlessSaveScreenshot("/nonexistent-folder/shot.png"));
}

}  // namespace
