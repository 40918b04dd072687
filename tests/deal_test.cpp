// The deal of each game type, who opens, and the hand's layout.
#include <set>
#include <utility>

#include "game/deal.h"
#include "game/message.h"
#include "game/status.h"
#include "tests/game_fixture.h"

namespace {

using DealTest = GameTest;

struct DealCase {
    int32_t type;
    int32_t human;
    int32_t computer;  // hand and table: the computer may have opened
    int32_t stock;
    int32_t trumpHidden;
    int32_t stockHidden;
    int32_t layout;  // the human's hand
    int32_t perRow;
    // Where the trump card is: "out", "computer" (the Bulk deals give it to
    // the computer last) or "none".
    const char* trumpAt;
};

// clang-format off
const DealCase kDeals[] = {
    {.type = 0, .human = 6, .computer = 6, .stock = 23, .trumpHidden = 0, .stockHidden = 0,
     .layout = LayoutSideBySide, .perRow = 7, .trumpAt = "out"},
    {.type = 1, .human = 6, .computer = 6, .stock = 23, .trumpHidden = 0, .stockHidden = 0,
     .layout = LayoutSideBySide, .perRow = 7, .trumpAt = "out"},
    {.type = 2, .human = 18, .computer = 18, .stock = 0, .trumpHidden = 1, .stockHidden = 1,
     .layout = LayoutHalfOverlap, .perRow = 12, .trumpAt = "computer"},
    {.type = 3, .human = 18, .computer = 18, .stock = 0, .trumpHidden = 1, .stockHidden = 1,
     .layout = LayoutHalfOverlap, .perRow = 12, .trumpAt = "computer"},
    {.type = 4, .human = 6, .computer = 6, .stock = 24, .trumpHidden = 1, .stockHidden = 0,
     .layout = LayoutSideBySide, .perRow = 7, .trumpAt = "none"},
    {.type = 5, .human = 6, .computer = 6, .stock = 24, .trumpHidden = 1, .stockHidden = 0,
     .layout = LayoutSideBySide, .perRow = 7, .trumpAt = "none"},
};
// clang-format on

TEST_F(DealTest, EachGameTypeDealsItsHands) {
    for (const DealCase& c : kDeals) {
        SCOPED_TRACE(c.type);
        gameType = c.type;
        SendGameMessage(NEW_GAME);
        EXPECT_EQ(humanHand.count + humanTable.count, c.human);
        EXPECT_EQ(computerHand.count + computerTable.count, c.computer);
        EXPECT_EQ(Remaining(deck), c.stock);
        EXPECT_EQ(trumpCard.hidden, c.trumpHidden);
        EXPECT_EQ(stockCard.hidden, c.stockHidden);
        EXPECT_EQ(humanHand.layoutMode, c.layout);
        EXPECT_EQ(humanHand.perRow, c.perRow);
        if (c.type >= 4) {
            EXPECT_EQ(TrumpSuit(), Diamonds);
        }
        // Every card once: hands, table, stock and the face-up trump card.
        std::set<std::pair<int32_t, int32_t>> seen;
        int32_t counted = 0;
        std::string trumpAt = "none";
        auto see = [&](int32_t suit, int32_t rank, const char* where) {
            seen.insert({suit, rank});
            ++counted;
            if (suit == trumpCard.suit && rank == trumpCard.rank) trumpAt = where;
        };
        for (const CardPile* p : {&humanHand, &humanTable, &computerHand, &computerTable})
            for (int32_t i = 1; i <= p->count; ++i)
                see(CardAt(*p, i).suit, CardAt(*p, i).rank,
                    p == &humanHand || p == &humanTable ? "human" : "computer");
        for (const DeckEntry& e : deck.entries)
            if (e.present) see(e.suit, e.rank, "stock");
        if (!trumpCard.hidden) see(trumpCard.suit, trumpCard.rank, "out");
        EXPECT_EQ(counted, 36);
        EXPECT_EQ(seen.size(), 36u);
        EXPECT_EQ(trumpAt, c.trumpAt);
    }
}

struct OpenerCase {
    const char* what;
    int32_t lastWinner;
    const char* humanHand;
    const char* computerHand;
    int32_t computerAttacks;
};

// Clubs are trumps.
const OpenerCase kOpeners[] = {
    {"no trumps anywhere: the human", -1, "6D 7D", "8D 9D", 0},
    {"only the human has trumps: the human", -1, "6C 7D", "8D 9D", 0},
    {"only the computer has trumps: the computer", -1, "6D 7D", "8C 9D", 1},
    {"the lower trump opens: the human", -1, "7C 6D", "9C 6H", 0},
    {"the lower trump opens: the computer", -1, "9C 6D", "7C 6H", 1},
    {"after the computer's win: the computer", 1, "6C", "AC 6H", 1},
    {"after the human's win: the human", 0, "AC 6D", "6C 6H", 0},
};

TEST_F(DealTest, WhoOpensTheFirstBout) {
    for (const OpenerCase& c : kOpeners) {
        SCOPED_TRACE(c.what);
        lastWinner = c.lastWinner;
        Deal(humanHand, c.humanHand);
        Deal(computerHand, c.computerHand);
        Deal(computerTable, "");
        statusText = nullptr;
        ChooseFirstAttacker();
        EXPECT_EQ(computerAttacks, c.computerAttacks);
        EXPECT_EQ(computerTable.count, c.computerAttacks) << "the computer leads at once";
        EXPECT_EQ(StatusLine(), c.computerAttacks ? L"" : L"Your move!");
        EXPECT_EQ(humanHand.sortMode, SortByRank);
    }
}

TEST_F(DealTest, HandLayoutFollowsItsSize) {
    const struct {
        int32_t cards, layout, perRow;
    } kFits[] = {{6, LayoutSideBySide, 7},
                 {7, LayoutHalfOverlap, 12},
                 {24, LayoutHalfOverlap, 12},
                 {25, LayoutThirdOverlap, 18},
                 {30, LayoutThirdOverlap, 18}};
    for (const auto& f : kFits) {
        Deal(humanHand, "");
        for (int32_t i = 0; i < f.cards; ++i)
            AddCard(humanHand, 1 + i / 9, 6 + i % 9);
        FitHumanHand();
        EXPECT_EQ(humanHand.layoutMode, f.layout) << f.cards << " cards";
        EXPECT_EQ(humanHand.perRow, f.perRow) << f.cards << " cards";
    }
    // 25 cards in rows of 18 at a third of a card: the 19th starts row two.
    EXPECT_EQ(CardAt(humanHand, 19).x, humanHand.originX);
    EXPECT_EQ(CardAt(humanHand, 19).y, humanHand.originY + 41);
    EXPECT_EQ(CardAt(humanHand, 2).x, humanHand.originX + 9);
}

}  // namespace
