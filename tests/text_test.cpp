// Fonts, text metrics and extents, ExtTextOutW and DrawTextW on the
// headless screen at the densities the game runs at.
#include <cstring>
#include <string>

#include "platform/fonts.h"
#include "tests/fixture.h"
#include "ui/graphics.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class TextTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Start(96);
    }
    void TearDown() override { ReleaseDC(nullptr, screen); }
    void Start(int dpi) {
        if (screen) ReleaseDC(nullptr, screen);
        StartScreen(dpi);
        screen = GetDC(nullptr);
        Clear(kBlack);
    }
    void Clear(COLORREF color) {
        RECT all{0, 0, 1000, 1000};
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(screen, &all, brush);
        DeleteObject(brush);
    }
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
    HDC screen = nullptr;
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
