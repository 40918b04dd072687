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

struct TapCase {
    const char* what;
    int32_t (*tap)(CardPile&, int32_t, int32_t);
    std::vector<int32_t> before;
    int32_t x;  // on the row y = 120
    int32_t card;
    std::vector<int32_t> after;
    std::vector<int32_t> repainted;
};

// Clearing the other marks repaints the whole hand, then the tapped card.
const TapCase kTaps[] = {
    {"toggle adds to the selection", ToggleAt, {1}, 40, 3, {1, 3}, {3}},
    {"toggle takes a card out", ToggleAt, {1, 3}, 12, 1, {3}, {1}},
    {"toggle misses", ToggleAt, {3}, 200, 0, {3}, {}},
    {"toggle-only selects", ToggleOnlyAt, {}, 12, 1, {1}, {1, 2, 3, 4, 1}},
    {"toggle-only moves the selection", ToggleOnlyAt, {1}, 40, 3, {3}, {1, 2, 3, 4, 3}},
    {"toggle-only on the one selected card clears it", ToggleOnlyAt, {3}, 40, 3, {}, {3}},
    // A later selected card: the others are cleared and its own mark flips.
    {"toggle-only on a later selected card", ToggleOnlyAt, {2, 4}, 60, 4, {}, {1, 2, 3, 4, 4}},
    {"toggle-only on the first selected flips only it", ToggleOnlyAt, {2, 4}, 26, 2, {4}, {2}},
    {"select-only", SelectOnlyAt, {1, 3}, 40, 3, {3}, {1, 2, 3, 4, 3}},
    {"select-only misses", SelectOnlyAt, {3}, 0, 0, {3}, {}},
};

TEST_F(HitTest, TapsChangeTheSelectionAndRepaintWhatChanged) {
    for (const TapCase& c : kTaps) {
        for (int32_t i = 1; i <= hand.count; ++i)
            CardAt(hand, i).selected = 0;
        for (int32_t i : c.before)
            CardAt(hand, i).selected = 1;
        HeadlessClearInvalidations();
        EXPECT_EQ(c.tap(hand, c.x, 120), c.card) << c.what;
        EXPECT_EQ(Selected(), c.after) << c.what;
        std::vector<int32_t> repainted;  // cards by their left edge, 14 px apart from 10
        for (const RECT& r : InvalidatedRects())
            repainted.push_back((r.left - 10) / 14 + 1);
        EXPECT_EQ(repainted, c.repainted) << c.what;
    }
}

}  // namespace
