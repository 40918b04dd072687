// Taking, extra cards, the end of a bout and the end of a game.
#include "app/settings.h"
#include "game/flow.h"
#include "tests/game_fixture.h"

namespace {

class BoutTest : public GameTest {
  protected:
    // The human opened with 6S while the computer held five cards, it
    // covered with 7S, the human adds 7H, which it cannot beat: three extra
    // cards allowed (five, less the human's two on the table).
    void ComputerFacesAnUncoverableThrowIn() {
        computerAttacks = 0;
        computerHandAtBoutStart = 5;
        Deal(humanHand, "6D 7D 6C 9D 7H", SortByRank);
        Deal(humanTable, "6S");
        Deal(computerTable, "7S");
        Deal(computerHand, "8S 9S TS JS");
        SetFreshStock(20);
        Select("7H");
        TapTable();
    }
};

bool Holds(const CardPile& pile, int32_t suit, int32_t rank) {
    for (int32_t i = 1; i <= pile.count; ++i)
        if (CardAt(pile, i).suit == suit && CardAt(pile, i).rank == rank) return true;
    return false;
}

TEST_F(BoutTest, ComputerTakingLetsTheHumanGiveUpToTheAllowance) {
    ComputerFacesAnUncoverableThrowIn();
    EXPECT_EQ(extraCardsAllowed, 3);
    EXPECT_EQ(StatusLine(), L"You can give me 3 extra card(s).");

    Select("");
    TapTable();
    EXPECT_EQ(StatusLine(), L"You can give me 3 extra card(s).") << "nothing selected: shown again";
    Select("9D");
    TapTable();
    EXPECT_EQ(StatusLine(), L"") << "a rank not on the table is ignored without a word";
    Select("6D");
    TapTable();
    EXPECT_EQ(extraCardsAllowed, 2);
    EXPECT_EQ(StatusLine(), L"You can give me 2 extra card(s).");
    EXPECT_EQ(Cards(humanTable), "6S 7H 6D");

    TapLowerButton();  // OK while still allowed to give: the computer picks up
    EXPECT_EQ(extraCardsAllowed, -1);
    EXPECT_EQ(StatusLine(), L"Your move!");
    EXPECT_EQ(Cards(humanTable), "");
    EXPECT_EQ(computerHand.count, 4 + 4);
    EXPECT_EQ(humanHand.count, 6) << "only the human's hand is refilled";
    EXPECT_EQ(computerAttacks, 0) << "the human opens again";
}

TEST_F(BoutTest, GivingTheLastAllowedCardEndsTheTaking) {
    ComputerFacesAnUncoverableThrowIn();
    Select("6D");
    TapTable();
    Select("7D");
    TapTable();
    EXPECT_EQ(extraCardsAllowed, 1);
    EXPECT_EQ(StatusLine(), L"You can give me 1 extra card(s).");
    Select("6C");  // a trump may be given too
    TapTable();
    EXPECT_EQ(extraCardsAllowed, -1);
    EXPECT_EQ(StatusLine(), L"Your move!");
    EXPECT_EQ(Cards(computerTable) + Cards(humanTable), "");
    EXPECT_TRUE(Holds(computerHand, Clubs, 6));
}

TEST_F(BoutTest, NoAllowanceMeansThePickUpIsSilent) {
    computerAttacks = 0;
    computerHandAtBoutStart = 6;
    Deal(humanHand, "9H", SortByRank);
    Deal(humanTable, "6S 6H 6D 7S 7H");
    Deal(computerTable, "8S 8H 8D 9S JH");
    Deal(computerHand, "KS");
    SetFreshStock(20);
    Select("9H");
    TapTable();
    EXPECT_EQ(Cards(humanTable), "");
    EXPECT_EQ(computerHand.count, 1 + 5 + 6);
    EXPECT_EQ(humanHand.count, 6);
    EXPECT_EQ(extraCardsAllowed, -1);
    EXPECT_EQ(StatusLine(), L"") << "no text when the computer picks up at once";
}

struct TakeCase {
    const char* what;
    const char* computerHand;
    const wchar_t* status;
    int32_t humanCards;
};

// The computer attacked with 7S while the human held six cards: it may add
// up to five, non-trumps of a rank on the table only.
const TakeCase kTakes[] = {
    {"two extra cards", "7D 7H 9S", L"You have taken 3 card(s),\r\n including 2 extra one(s).", 9},
    {"no extra card", "9S JH", L"You have taken 1 card(s)", 7},
    {"trumps are never given", "7C 9S", L"You have taken 1 card(s)", 7},
};

TEST_F(BoutTest, HumanTakesWithTheComputersExtraCards) {
    for (const TakeCase& c : kTakes) {
        SCOPED_TRACE(c.what);
        computerAttacks = 1;
        boutLedByComputer = 1;
        humanHandAtBoutStart = 6;
        Deal(humanHand, "6D 8D 9D TD JD QD", SortByRank);
        Deal(humanTable, "");
        Deal(computerTable, "7S");
        Deal(computerHand, c.computerHand);
        SetFreshStock(20);
        TapLowerButton();
        EXPECT_EQ(StatusLine(), c.status);
        EXPECT_EQ(humanHand.count, c.humanCards);
        EXPECT_EQ(computerAttacks, 1) << "the computer opens the next bout at once";
        EXPECT_EQ(computerTable.count, 1);
        EXPECT_EQ(humanTable.count, 0);
    }
}

TEST_F(BoutTest, OkOnAnEmptyTableChangesNothing) {
    Deal(humanHand, "6D 7D", SortByRank);
    transferOpen = 0;
    TapLowerButton();
    EXPECT_EQ(Cards(humanHand), "6D 7D");
    EXPECT_EQ(computerAttacks, 0);
    EXPECT_EQ(transferOpen, 1);
    EXPECT_EQ(Remaining(deck), 20);
}

TEST_F(BoutTest, BeatenOffBoutRefillsTheOpenerFirst) {
    // The human opened and the computer covered; one card is left in the
    // stock, with the face-up trump under it.
    computerAttacks = 0;
    boutLedByComputer = 0;
    Deal(humanHand, "6D 7D 8D 9D TD", SortByRank);
    Deal(humanTable, "6S");
    Deal(computerTable, "7S");
    Deal(computerHand, "8S 9S TS JS QS");
    SetFreshStock(1);
    int32_t suit = 0, rank = 0;
    for (const DeckEntry& e : deck.entries)
        if (e.present) suit = e.suit, rank = e.rank;
    const int32_t trumpSuit = trumpCard.suit, trumpRank = trumpCard.rank;
    TapLowerButton();
    EXPECT_TRUE(Holds(humanHand, suit, rank)) << "the human, who opened, drew the last stock card";
    EXPECT_TRUE(Holds(computerHand, trumpSuit, trumpRank)) << "the computer took the trump card";
    EXPECT_EQ(trumpCard.hidden, 1);
    EXPECT_EQ(stockCard.hidden, 1);
    EXPECT_EQ(computerAttacks, 1);
    EXPECT_EQ(computerTable.count, 1) << "and opened the next bout at once";
}

TEST_F(BoutTest, HumanWinsAtTheStartOfTheComputersDefence) {
    // The human lays the last card with nothing left to draw.
    computerAttacks = 0;
    Deal(humanHand, "6S", SortByRank);
    Deal(computerHand, "7S 8S");
    SetFreshStock(0);
    trumpCard.hidden = 1;
    Select("6S");
    TapTable();
    EXPECT_EQ(TakeBoxes(), (std::vector<std::string>{"You win!||64"}));
    EXPECT_EQ(humanWins, 1u);
    EXPECT_EQ(LoadSetting(L"statu"), 1u);
    EXPECT_EQ(computerWins, 0u);
    EXPECT_EQ(lastWinner, 0);
    // The computer's defence never ran on the new deal: the human opens it.
    EXPECT_EQ(humanHand.count, 6);
    EXPECT_EQ(computerHand.count, 6);
    EXPECT_EQ(Cards(humanTable) + Cards(computerTable), "");
    EXPECT_EQ(computerAttacks, 0);
    EXPECT_EQ(StatusLine(), L"Your move!");
}

TEST_F(BoutTest, ComputerWinsWithItsLastCoverAndOpensTheNextGame) {
    computerAttacks = 0;
    Deal(humanHand, "6S 9H", SortByRank);
    Deal(computerHand, "7S");
    SetFreshStock(0);
    trumpCard.hidden = 1;
    Select("6S");
    TapTable();
    EXPECT_EQ(TakeBoxes(), (std::vector<std::string>{"I win!||64"}));
    EXPECT_EQ(computerWins, 1u);
    EXPECT_EQ(LoadSetting(L"statc"), 1u);
    EXPECT_EQ(lastWinner, 1);
    EXPECT_EQ(computerAttacks, 1);
    EXPECT_EQ(computerTable.count, 1) << "the computer opened the new game";
}

struct GameOverCase {
    const char* what;
    const char* humanHand;
    const char* computerHand;
    bool trumpStillOut;
    const char* box;  // empty: the game goes on
};

const GameOverCase kGameOver[] = {
    {"both hands out: the computer wins", "", "", false, "I win!||64"},
    {"the human out", "", "6S", false, "You win!||64"},
    {"a hand out while the trump card still lies out", "", "6S", true, ""},
    {"a Japanese game ends as soon as the stock is empty", "6S", "", false, "I win!||64"},
};

TEST_F(BoutTest, GameOverOnlyWhenNothingIsLeftToDraw) {
    for (const GameOverCase& c : kGameOver) {
        SCOPED_TRACE(c.what);
        Deal(humanHand, c.humanHand, SortByRank);
        Deal(computerHand, c.computerHand);
        SetFreshStock(0);
        trumpCard.hidden = c.trumpStillOut ? 0 : 1;
        uint32_t before = computerWins + humanWins;
        TakeBoxes();
        CheckGameOver();
        std::vector<std::string> boxes = TakeBoxes();
        EXPECT_EQ(boxes.size(), c.box[0] ? 1u : 0u);
        if (!boxes.empty()) {
            EXPECT_EQ(boxes[0], c.box);
        }
        EXPECT_EQ(computerWins + humanWins, before + (c.box[0] ? 1 : 0));
    }
}

}  // namespace
