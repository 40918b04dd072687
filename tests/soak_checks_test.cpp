// The soak's table checks, each on a table laid out by hand.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/table.h"
#include "tools/soak/checks.h"

namespace {

class SoakChecksTest : public TableTest {
  protected:
    void SetUp() override {
        TableTest::SetUp();
        SetGame(0, "TD");
    }
    // Everything in no pile and not the trump card lies in the stock.
    static void StockIsTheRest() {
        deck.remaining = 0;
        for (int32_t i = 0; i < deck.total; ++i) {
            DeckEntry& e = deck.entries[i];
            bool dealt = e.suit == trumpCard.suit && e.rank == trumpCard.rank;
            for (const CardPile* p : {&humanHand, &humanTable, &computerHand, &computerTable})
                for (int32_t c = 1; c <= p->count; ++c)
                    dealt = dealt || (CardAt(*p, c).suit == e.suit && CardAt(*p, c).rank == e.rank);
            e.present = dealt ? 0 : 1;
            deck.remaining += e.present;
        }
        stockCard.hidden = deck.remaining == 0 ? 1 : 0;
    }
};

struct TableCase {
    const char* what;
    int32_t computerAttacks;
    const char* human;
    const char* humanTableCards;
    const char* computer;
    const char* computerTableCards;
    void (*tweak)();    // after the stock is filled; may be null
    const char* check;  // the check that must speak; "" for a clean table
};

void AllowNothing() {
    extraCardsAllowed = 0;
}
void AllowFive() {
    extraCardsAllowed = 5;
    computerHandAtBoutStart = 6;
}
void AllowSix() {
    extraCardsAllowed = 6;
    computerHandAtBoutStart = 6;
}
void OpenTransfer() {
    transferOpen = 1;
}
void NothingToDraw() {
    for (int32_t i = 0; i < deck.total; ++i)
        deck.entries[i].present = 0;
    deck.remaining = 0;
    stockCard.hidden = 1;
    trumpCard.hidden = 1;
}
void MiscountStock() {
    deck.remaining -= 1;
}
void StaleTrumpFlag() {
    CardAt(humanHand, 1).isTrump = 1;
}

const TableCase kTables[] = {
    {"a bout the human leads, covered", 0, "6C 8S", "7H", "KS 6H", "9H", nullptr, ""},
    {"the computer attacks with one card open", 1, "6C 8S", "8H", "KS", "7H 8C", nullptr, ""},
    {"the computer taking, five more allowed", 0, "6C 8S", "7H", "KS", "", AllowFive, ""},
    {"a cover that beats nothing", 0, "6C", "7H", "KS", "6H", nullptr, "covers"},
    {"a throw-in of a rank never on the table", 1, "6C", "8H", "KS", "7H 9C", nullptr,
     "throw-in rank"},
    {"seven cards on the human's table", 0, "6C", "6H 7H 8H 9H TH JH QH", "KS",
     "6D 7D 8D 9D JD QD KD", nullptr, "table limit"},
    {"an attack card open while the human leads", 0, "6C", "7H 8H", "KS", "9H", nullptr, "turn"},
    {"the human defending nothing", 1, "6C", "", "KS", "", nullptr, "turn"},
    {"more cards to answer than in the hand", 1, "6C", "", "KS 8S 9S", "7H 7C", nullptr, "turn"},
    {"extraCardsAllowed left at 0", 0, "6C", "", "KS", "", AllowNothing, "allowance"},
    {"one extra card more than the rule gives", 0, "6C 8S", "7H", "KS", "", AllowSix, "allowance"},
    {"the transfer open after a cover", 1, "6C", "8H", "KS 8S 9S", "7H 7C", OpenTransfer,
     "transfer"},
    {"a hand out with nothing to draw", 0, "", "", "6C", "", NothingToDraw, "game over"},
    {"a card in two hands", 0, "7H 6C", "", "7H", "", nullptr, "cards"},
    {"a stock that miscounts", 0, "6C", "", "KS", "", MiscountStock, "stock"},
    {"a stale trump flag", 0, "6C", "", "KS", "", StaleTrumpFlag, "trump"},
};

TEST_F(SoakChecksTest, TableChecks) {
    for (const TableCase& c : kTables) {
        computerAttacks = c.computerAttacks;
        extraCardsAllowed = -1;
        transferOpen = 0;
        computerHandAtBoutStart = humanHandAtBoutStart = 6;
        trumpCard.hidden = 0;
        Deal(humanHand, c.human, SortBySuit);
        Deal(humanTable, c.humanTableCards);
        Deal(computerHand, c.computer);
        Deal(computerTable, c.computerTableCards);
        StockIsTheRest();
        if (c.tweak) c.tweak();

        soak::Findings findings;
        soak::CheckTable(soak::Capture(), findings);
        std::vector<std::string> checks;
        std::string said;
        for (const soak::Finding& f : findings) {
            checks.push_back(f.check);
            said += std::string("\n  ") + f.check + ": " + f.detail;
        }
        if (std::string(c.check).empty()) {
            EXPECT_TRUE(findings.empty()) << c.what << said;
        } else {
            bool spoke = std::find(checks.begin(), checks.end(), c.check) != checks.end();
            EXPECT_TRUE(spoke) << c.what << ": no word from " << c.check << said;
        }
    }
}

}  // namespace
