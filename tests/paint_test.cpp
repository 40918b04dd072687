// The painted table: card faces and backs, the order of the piles, the
// buttons, the marker, the count of cards left and the status text; the
// drawing objects made for it; and what reaches the screen through the real
// paint handler, where only what was asked to be repainted changes.
#include <algorithm>

#include "app/shell.h"
#include "game/host.h"
#include "game/status.h"
#include "res/resources.h"
#include "tests/game_fixture.h"
#include "ui/graphics.h"
#include "ui/scale.h"
#include "ui/table.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(200, 200, 200);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(0, 150, 0);

// The window's own paint handler draws the scene over the table colour.
class PaintTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        MakeGraphics();
    }
    void TearDown() override {
        FreeGraphics();
        GameTest::TearDown();
    }
    static void Paint() {
        InvalidateRect(mainWindow, nullptr, FALSE);
        UpdateWindow(mainWindow);
    }
    // Every window, through the message loop.
    static void Repaint() {
        InvalidateRect(mainWindow, nullptr, FALSE);
        HeadlessPump();
    }
    static COLORREF At(int x, int y) { return HeadlessPixel(x, y); }
    static std::vector<COLORREF> Pixels(const RECT& r) {
        std::vector<COLORREF> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(At(x, y));
        return out;
    }
    static bool Shows(const RECT& r, COLORREF colour) {
        return std::ranges::count(Pixels(r), colour) > 0;
    }
    // White text on the green table: anti-aliased, so any pixel with red in it.
    static bool HasText(const RECT& r) {
        return std::ranges::any_of(Pixels(r), [](COLORREF c) { return GetRValue(c) > 100; });
    }
};

// Without identity or place a card is neither drawn nor repainted; hidden,
// its place is repainted and nothing drawn.
TEST_F(PaintTest, CardsWithoutIdentityPlaceOrVisibilityDrawNothing) {
    HDC dc = GetDC(mainWindow);
    Card card;
    InitCard(card);
    card.window = mainWindow;
    SetPosition(card, 10, 10);
    card.rank = 9;
    InvalidateCard(card);
    EXPECT_EQ(PaintCard(card, dc), 0) << "no suit";
    card.suit = Hearts;
    card.y = -1;
    InvalidateCard(card);
    EXPECT_EQ(PaintCard(card, dc), 0) << "no place";
    EXPECT_TRUE(InvalidatedRects().empty());
    SetPosition(card, 10, 10);
    SetHidden(card, 1);
    EXPECT_EQ(PaintCard(card, dc), 0) << "hidden";
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{{10, 10, 10 + ScaleX(28), 10 + ScaleY(40)}}));
    card.hidden = 0;
    EXPECT_EQ(PaintCard(card, dc), 1);
    ReleaseDC(mainWindow, dc);
}

TEST_F(PaintTest, FaceHasABlackOutlineAndAWhiteOrGreyFace) {
    Deal(humanHand, "9H TS", SortByRank);
    CardAt(humanHand, 2).selected = 1;
    Paint();
    for (int32_t i : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "card " << i);
        const Card& c = CardAt(humanHand, i);
        EXPECT_EQ(At(c.x, c.y + c.height / 2), kBlack) << "left outline";
        EXPECT_EQ(At(c.x + c.width - 1, c.y + c.height / 2), kBlack) << "right outline";
        EXPECT_EQ(At(c.x + c.width / 2, c.y + c.height / 2), i == 2 ? kGrey : kWhite) << "face";
    }
    // Rank labels: red for hearts, black for spades, in the top left corner.
    const Card& nine = CardAt(humanHand, 1);
    EXPECT_TRUE(
        Shows({nine.x + 2, nine.y, nine.x + ScaleX(10), nine.y + ScaleY(12)}, RGB(255, 0, 0)));
    const Card& ten = CardAt(humanHand, 2);
    // The "10" in the bottom right ends one pixel from the right edge.
    EXPECT_TRUE(Shows({ten.x + ten.width - ScaleX(4), ten.y + ScaleY(26), ten.x + ten.width - 1,
                       ten.y + ten.height - 2},
                      kBlack));
}

// Each rank's label, in both corners, leaves the card's outline black above
// 192 dpi, where the tests run it (tests/CMakeLists.txt): the ink's reach
// past the cell grows with the font. At 192 and below the labels stay where
// they always were, a J's or K's edge on the outline at some densities;
// tests/picture_densities.py keeps those screens as they are.
TEST_F(PaintTest, LabelsStayInsideTheirCards) {
    if (DensityX() <= 192) GTEST_SKIP() << "labels as they always were";
    for (const char* name : {"6H", "7H", "8H", "9H", "TH", "JH", "QH", "KH", "AH"}) {
        SCOPED_TRACE(name);
        Deal(humanHand, name, SortByRank);
        Paint();
        const Card& c = CardAt(humanHand, 1);
        const int right = c.x + c.width - 1, bottom = c.y + c.height - 1;
        int inked = 0;
        for (int y = c.y; y <= bottom; ++y)
            inked += (At(c.x, y) != kBlack) + (At(right, y) != kBlack);
        for (int x = c.x; x <= right; ++x)
            inked += (At(x, c.y) != kBlack) + (At(x, bottom) != kBlack);
        EXPECT_EQ(inked, 0) << "outline pixels drawn over";
        EXPECT_TRUE(
            Shows({c.x + 1, c.y + 1, c.x + c.width / 2, c.y + c.height / 3}, RGB(255, 0, 0)))
            << "the label is there";
    }
}

TEST_F(PaintTest, BacksAreStretchedAndASelectedBackIsInverted) {
    Deal(computerHand, "7S");
    computerHand.faceDown = 1;
    SetBack(computerHand, 3);  // the 28 x 40 gradient: one to one at 96 dpi
    const Card& back = CardAt(computerHand, 1);
    Paint();
    EXPECT_EQ(At(back.x, back.y + back.height / 2), kWhite) << "the back's own white border";
    const COLORREF plain = At(back.x + back.width / 2, back.y + back.height / 2);
    EXPECT_NE(plain, kWhite);
    CardAt(computerHand, 1).selected = 1;
    Paint();
    EXPECT_EQ(At(back.x + back.width / 2, back.y + back.height / 2), plain ^ 0xFFFFFF)
        << "XOR the default white brush";
    EXPECT_EQ(At(back.x, back.y + back.height / 2), kBlack);
}

TEST_F(PaintTest, TheDefendersCardsLieOnTop) {
    Deal(computerTable, "6S");  // y 48 to 88
    Deal(humanTable, "7S");     // y 69 to 109: rows 69 to 87 overlap
    CardAt(humanTable, 1).selected = 1;
    Refresh(computerTable);
    Refresh(humanTable);
    const int x = CardAt(humanTable, 1).x + ScaleX(14), y = ScaleY(80);
    computerAttacks = 1;
    Paint();
    EXPECT_EQ(At(x, y), kGrey) << "the human covers: the human's card on top";
    computerAttacks = 0;
    Paint();
    EXPECT_EQ(At(x, y), kWhite) << "the computer covers: its card on top";
}

TEST_F(PaintTest, AHeldButtonShowsItsMask) {
    // The drawing (32 or 64 wide) sits centred in the button's icon.
    const int size = ScaleX(32), drawn = size >= 64 ? 64 : 32;
    const int off = size > drawn ? size / 2 - drawn / 2 : 0;
    const int fx = lowerButtonRect.left + off, fy = lowerButtonRect.top + off;
    const int ix = fx + drawn / 2, iy = fy + drawn / 8;
    Paint();
    EXPECT_EQ(At(fx, fy), kWhite) << "the white frame";
    EXPECT_EQ(At(ix, iy), kGreen) << "the table shows through";
    pressedButton = 1;
    Paint();
    EXPECT_EQ(At(fx, fy), kBlack) << "mask: black where the icon is opaque";
    EXPECT_EQ(At(ix, iy), kWhite) << "white where it is clear";
    EXPECT_EQ(At(upperButtonRect.left + off, upperButtonRect.top + off), kWhite)
        << "only the held one";
    pressedButton = 0;
}

struct CountCase {
    const char* what;
    int32_t type;
    int32_t trumpHidden;
    const wchar_t* count;  // "" for none
    COLORREF marker;       // the trump marker's suit, or the table where none lies
};

const CountCase kCounts[] = {
    {"stock and the trump card still to draw", 0, 0, L"13", kGreen},
    {"the trump card gone: no count, the club marker", 0, 1, L"", kBlack},
    {"no trump card in the Japanese types: the stock", 4, 1, L"12", RGB(220, 0, 0)},
};

// The count against the table painted without it and the number drawn there
// by hand, white.
TEST_F(PaintTest, CountOfCardsLeftAndTheTrumpMarker) {
    const RECT box = ScaleRect(units::cardsLeftRect);
    const int mx = ScaleX(214), my = ScaleY(72);
    const RECT marker{mx, my, mx + ScaleX(9) + 2, my + ScaleY(9) + 2};
    for (const CountCase& c : kCounts) {
        SCOPED_TRACE(c.what);
        SetGame(c.type, "TC");
        trumpCard.hidden = c.trumpHidden;
        SetFreshStock(12);
        showCardsLeft = 0;
        Paint();
        EXPECT_EQ(At(mx, my), c.marker == kGreen ? kGreen : kWhite) << "the marker's white box";
        EXPECT_TRUE(Shows(marker, c.marker));
        HDC dc = GetDC(mainWindow);
        SetTextColor(dc, kWhite);
        SetBkMode(dc, TRANSPARENT);  // over the trump marker where it lies
        RECT place = box;
        DrawTextW(dc, c.count, -1, &place, DT_CENTER | DT_VCENTER);
        ReleaseDC(mainWindow, dc);
        const std::vector<COLORREF> expected = Pixels(box);
        showCardsLeft = 1;
        Paint();
        EXPECT_EQ(Pixels(box), expected);
    }
    showCardsLeft = 0;
}

TEST_F(PaintTest, StatusTextTakesASecondLineOnlyAtItsLineBreak) {
    // Left of the white separator strip at x 199.
    const RECT secondLine{ScaleX(2), ScaleY(198 + 14), ScaleX(190), ScaleY(198 + 26)};
    ShowStatus(LoadText(317), 1);
    Paint();
    EXPECT_TRUE(HasText({ScaleX(2), ScaleY(198), ScaleX(190), ScaleY(198 + 12)}));
    EXPECT_FALSE(HasText(secondLine));
    ShowStatus(LoadText(316), 3, 2);
    Paint();
    EXPECT_TRUE(HasText(secondLine));
}

struct DensityCase {
    int dpi;
    int suit, suitPad;      // a suit icon's size and the clear border round its drawing
    int button, buttonPad;  // the same for a button's icon
    int font;               // the card font's height: ten points
};

// Up to 192 dpi the drawings are 9 and 18 (suits), 32 and 64 (buttons)
// wide, and a size between them is the smaller centred in a clear border.
// Above, a larger drawing is scaled down to the size: no border.
const DensityCase kDensities[] = {
    {.dpi = 96, .suit = 9, .suitPad = 0, .button = 32, .buttonPad = 0, .font = 13},
    {.dpi = 128, .suit = 12, .suitPad = 1, .button = 43, .buttonPad = 5, .font = 17},
    {.dpi = 192, .suit = 18, .suitPad = 0, .button = 64, .buttonPad = 0, .font = 26},
    {.dpi = 240, .suit = 23, .suitPad = 0, .button = 80, .buttonPad = 0, .font = 33},
    {.dpi = 576, .suit = 54, .suitPad = 0, .button = 192, .buttonPad = 0, .font = 79},
};

TEST_F(PaintTest, IconsAndTheCardFontAtEachDensity) {
    for (const DensityCase& c : kDensities) {
        SCOPED_TRACE(c.dpi);
        StartScreen(c.dpi);
        RegisterResources();
        for (auto [icon, size, pad] :
             {std::tuple{LoadSuitIcon(108, ScaleX(9), nullptr), c.suit, c.suitPad},
              std::tuple{LoadButtonIcon(119, ScaleX(32), nullptr), c.button, c.buttonPad}}) {
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bm{};
            GetObjectW(info.hbmColor, sizeof bm, &bm);
            EXPECT_EQ((POINT{bm.bmWidth, bm.bmHeight}), (POINT{size, size}));
            // The objects made here go with the screen.
            HDC mask = CreateCompatibleDC(nullptr);
            SelectObject(mask, info.hbmMask);
            if (pad > 0) {
                // The border around the drawing is clear: the mask is white there.
                EXPECT_EQ(GetPixel(mask, pad - 1, size / 2), kWhite);
                continue;
            }
            // Unpadded, the club's leaves and the button's frame reach the edge.
            int edge = 0;
            for (int y = 0; y < size; ++y)
                edge += GetPixel(mask, 0, y) == kBlack;
            EXPECT_GT(edge, 0);
        }
        HDC probe = CreateCompatibleDC(nullptr);
        SelectObject(probe, CreateCardFont(10));
        TEXTMETRICW tm{};
        GetTextMetricsW(probe, &tm);
        EXPECT_EQ((POINT{tm.tmHeight, tm.tmWeight}), (POINT{c.font, 700}));
    }
}

// Each stored colour number, in Options' order, and the colour a player sees.
TEST_F(PaintTest, EachBackgroundColour) {
    const COLORREF kTables[] = {RGB(0, 150, 0), RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 0, 153),
                                RGB(128, 128, 128)};
    for (uint32_t b = 0; b < 5; ++b) {
        SCOPED_TRACE(testing::Message() << "background " << b);
        background = b;
        Repaint();
        for (POINT p : {POINT{100, 250}, POINT{100, 140}, POINT{220, 110}, POINT{10, 280}})
            EXPECT_EQ(At(ScaleX(p.x), ScaleY(p.y)), kTables[b]) << p.x << "," << p.y;
        EXPECT_EQ(HeadlessMarginColour(), kTables[b]) << "the margin follows the table";
        EXPECT_EQ(At(ScaleX(199), ScaleY(280)), kWhite) << "the separator strip";
    }
    background = 0;
}

TEST_F(PaintTest, AForgottenRepaintLeavesTheOldPicture) {
    Deal(humanHand, "6D 7D", SortByRank);
    Repaint();
    Card& card = CardAt(humanHand, 1);
    const int x = card.x + card.width / 2, y = card.y + card.height / 2;
    card.selected = 1;  // no repaint asked for
    HeadlessPump();
    EXPECT_EQ(At(x, y), kWhite) << "stale until asked";
    InvalidateCard(card);
    HeadlessPump();
    EXPECT_EQ(At(x, y), kGrey);
}

TEST_F(PaintTest, AClosedBoxLeavesNoTrace) {
    Deal(humanHand, "6D 7D 8D 9D TD JD", SortByRank);
    Repaint();
    const RECT all{0, 0, ScaleX(240), ScaleY(320)};
    const std::vector<COLORREF> before = Pixels(all);
    HeadlessQueueBoxAnswer(IDOK);
    MessageBoxW(mainWindow, L"I win!", L"", MB_OK | MB_ICONINFORMATION);
    HeadlessPump();
    EXPECT_EQ(Pixels(all), before);
}

TEST_F(PaintTest, TheTakePictureStaysAfterTheSixthCover) {
    // The human's sixth cover ends the bout and the attack passes to the
    // human, but nothing asks the lower button to be repainted.
    computerAttacks = boutLedByComputer = 1;
    transferOpen = 0;
    Deal(humanHand, "TH 8D", SortByRank);
    Deal(humanTable, "7S 7H 7D 7C TS");
    Deal(computerTable, "6S 6H 6D 6C 9S 9H");
    Deal(computerHand, "AS");
    Repaint();
    const std::vector<COLORREF> take = Pixels(lowerButtonRect);
    Select("TH");
    TapTable();
    ASSERT_EQ(computerAttacks, 0);
    ASSERT_EQ(humanTable.count, 0);
    EXPECT_EQ(Pixels(lowerButtonRect), take) << "still the take picture";
    InvalidateLowerButton();
    HeadlessPump();
    EXPECT_NE(Pixels(lowerButtonRect), take) << "now the OK picture";
}

}  // namespace
