// What reaches the screen through the real paint handler: only what was
// asked to be repainted changes.
#include "app/shell.h"
#include "game/status.h"
#include "tests/game_fixture.h"
#include "ui/graphics.h"
#include "ui/scale.h"
#include "ui/table.h"

namespace {

class ScreenTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        MakeGraphics();
        Repaint();
    }
    void TearDown() override {
        FreeGraphics();
        GameTest::TearDown();
    }
    static void Repaint() {
        InvalidateRect(mainWindow, nullptr, FALSE);
        HeadlessPump();
    }
    static std::vector<COLORREF> Pixels(const RECT& r) {
        std::vector<COLORREF> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(HeadlessPixel(x, y));
        return out;
    }
};

TEST_F(ScreenTest, EachBackgroundColour) {
    for (uint32_t b = 0; b < 5; ++b) {
        background = b;
        Repaint();
        EXPECT_EQ(HeadlessPixel(ScaleX(100), ScaleY(250)), backgroundColours[b])
            << "background " << b;
        EXPECT_EQ(HeadlessPixel(ScaleX(199), ScaleY(280)), RGB(255, 255, 255))
            << "the separator strip";
    }
    background = 0;
}

TEST_F(ScreenTest, AForgottenRepaintLeavesTheOldPicture) {
    Deal(humanHand, "6D 7D", SortByRank);
    Repaint();
    Card& card = CardAt(humanHand, 1);
    const RECT face{card.x + card.width / 3, card.y + card.height / 3, card.x + card.width * 2 / 3,
                    card.y + card.height * 2 / 3};
    const std::vector<COLORREF> before = Pixels(face);
    card.selected = 1;  // no repaint asked for
    HeadlessPump();
    EXPECT_EQ(Pixels(face), before) << "stale until asked";
    InvalidateCard(card);
    HeadlessPump();
    EXPECT_NE(Pixels(face), before);
    EXPECT_EQ(HeadlessPixel(card.x + card.width / 2, card.y + card.height / 2), RGB(200, 200, 200));
}

TEST_F(ScreenTest, AClosedBoxLeavesNoTrace) {
    Deal(humanHand, "6D 7D 8D 9D TD JD", SortByRank);
    Repaint();
    const RECT all{0, 0, ScaleX(240), ScaleY(320)};
    const std::vector<COLORREF> before = Pixels(all);
    HeadlessQueueBoxAnswer(IDOK);
    MessageBoxW(mainWindow, L"I win!", L"", MB_OK | MB_ICONINFORMATION);
    HeadlessPump();
    EXPECT_EQ(Pixels(all), before);
}

TEST_F(ScreenTest, TheTakePictureStaysAfterTheSixthCover) {
    // The human's sixth cover ends the bout and the attack passes to the
    // human, but nothing asks the lower button to be repainted.
    computerAttacks = 1;
    boutLedByComputer = 1;
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
