// Drawing on the headless screen. Filling, copying and stretching pixels,
// raster operations, monochrome bitmaps and the lifetime of selected
// objects; icons: the three DrawIconEx flags, the game's padding of an icon,
// LoadImageW's choice of native image and its scaling, the shell's image
// loader and PNG files, the test pictures' names giving their ids and sizes;
// fonts, text metrics and extents, ExtTextOutW and DrawTextW at the
// densities the game runs at. Each test starts a new layer, which frees the
// objects it leaves.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <span>
#include <string>
#include <tuple>

#include "platform/fonts.h"
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

class GdiTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        screen = GetDC(nullptr);
    }
    void TearDown() override { ReleaseDC(nullptr, screen); }

    // A memory context holding a colour bitmap of w x h, filled with color.
    HDC ColourCanvas(int w, int h, COLORREF color) {
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
        SelectObject(mem, bmp);  // freed with the layer when the test ends
        Fill(mem, {0, 0, w, h}, color);
        return mem;
    }
    // Each pixel of the context (the screen's when null) against its colour.
    struct Probe {
        int x, y;
        COLORREF colour;
    };
    void ExpectPixels(HDC dc, std::span<const Probe> probes) const {
        for (const Probe& p : probes)
            EXPECT_EQ(GetPixel(dc ? dc : screen, p.x, p.y), p.colour) << p.x << ", " << p.y;
    }
    static void Fill(HDC hdc, RECT r, COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(hdc, &r, brush);
        DeleteObject(brush);
    }
    HDC screen = nullptr;
};

const ProgramResources kTestResources{nullptr, 0, nullptr, 0, &testPictures,
                                      nullptr, 0, nullptr, 0};

// The test pictures over a table colour that shows through where they are clear.
class IconTest : public GdiTest {
  protected:
    void SetUp() override {
        GdiTest::SetUp();
        PlatformSetResources(&kTestResources);
        Fill(screen, {0, 0, 240, 320}, kTable);
    }
    void TearDown() override {
        GdiTest::TearDown();
        RegisterResources();
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
};

TEST_F(GdiTest, FillRectKeepsToTheRectangleAndTheColourOrder) {
    Fill(screen, {10, 20, 14, 22}, RGB(1, 2, 3));
    // The right and bottom edges are exclusive.
    const Probe edges[] = {
        {10, 20, RGB(1, 2, 3)}, {13, 21, RGB(1, 2, 3)}, {14, 21, kWhite}, {13, 22, kWhite}};
    ExpectPixels(nullptr, edges);
    HDC mem = ColourCanvas(1, 1, RGB(1, 2, 3));
    BITMAP bm{};
    GetObjectW(GetCurrentObject(mem, OBJ_BITMAP), sizeof bm, &bm);
    ASSERT_NE(bm.bmBits, nullptr);
    EXPECT_EQ(*static_cast<const uint32_t*>(bm.bmBits), 0x010203u) << "bitmap words are RGB";
    // Stock brushes: black fills, the hollow brush leaves everything.
    RECT r{0, 0, 2, 2};
    FillRect(screen, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(HeadlessPixel(1, 1), kBlack);
    FillRect(screen, &r, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(HeadlessPixel(1, 1), kBlack);
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    FillRect(screen, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(screen, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(HeadlessPixel(0, 0), kBlack) << "a stock object outlives DeleteObject";
}

TEST_F(GdiTest, APaintReachesOnlyItsUpdateRegion) {
    HWND hwnd = MakeWindow(Recorder);
    Fill(screen, {0, 0, 240, 320}, kWhite);
    RECT a{10, 10, 20, 20}, b{50, 60, 55, 70};
    InvalidateRect(hwnd, &a, FALSE);
    InvalidateRect(hwnd, &b, FALSE);
    HeadlessPump();
    const COLORREF red = kRecorderColour;
    const Probe probes[] = {{10, 10, red}, {19, 19, red}, {20, 19, kWhite}, {30, 30, kWhite},
                            {50, 60, red}, {54, 69, red}, {55, 69, kWhite}, {15, 65, kWhite}};
    ExpectPixels(nullptr, probes);
}

// Rows and columns the source does not have, or the screen, are left as
// they were; a mirrored copy reads its row backwards, one by one.
TEST_F(GdiTest, BitBltCopiesAndClipsToSourceAndSurface) {
    HDC mem = ColourCanvas(4, 3, kBlue);
    SetPixel(mem, 0, 0, kRed);
    SetPixel(mem, 3, 2, kGreen);
    BitBlt(screen, 100, 50, 4, 3, mem, 0, 0, SRCCOPY);
    BitBlt(screen, 238, 318, 4, 3, mem, 0, 0, SRCCOPY);  // half off the screen
    BitBlt(screen, 0, 0, 1, 1, mem, 3, 2, SRCCOPY);      // from a place inside the source
    BitBlt(screen, 2, 2, 6, 5, mem, -1, -1, SRCCOPY);
    StretchBlt(screen, 12, 10, -3, 1, mem, 0, 0, 3, 1, SRCCOPY);
    const Probe probes[] = {
        {100, 50, kRed},  {101, 51, kBlue},  {103, 52, kGreen}, {104, 52, kWhite},
        {238, 318, kRed}, {239, 319, kBlue}, {0, 0, kGreen},    {2, 2, kWhite},
        {3, 2, kWhite},   {2, 3, kWhite},    {3, 3, kRed},      {6, 5, kGreen},
        {7, 5, kWhite},   {5, 6, kWhite},    {11, 10, kRed},    {9, 10, kBlue}};
    ExpectPixels(nullptr, probes);
}

// The 2 x 2 source R G / B W stretched to several sizes over black; a
// mirrored destination starts at its far edge.
TEST_F(GdiTest, StretchBltPicksTheNearestSourcePixel) {
    HDC mem = ColourCanvas(2, 2, kWhite);
    SetPixel(mem, 0, 0, kRed);
    SetPixel(mem, 1, 0, kGreen);
    SetPixel(mem, 0, 1, kBlue);
    Fill(screen, {0, 0, 50, 10}, kBlack);
    StretchBlt(screen, 0, 0, 4, 4, mem, 0, 0, 2, 2, SRCCOPY);    // enlarged
    StretchBlt(screen, 10, 0, 3, 2, mem, 0, 0, 2, 2, SRCCOPY);   // enlarged unevenly
    StretchBlt(screen, 20, 0, 1, 1, mem, 0, 0, 2, 2, SRCCOPY);   // reduced: the lower right
    StretchBlt(screen, 32, 0, -2, 2, mem, 0, 0, 2, 2, SRCCOPY);  // mirrored across
    StretchBlt(screen, 40, 2, 2, -2, mem, 0, 0, 2, 2, SRCCOPY);  // mirrored down
    const Probe probes[] = {{1, 1, kRed},    {2, 1, kGreen},  {1, 2, kBlue}, {11, 0, kGreen},
                            {20, 0, kWhite}, {30, 0, kGreen}, {40, 0, kBlue}};
    ExpectPixels(nullptr, probes);
}

struct RopCase {
    const char* what;
    DWORD rop;
    COLORREF brush;  // CLR_INVALID: the context's default
    COLORREF source, dest, expected;
};

const RopCase kRops[] = {
    {"pattern invert with the default white brush", PATINVERT, CLR_INVALID, kRed, RGB(0, 150, 0),
     RGB(255, 105, 255)},
    {"pattern invert with a red brush", PATINVERT, kRed, kBlack, RGB(255, 10, 20), RGB(0, 10, 20)},
    {"source and", SRCAND, CLR_INVALID, RGB(0xF0, 0x0F, 0xFF), RGB(0x3C, 0x3C, 0x00),
     RGB(0x30, 0x0C, 0x00)},
    {"source xor", SRCINVERT, CLR_INVALID, RGB(0xFF, 0, 0x0F), RGB(0x0F, 0, 0x0F), RGB(0xF0, 0, 0)},
    {"destination invert", DSTINVERT, CLR_INVALID, kRed, RGB(1, 2, 3), RGB(254, 253, 252)},
    {"blackness", BLACKNESS, CLR_INVALID, kRed, kBlue, kBlack},
};

TEST_F(GdiTest, RasterOperationsCombinePatternSourceAndDestination) {
    for (const RopCase& c : kRops) {
        HDC src = ColourCanvas(2, 2, c.source);
        HDC dst = ColourCanvas(2, 2, c.dest);
        if (c.brush != CLR_INVALID) SelectObject(dst, CreateSolidBrush(c.brush));
        StretchBlt(dst, 0, 0, 2, 2, src, 0, 0, 2, 2, c.rop);
        EXPECT_EQ(GetPixel(dst, 1, 1), c.expected) << c.what;
    }
}

TEST_F(GdiTest, MonochromeBitmapsKeepOnlyBlackAndWhite) {
    // A fresh memory context makes monochrome bitmaps, rows padded to 16 bits.
    BITMAP bm{};
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP made = CreateCompatibleBitmap(mem, 20, 10);
    ASSERT_EQ(GetObjectW(made, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(std::tuple(bm.bmBitsPixel, bm.bmWidth, bm.bmHeight, bm.bmWidthBytes),
              std::tuple(1, 20, 10, 4));
    const BYTE rows[4] = {0xA0, 0x00, 0x40, 0x00};  // 1010 / 0100, rows of 16 bits
    HBITMAP bits = CreateBitmap(4, 2, 1, 1, rows);
    SelectObject(mem, bits);
    const Probe drawn[] = {{0, 0, kWhite}, {1, 0, kBlack}, {1, 1, kWhite}};
    ExpectPixels(mem, drawn);
    // Dark grey becomes black, light grey white.
    Fill(mem, {0, 0, 1, 1}, RGB(100, 100, 100));
    Fill(mem, {1, 0, 2, 1}, RGB(200, 200, 200));
    const Probe greys[] = {{0, 0, kBlack}, {1, 0, kWhite}};
    ExpectPixels(mem, greys);
    // Copied onto colour, black takes the text colour and white the background.
    SetTextColor(screen, kRed);
    SetBkColor(screen, kBlue);
    BitBlt(screen, 0, 0, 2, 1, mem, 0, 0, SRCCOPY);
    const Probe copied[] = {{0, 0, kRed}, {1, 0, kBlue}};
    ExpectPixels(nullptr, copied);
    // Once a colour bitmap is in, the context makes colour bitmaps, as a
    // screen context does.
    HBITMAP colour = CreateBitmap(5, 5, 1, GetDeviceCaps(mem, BITSPIXEL), nullptr);
    SelectObject(mem, colour);
    for (HDC dc : {mem, screen}) {
        GetObjectW(CreateCompatibleBitmap(dc, 3, 3), sizeof bm, &bm);
        EXPECT_EQ(std::tuple(bm.bmBitsPixel, bm.bmWidthBytes, bm.bmBits != nullptr),
                  std::tuple(32, 12, true));
    }
}

TEST_F(GdiTest, AnObjectDeletedWhileSelectedGoesWithItsContext) {
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 2, 2);
    ASSERT_NE(SelectObject(mem, bmp), nullptr) << "the default bitmap comes back";
    EXPECT_TRUE(DeleteObject(bmp));
    BITMAP bm;
    EXPECT_EQ(GetObjectW(bmp, sizeof bm, &bm), 0) << "the handle is gone at once";
    Fill(mem, {0, 0, 2, 2}, kRed);  // the context still draws into it
    EXPECT_EQ(GetPixel(mem, 1, 1), kRed);
    HDC other = CreateCompatibleDC(screen);
    HBITMAP shared = CreateCompatibleBitmap(screen, 2, 2);
    SelectObject(other, shared);
    EXPECT_EQ(SelectObject(mem, shared), nullptr) << "one context at a time";
    DeleteDC(mem);
    DeleteDC(other);
    EXPECT_TRUE(DeleteObject(shared));
    EXPECT_FALSE(DeleteObject(shared));
}

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
        Fill(screen, {0, 0, 10, 10}, kTable);
        EXPECT_TRUE(DrawIconEx(screen, 1, 1, icon, 0, 0, 0, nullptr, c.flags));
        EXPECT_EQ(HeadlessPixel(1, 1), c.opaque);
        EXPECT_EQ(HeadlessPixel(2, 1), c.clear);
        EXPECT_EQ(HeadlessPixel(3, 1), kTable) << "drawn at its own size";
        // Stretched to 4 x 2.
        Fill(screen, {0, 0, 10, 10}, kTable);
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
        Fill(screen, {0, 0, 40, 40}, kTable);
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
    EXPECT_EQ(SHLoadImageResource(nullptr, 951), nullptr);
}

TEST_F(IconTest, ScreenshotsRoundTripThroughPng) {
    Fill(screen, {5, 5, 50, 60}, RGB(12, 34, 56));
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
    ASSERT_EQ(std::tuple(decoded.width, decoded.height), std::tuple(240, 320));
    int differences = 0;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            differences += ColorOf(Load(decoded, x, y)) != HeadlessPixel(x, y) ||
                           alpha[static_cast<size_t>(y) * 240 + x] != 255;
    EXPECT_EQ(differences, 0);
    EXPECT_FALSE(PlatformDecodePng(bytes.data(), bytes.size() / 2, &decoded, &alpha));
    EXPECT_FALSE(HeadlessSaveScreenshot("/nonexistent-folder/shot.png"));
}

// Text over a black screen, which Start gives anew at each density.
class TextTest : public GdiTest {
  protected:
    void SetUp() override {
        GdiTest::SetUp();
        Clear(kBlack);
    }
    void Start(int dpi) {
        ReleaseDC(nullptr, screen);
        StartScreen(dpi);
        screen = GetDC(nullptr);
        Clear(kBlack);
    }
    void Clear(COLORREF color) { Fill(screen, {0, 0, 1000, 1000}, color); }
    // The bounds of every screen pixel that differs from the background.
    static RECT Inked(COLORREF background) {
        RECT box{1000, 1000, -1, -1};
        for (int y = 0; y < 700; ++y)
            for (int x = 0; x < 500; ++x) {
                COLORREF c = HeadlessPixel(x, y);
                if (c == CLR_INVALID || c == background) continue;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        return box;
    }
    int Cell() {
        TEXTMETRICW tm{};
        GetTextMetricsW(screen, &tm);
        return tm.tmHeight;
    }
};

// The screen's default cell at each density, and DrawTextW's centring in it.
// The game's card font, a positive height, has tests of its own (paint_test).
const std::pair<int, int> kCells[] = {{96, 12}, {128, 16}, {192, 24}};

TEST_F(TextTest, TheDefaultCellFollowsTheDensityAndCentresAcrossOnly) {
    for (const auto& [dpi, cell] : kCells) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        Start(dpi);
        TEXTMETRICW tm{};
        ASSERT_TRUE(GetTextMetricsW(screen, &tm)) << "is DejaVu Sans installed?";
        EXPECT_EQ(tm.tmHeight, cell);
        EXPECT_EQ(tm.tmWeight, FW_NORMAL);
        wchar_t face[32];
        EXPECT_EQ(GetTextFaceW(screen, 31, face), 12);
        EXPECT_STREQ(face, L"DejaVu Sans");

        SetTextColor(screen, kWhite);
        SetBkMode(screen, TRANSPARENT);
        RECT r{40, 50, 140, 110};
        DrawTextW(screen, L"13", -1, &r, DT_CENTER | DT_VCENTER);
        RECT ink = Inked(kBlack);
        EXPECT_GE(ink.top, r.top);
        EXPECT_LE(ink.bottom, r.top + cell) << "no vertical centring";
        SIZE size{};
        GetTextExtentExPointW(screen, L"13", 2, 0, nullptr, nullptr, &size);
        int left = r.left + (r.right - r.left - size.cx) / 2;
        EXPECT_GE(ink.left, left);
        EXPECT_LE(ink.right, left + size.cx + 1);
        // With DT_SINGLELINE the same format centres down as well.
        Clear(kBlack);
        DrawTextW(screen, L"13", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EXPECT_GE(Inked(kBlack).top, r.top + (r.bottom - r.top - cell) / 2);
    }
}

// A negative height is the characters' alone; the card font's positive one
// takes in the leading.
TEST_F(TextTest, HeightsAndExtents) {
    LOGFONTW lf{};
    lf.lfHeight = -20;
    HFONT font = CreateFontIndirectW(&lf);
    EXPECT_EQ(GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -20);
    SelectObject(screen, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen, &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
    SelectObject(screen, CreateCardFont(10));
    GetTextMetricsW(screen, &tm);
    EXPECT_GT(tm.tmInternalLeading, 0);
    SIZE nine{}, empty{};
    GetTextExtentExPointW(screen, L"9", 1, 0, nullptr, nullptr, &nine);
    GetTextExtentExPointW(screen, L"", 0, 0, nullptr, nullptr, &empty);
    EXPECT_EQ((POINT{empty.cx, empty.cy}), (POINT{0, tm.tmHeight})) << "still a cell high";
    EXPECT_EQ(nine.cy, tm.tmHeight);
    // How much fits, and where each character ends.
    int fit = -1, ends[3] = {};
    GetTextExtentExPointW(screen, L"999", 3, 2 * nine.cx, &fit, ends, nullptr);
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(ends[0], nine.cx);
    EXPECT_EQ(ends[1], 2 * nine.cx);
}

// Opaque, the default, fills the cell with the background colour;
// transparent leaves it, over a black background colour that must not show.
TEST_F(TextTest, GlyphsAreDrawnInTheTextColourFromTheCellTop) {
    SetBkColor(screen, RGB(0, 150, 0));
    SetTextColor(screen, kWhite);
    SIZE size{};
    GetTextExtentExPointW(screen, L"13", 2, 0, nullptr, nullptr, &size);
    ExtTextOutW(screen, 5, 5, 0, nullptr, L"13", 2, nullptr);
    EXPECT_EQ(Inked(kBlack), (RECT{5, 5, 5 + size.cx, 5 + size.cy}));
    Clear(kWhite);
    SetTextColor(screen, kRed);
    SetBkColor(screen, kBlack);
    SetBkMode(screen, TRANSPARENT);
    ExtTextOutW(screen, 20, 30, 0, nullptr, L"WM", 2, nullptr);
    RECT ink = Inked(kWhite);
    EXPECT_GE(ink.top, 30);
    EXPECT_LE(ink.bottom, 30 + Cell());
    EXPECT_GE(ink.left, 20);
    // Anti-aliased red on white: every pixel is a blend of the two, and the
    // stems are solid red.
    bool solid = false;
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x) {
            COLORREF c = HeadlessPixel(x, y);
            EXPECT_EQ(GetRValue(c), 255) << x << ", " << y;
            EXPECT_EQ(GetGValue(c), GetBValue(c)) << x << ", " << y;
            solid = solid || c == kRed;
        }
    EXPECT_TRUE(solid);
}

struct LinesCase {
    const char* what;
    const wchar_t* text;
    UINT format;
    int lines;  // lines DT_CALCRECT counts in a rectangle 60 pixels wide
};

const LinesCase kLines[] = {
    {"a long line stays one line", L"You have taken 12 card(s)", 0, 1},
    {"CR LF breaks", L"You have taken 3 card(s),\r\n including 1 extra one(s).", 0, 2},
    {"LF alone breaks", L"one\ntwo\nthree", 0, 3},
    {"a final break starts no line", L"one\r\n", 0, 1},
    {"word breaks wrap at spaces", L"aa bb cc dd ee ff gg hh ii jj kk ll", DT_WORDBREAK, 3},
    {"a single line ignores breaks", L"one\r\ntwo", DT_SINGLELINE, 1},
};

TEST_F(TextTest, LinesBreakOnlyWhereTheFormatSays) {
    for (const LinesCase& c : kLines) {
        RECT r{0, 0, 60, 0};
        int height = DrawTextW(screen, c.text, -1, &r, c.format | DT_CALCRECT);
        EXPECT_EQ(height, c.lines * Cell()) << c.what;
        EXPECT_EQ(r.bottom, height) << c.what;
        EXPECT_LE(r.right, c.format & DT_WORDBREAK ? 60 : 1000) << c.what;
    }
}

TEST_F(TextTest, FormatZeroDrawsItsLinesAndClipsToTheRectangle) {
    SetTextColor(screen, kWhite);
    RECT r{2, 100, 60, 100 + 3 * Cell()};
    DrawTextW(screen, L"Transfer?\r\nWWWWWWWWWWWWWWWWWWWW", -1, &r, DT_LEFT | DT_TOP);
    RECT ink = Inked(kBlack);
    EXPECT_EQ(ink.left, 2);
    EXPECT_LE(ink.right, 60) << "clipped on the right";
    EXPECT_GE(ink.top, 100);
    EXPECT_GT(ink.bottom, 100 + Cell()) << "the second line is there";
    EXPECT_LE(ink.bottom, 100 + 2 * Cell());
}

TEST_F(TextTest, PrefixesUnderlineUnlessSwitchedOff) {
    RECT plain{0, 0, 200, 0}, marked{0, 0, 200, 0}, literal{0, 0, 200, 0};
    DrawTextW(screen, L"Yes", -1, &plain, DT_CALCRECT);
    DrawTextW(screen, L"&Yes", -1, &marked, DT_CALCRECT);
    DrawTextW(screen, L"&Yes", -1, &literal, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(marked.right, plain.right) << "the '&' takes no room";
    EXPECT_GT(literal.right, plain.right);
    SetTextColor(screen, kWhite);
    SetBkMode(screen, TRANSPARENT);
    RECT r{10, 10, 200, 60};
    DrawTextW(screen, L"&Yes", -1, &r, 0);
    RECT withLine = Inked(kBlack);
    Clear(kBlack);
    DrawTextW(screen, L"Yes", -1, &r, 0);
    EXPECT_GT(withLine.bottom, Inked(kBlack).bottom) << "a line under the Y";
}

TEST_F(TextTest, AMissingFaceIsReportedAndDrawsNothing) {
    struct Restore {
        ~Restore() { UseScreenFamily(nullptr); }
    } restore;
    EXPECT_TRUE(PlatformFontsAvailable(nullptr));
    UseScreenFamily("No Such Family For Velmora");
    std::string error;
    EXPECT_FALSE(PlatformFontsAvailable(&error));
    EXPECT_NE(error.find("fonts-dejavu-core"), std::string::npos) << error;
    SetTextColor(screen, kWhite);
    RECT r{0, 0, 200, 100};
    EXPECT_EQ(DrawTextW(screen, L"Transfer?", -1, &r, 0), 0);
    EXPECT_FALSE(ExtTextOutW(screen, 0, 0, 0, nullptr, L"13", 2, nullptr));
    TEXTMETRICW tm{};
    SIZE size{};
    EXPECT_FALSE(GetTextMetricsW(screen, &tm));
    EXPECT_FALSE(GetTextExtentExPointW(screen, L"10", 2, 0, nullptr, nullptr, &size));
    EXPECT_EQ(Inked(kBlack).right, -1) << "nothing drawn";
    // A message box still opens, draws what it can and is answered.
    HeadlessQueueBoxAnswer(IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"I win!", L"Velmora", MB_OK), IDOK);
}

}  // namespace
