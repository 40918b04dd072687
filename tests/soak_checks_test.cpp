// The soak's table checks, each on a table laid out by hand.
#include <sstream>
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
    const char* cards;  // the human's hand / table / the computer's hand / table
    const char* check;  // the check that must speak; "" for a clean table
    void (*tweak)();    // after the stock is filled; may be null
};

void Attacking() {
    computerAttacks = 1;
}

void NothingToDraw() {
    for (int32_t i = 0; i < deck.total; ++i)
        deck.entries[i].present = 0;
    deck.remaining = 0;
    stockCard.hidden = 1;
    trumpCard.hidden = 1;
}

const TableCase kTables[] = {
    {"a bout the human leads, covered", "6C 8S / 7H / KS 6H / 9H", "", nullptr},
    {"the computer attacks with one card open", "6C 8S / 8H / KS / 7H 8C", "", Attacking},
    {"the computer taking, five more allowed", "6C 8S / 7H / KS /", "",
     [] { extraCardsAllowed = 5; }},
    {"a cover that beats nothing", "6C / 7H / KS / 6H", "covers", nullptr},
    {"a throw-in of a rank never on the table", "6C / 8H / KS / 7H 9C", "throw-in rank", Attacking},
    {"seven cards on the human's table", "6C / 6H 7H 8H 9H TH JH QH / KS / 6D 7D 8D 9D JD QD KD",
     "table limit", nullptr},
    {"an attack card open while the human leads", "6C / 7H 8H / KS / 9H", "turn", nullptr},
    {"the human defending nothing", "6C / / KS /", "turn", Attacking},
    {"more cards to answer than in the hand", "6C / / KS 8S 9S / 7H 7C", "turn", Attacking},
    {"extraCardsAllowed left at 0", "6C / / KS /", "allowance", [] { extraCardsAllowed = 0; }},
    {"one extra card more than the rule gives", "6C 8S / 7H / KS /", "allowance",
     [] { extraCardsAllowed = 6; }},
    {"the transfer open after a cover", "6C / 8H / KS 8S 9S / 7H 7C", "transfer",
     [] {
         computerAttacks = 1;
         transferOpen = 1;
     }},
    {"the human's hand out with nothing to draw", "/ / 6C /", "game over", NothingToDraw},
    {"the computer's hand out with nothing to draw", "6C / / /", "game over", NothingToDraw},
    {"a card in two hands", "7H 6C / / 7H /", "cards", nullptr},
    {"a stock that miscounts", "6C / / KS /", "stock", [] { deck.remaining -= 1; }},
    {"a stale trump flag", "6C / / KS /", "trump", [] { CardAt(humanHand, 1).isTrump = 1; }},
};

TEST_F(SoakChecksTest, TableChecks) {
    for (const TableCase& c : kTables) {
        SCOPED_TRACE(c.what);
        ResetGameState();
        computerHandAtBoutStart = humanHandAtBoutStart = 6;
        trumpCard.hidden = 0;
        std::istringstream cards(c.cards);
        for (CardPile* pile : {&humanHand, &humanTable, &computerHand, &computerTable}) {
            std::string part;  // stays empty past the last slash
            std::getline(cards >> std::ws, part, '/');
            Deal(*pile, part.c_str());
        }
        StockIsTheRest();
        if (c.tweak) c.tweak();

        soak::Findings findings;
        soak::CheckTable(soak::Capture(), findings);
        std::string said;
        for (const soak::Finding& f : findings)
            said += std::string("\n") + f.check + ": " + f.detail;
        if (*c.check == '\0') {
            EXPECT_EQ(said, "") << c.what;
        } else {
            EXPECT_NE(said.find("\n" + std::string(c.check) + ": "), std::string::npos)
                << c.what << ": no word from " << c.check << said;
        }
    }
}

}  // namespace
