// Taps, releases and double taps on the table, the buttons and the hand.
#include "app/stylus.h"
#include "app/shell.h"
#include "game/host.h"
#include "game/status.h"
#include "tests/game_fixture.h"
#include "ui/scale.h"
#include "ui/table.h"

namespace {

class StylusTest : public GameTest {
  protected:
    static void Press(UINT msg, int x, int y) {
        HeadlessPointer(msg, x, y);
        HeadlessPump();
    }
    static void DoubleTap(int x, int y) {
        for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            HeadlessPointer(msg, x, y);
        HeadlessPump();
    }
    // A point on the hand's card at a 1-based position, below the table area.
    static POINT OnCard(int32_t position) {
        const Card& c = CardAt(humanHand, position);
        return {c.x + 2, c.y + c.height - 2};
    }
};

TEST_F(StylusTest, ATapAnywhereClearsTheStatusLine) {
    ShowStatus(LoadText(309));
    HeadlessClearInvalidations();
    Press(WM_LBUTTONDOWN, 5, 280);  // above the menu bar
    EXPECT_EQ(statusText, nullptr);
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{ScaleRect(units::statusStrip)}));
}

// The sort button flips the hand's order each time (clubs are trumps); OK
// on an empty table changes nothing.
TEST_F(StylusTest, ButtonEdgesCountAndTheReleaseRepaints) {
    const struct {
        int x, y;
        int32_t pressed;
        const char* hand;
    } kPoints[] = {{236, 202, 1, "6C 7H 9D"}, {204, 170, 1, "6C 7H 9D"}, {237, 186, 0, "6C 7H 9D"},
                   {220, 203, 0, "6C 7H 9D"}, {236, 152, 2, "9D 7H 6C"}, {204, 120, 2, "6C 7H 9D"}};
    Deal(humanHand, "6C 9D 7H", SortByRank);
    for (const auto& p : kPoints) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        Press(WM_LBUTTONDOWN, p.x, p.y);
        EXPECT_EQ(pressedButton, p.pressed);
        EXPECT_EQ(Cards(humanHand), p.hand);
        EXPECT_EQ(computerAttacks, 0);
        EXPECT_EQ(Remaining(deck), 20);
        HeadlessClearInvalidations();
        Press(WM_LBUTTONUP, 0, 0);  // wherever the stylus is lifted
        EXPECT_EQ(pressedButton, 0);
        std::vector<RECT> repaint;
        if (p.pressed) repaint.push_back(p.pressed == 1 ? lowerButtonRect : upperButtonRect);
        EXPECT_EQ(InvalidatedRects(), repaint);
    }
}

TEST_F(StylusTest, ATapOverTableAndCardPlaysThenToggles) {
    // The hand's top rows lie inside the table area: the tap plays the
    // selection first, then toggles the card under it in the new hand.
    Deal(humanHand, "6S 7D 8D", SortByRank);
    Deal(computerHand, "7S");  // covers the 6S
    Select("6S");
    const Card& second = CardAt(humanHand, 2);
    const int x = second.x + 2, y = ScaleY(117);
    Press(WM_LBUTTONDOWN, x, y);
    EXPECT_EQ(Cards(humanTable), "6S");
    EXPECT_EQ(Cards(humanHand), "7D 8D");
    EXPECT_EQ(SelectedCards(humanHand), "8D") << "the card now at that place";

    // A refusal outlives the toggle of the same tap.
    Deal(humanTable, "");
    DeselectAll(humanHand);
    Press(WM_LBUTTONDOWN, x, y);
    EXPECT_EQ(StatusLine(), LoadText(315));
    EXPECT_EQ(SelectedCards(humanHand), "8D");
}

TEST_F(StylusTest, SeveralComputerCardsLetTheHumanSelectSeveral) {
    computerAttacks = 1;
    Deal(computerTable, "9S 9H");
    Deal(humanHand, "TH TS 6D", SortByRank);
    for (int32_t position : {2, 3}) {
        POINT p = OnCard(position);
        Press(WM_LBUTTONDOWN, p.x, p.y);
    }
    EXPECT_EQ(SelectedCards(humanHand), "TH TS");
    Deal(computerTable, "9S");
    POINT p = OnCard(1);
    Press(WM_LBUTTONDOWN, p.x, p.y);
    EXPECT_EQ(SelectedCards(humanHand), "6D") << "one uncovered card: one selection";
}

TEST_F(StylusTest, ADoubleTapOnAButtonPressesItOnce) {
    computerAttacks = 1;
    boutLedByComputer = 1;
    humanHandAtBoutStart = 6;
    LayTable("6D 8D 9D TD JD QD", "", "7S", "9S JH KS");
    DoubleTap(220, 186);
    EXPECT_EQ(StatusLine(), L"You have taken 1 card(s)");
    EXPECT_EQ(humanHand.count, 7) << "taken once";
    EXPECT_EQ(computerTable.count, 1) << "the computer's new lead stays on the table";
}

struct DoubleTapCase {
    const char* what;
    uint32_t option;
    int32_t extra;  // extraCardsAllowed before
    const char* table;
    const char* tableAfter;
    const char* selected;
    int32_t extraAfter;
};

// A double tap on the 7D; the computer would cover it with the 9D.
const DoubleTapCase kDoubleTaps[] = {
    {"off: the first tap's toggle and nothing more", 0, -1, "", "", "7D", -1},
    {"on: the card is played", 1, -1, "", "7D", "", -1},
    {"on, while the computer takes: an extra card given", 1, 2, "7S", "7S 7D", "", 1},
};

TEST_F(StylusTest, DoubleTapPlaysOnlyWithTheOption) {
    for (const DoubleTapCase& c : kDoubleTaps) {
        SCOPED_TRACE(c.what);
        doubleTapPlay = c.option;
        extraCardsAllowed = c.extra;
        computerAttacks = 0;
        LayTable("6D 7D 8D", c.table, "", "9D");
        POINT p = OnCard(2);
        DoubleTap(p.x, p.y);
        EXPECT_EQ(Cards(humanTable), c.tableAfter);
        EXPECT_EQ(SelectedCards(humanHand), c.selected);
        EXPECT_EQ(extraCardsAllowed, c.extraAfter);
    }
}

}  // namespace
