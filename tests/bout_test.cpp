// Taking, extra cards, the end of a bout and the end of a game.
#include "app/settings.h"
#include "game/gameover.h"
#include "tests/game_fixture.h"

namespace {

using BoutTest = GameTest;

bool Holds(const CardPile& pile, int32_t suit, int32_t rank) {
    for (int32_t i = 1; i <= pile.count; ++i)
        if (CardAt(pile, i).suit == suit && CardAt(pile, i).rank == rank) return true;
    return false;
}

struct GiveStep {
    const char* select;  // null: the lower button
    int32_t allowance;
    const wchar_t* status;
};

struct GiveCase {
    struct {
        const char* what;
        int32_t computerHandAtBoutStart;
        const char *humanHand, *humanTable, *computerTable, *computerHand;
        int32_t computerCards;  // once it has picked up
    } bout;
    std::vector<GiveStep> steps;  // the first plays a card the computer cannot beat
};

// The human attacks and the computer covers until a card it cannot beat.
// Extra cards allowed: what the computer held when the bout began, at most
// six, less the human's cards on the table.
const GiveCase kGives[] = {
    {{"given up to the allowance, then OK picks up", 6, "6D 7D 6C 9D 7H", "6S", "7S",
      "8S 9S TS JS QS", 5 + 4},
     {{"7H", 4, L"You can give me 4 extra card(s)."},
      {"", 4, L"You can give me 4 extra card(s)."},  // nothing selected: shown again
      {"9D", 4, L""},                                // not on the table: ignored silently
      {"6D", 3, L"You can give me 3 extra card(s)."},
      {nullptr, -1, L"Your move!"}}},
    // The computer covered 6S and 6H with 8S and 7H: 8D is of a rank only it laid.
    {{"the last allowed card ends the taking; a trump may be given", 5, "6D 8D 6C 9D", "6S 6H",
      "8S 7H", "9S TS JS", 3 + 2 + 3 + 2},
     {{"6D", 2, L"You can give me 2 extra card(s)."},
      {"8D", 1, L"You can give me 1 extra card(s)."},
      {"6C", -1, L"Your move!"}}},
    {{"no allowance: the computer picks up at once without a word", 6, "9H", "6S 6H 6D 7S 7H",
      "8S 8H 8D 9S JH", "KS", 1 + 5 + 6},
     {{"9H", -1, L""}}},
};

TEST_F(BoutTest, ComputerTakesAndTheHumanGivesExtraCards) {
    for (const GiveCase& c : kGives) {
        const auto& b = c.bout;
        SCOPED_TRACE(b.what);
        computerAttacks = 0;
        computerHandAtBoutStart = b.computerHandAtBoutStart;
        LayTable(b.humanHand, b.humanTable, b.computerTable, b.computerHand);
        SetFreshStock(20);
        for (const GiveStep& step : c.steps) {
            SCOPED_TRACE(step.select ? step.select : "OK");
            if (step.select) {
                Select(step.select);
                TapTable();
            } else {
                TapLowerButton();
            }
            EXPECT_EQ(extraCardsAllowed, step.allowance);
            EXPECT_EQ(StatusLine(), step.status);
        }
        EXPECT_EQ(Cards(humanTable) + Cards(computerTable), "");
        EXPECT_EQ(computerHand.count, b.computerCards);
        EXPECT_EQ(humanHand.count, 6) << "only the human's hand is refilled";
        EXPECT_EQ(computerAttacks, 0) << "the human opens again";
    }
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
        LayTable("6D 8D 9D TD JD QD", "", "7S", c.computerHand);
        SetFreshStock(20);
        TapLowerButton();
        EXPECT_EQ(StatusLine(), c.status);
        EXPECT_EQ(humanHand.count, c.humanCards);
        EXPECT_EQ(computerAttacks, 1) << "the computer opens the next bout at once";
        EXPECT_EQ(computerTable.count, 1);
        EXPECT_EQ(humanTable.count, 0);
    }
}

TEST_F(BoutTest, BeatenOffBoutRefillsTheOpenerFirst) {
    // The human opened and the computer covered; one card is left in the
    // stock, with the face-up trump under it.
    computerAttacks = 0;
    boutLedByComputer = 0;
    LayTable("6D 7D 8D 9D TD", "6S", "7S", "8S 9S TS JS QS");
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

struct WinCase {
    const char* what;
    const char* humanHand;
    const char* computerHand;
    const char* box;
    const wchar_t* valueName;  // the winner's count in the store
    int32_t lastWinner;
    const wchar_t* status;
};

// The human plays 6S with nothing left to draw. The next deal is opened by
// the winner: the old bout's steps never run on it.
const WinCase kWins[] = {
    {"the human lays the last card", "6S", "7S 8S", "You win!||64", L"statu", 0, L"Your move!"},
    {"the computer covers with its last card", "6S 9H", "7S", "I win!||64", L"statc", 1, L""},
};

TEST_F(BoutTest, AWinDealsAnewAndTheWinnerOpens) {
    for (const WinCase& c : kWins) {
        SCOPED_TRACE(c.what);
        computerAttacks = 0;
        LayTable(c.humanHand, "", "", c.computerHand);
        SetFreshStock(0);
        trumpCard.hidden = 1;
        const uint32_t human = humanWins, computer = computerWins;
        Select("6S");
        TapTable();
        EXPECT_EQ(TakeBoxes(), (std::vector<std::string>{c.box}));
        EXPECT_EQ(humanWins - human, c.lastWinner == 0 ? 1u : 0u);
        EXPECT_EQ(computerWins - computer, c.lastWinner == 1 ? 1u : 0u);
        EXPECT_EQ(LoadSetting(c.valueName), 1u);
        EXPECT_EQ(lastWinner, c.lastWinner);
        EXPECT_EQ(computerAttacks, c.lastWinner);
        EXPECT_EQ(humanHand.count, 6);
        EXPECT_EQ(computerHand.count + computerTable.count, 6);
        EXPECT_EQ(computerTable.count, c.lastWinner) << "the computer leads at once";
        EXPECT_EQ(humanTable.count, 0);
        EXPECT_EQ(StatusLine(), c.status);
    }
}

struct GameOverCase {
    const char* what;
    const char* humanHand;
    const char* computerHand;
    bool trumpStillOut;
    const char* box;  // null: the game goes on
};

const GameOverCase kGameOver[] = {
    {"both hands out: the computer wins", "", "", false, "I win!||64"},
    {"the human out", "", "6S", false, "You win!||64"},
    {"a hand out while the trump card still lies out", "", "6S", true, nullptr},
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
        EXPECT_EQ(TakeBoxes(),
                  c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
        EXPECT_EQ(computerWins + humanWins, before + (c.box ? 1 : 0));
    }
}

}  // namespace
