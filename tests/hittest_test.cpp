#include "ui/hittest.h"
#include "tests/fixture.h"

namespace {

class HitTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        InitPile(hand);
        hand.window = MakeWindow();
        hand.originX = 10;
        hand.originY = 100;
        hand.layoutMode = LayoutHalfOverlap;  // cards 14 px apart, 28 wide
        for (int32_t rank = 6; rank <= 9; ++rank)
            AddCard(hand, Hearts, rank);
        Refresh(hand);
        HeadlessClearInvalidations();
    }
    void TearDown() override { ClearPile(hand); }
    std::vector<int32_t> Selected() const {
        std::vector<int32_t> out;
        for (int32_t i = 1; i <= hand.count; ++i)
            if (CardAt(hand, i).selected) out.push_back(i);
        return out;
    }
    CardPile hand;
};

struct PointCase {
    const char* what;
    int32_t x, y;
    int32_t card;  // 1-based, 0 for none
};

// Cards at x = 10, 24, 38, 52; all at y = 100, 28 x 40.
const PointCase kPoints[] = {
    {"two pixels left of the first card", 8, 120, 1},
    {"three pixels left of the first card", 7, 120, 0},
    {"the overlapped part belongs to the card on top", 30, 120, 2},
    {"last card: its last hit column", 78, 120, 4},
    {"last card: its drawn last column is not hit", 79, 120, 0},
    {"the row just below a card", 60, 140, 4},
    {"two rows below", 60, 141, 0},
    {"the top row", 60, 100, 4},
    {"above the pile", 60, 99, 0},
};

TEST_F(HitTest, FindsTheTopmostCardUnderThePoint) {
    for (const PointCase& c : kPoints)
        EXPECT_EQ(CardUnder(hand, c.x, c.y), c.card) << c.what;
}

TEST_F(HitTest, HiddenAndUnplacedCardsAreNeverHit) {
    CardAt(hand, 4).hidden = 1;
    EXPECT_EQ(CardUnder(hand, 60, 120), 3) << "the card beneath shows through";
    Card loose{};
    InitCard(loose);
    loose.suit = Spades;
    loose.rank = Ace;
    EXPECT_FALSE(CardAtPoint(loose, 0, 0)) << "no position yet";
}

TEST_F(HitTest, ToggleAtBuildsASelection) {
    EXPECT_EQ(ToggleAt(hand, 12, 120), 1);
    EXPECT_EQ(ToggleAt(hand, 40, 120), 3);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(ToggleAt(hand, 12, 120), 1);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{3}));
    EXPECT_EQ(InvalidatedRects().size(), 3u) << "only the tapped card is repainted";
    EXPECT_EQ(ToggleAt(hand, 200, 120), 0);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{3}));
}

TEST_F(HitTest, ToggleOnlyAtMovesTheSelection) {
    EXPECT_EQ(ToggleOnlyAt(hand, 12, 120), 1);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{1}));
    EXPECT_EQ(ToggleOnlyAt(hand, 40, 120), 3);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{3})) << "the old selection is cleared";
    HeadlessClearInvalidations();
    EXPECT_EQ(ToggleOnlyAt(hand, 40, 120), 3);
    EXPECT_TRUE(Selected().empty()) << "tapping the selected card clears it";
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{{38, 100, 66, 140}}));
}

TEST_F(HitTest, ToggleOnlyAtOnALaterSelectedCardKeepsOnlyIt) {
    CardAt(hand, 2).selected = 1;
    CardAt(hand, 4).selected = 1;
    // Card 4 is selected but not the first selected: the others are cleared
    // and its own mark flips.
    EXPECT_EQ(ToggleOnlyAt(hand, 60, 120), 4);
    EXPECT_TRUE(Selected().empty());
    CardAt(hand, 2).selected = 1;
    CardAt(hand, 4).selected = 1;
    EXPECT_EQ(ToggleOnlyAt(hand, 26, 120), 2);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{4})) << "the first selected only flips itself";
}

TEST_F(HitTest, SelectOnlyAtSelectsExactlyTheCard) {
    CardAt(hand, 1).selected = 1;
    CardAt(hand, 3).selected = 1;
    EXPECT_EQ(SelectOnlyAt(hand, 40, 120), 3);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{3}));
    EXPECT_EQ(SelectOnlyAt(hand, 0, 0), 0);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{3})) << "a miss changes nothing";
}

}  // namespace
