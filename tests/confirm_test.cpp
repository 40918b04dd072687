// The human's confirm in each situation of a bout, with the computer's
// answer that follows it at once.
#include "tests/game_fixture.h"

namespace {

using ConfirmTest = GameTest;

constexpr int32_t kAny = -99;

struct ConfirmCase {
    const char* what;
    int32_t type;
    int32_t computerAttacks;
    int32_t transferOpen;
    const char* humanHand;
    const char* humanTable;
    const char* computerTable;
    const char* computerHand;
    const char* select;
    int answer;  // queued for a question box, 0 for none
    // What must follow:
    const char* humanTableAfter;
    const char* computerTableAfter;
    const char* computerHandAfter;  // null: not checked
    const wchar_t* status;
    int32_t transferOpenAfter;
    int32_t computerAttacksAfter;
    int32_t extraAfter;
    bool asked;  // "Transfer?" was asked
};

// Clubs are trumps; the stock holds 20 cards.
const ConfirmCase kConfirms[] = {
    {"nothing selected, opening", 0, 0, 1, "6S 7H", "", "", "8S 9S", "", 0, "", "", "8S 9S",
     L"   Please select a card!", 1, 0, -1, false},
    {"nothing selected, defending", 0, 1, 1, "6S", "", "7H", "8S", "", 0, "", "7H", "8S",
     L"   Please select a card!", 1, 1, -1, false},
    {"any card opens; a computer that cannot cover lets the human add one", 0, 0, 1, "AS 6H", "",
     "", "7S 8D", "AS", 0, "AS", "", "8D 7S", L"You can give me 1 extra card(s).", 0, 0, 1, false},
    {"a throw-in of a rank only among the computer's covers", 0, 0, 0, "7D 9H", "6S", "7S", "8D KH",
     "7D", 0, "6S 7D", "7S 8D", "KH", L"", 0, 0, -1, false},
    {"a rank not on the table is refused silently and closes the transfer", 0, 0, 1, "9H", "6S",
     "7S", "8D", "9H", 0, "6S", "7S", "8D", L"", 0, 0, -1, false},
    {"a seventh card: the six-card limit wins over an empty computer hand", 0, 0, 0, "6C",
     "6S 6H 6D 7S 7H 7D", "8S 8H 8D 9S 9H 9D", "", "6C", 0, "6S 6H 6D 7S 7H 7D",
     "8S 8H 8D 9S 9H 9D", "", L"Ok (6 cards). My move.", 0, 0, -1, false},
    {"a throw-in when the computer holds nothing", 0, 0, 0, "6H", "6S", "7S", "", "6H", 0, "6S",
     "7S", "", L"Ok (0 cards). My move.", 0, 0, -1, false},
    {"a plain card of the attack rank transfers without a question", 1, 1, 1, "8D 9S", "", "8H",
     "6S 7S KS", "8D", 0, "", "", "6S 7S KS 8D 8H", L"", 0, 0, -1, false},
    {"a trump of the attack rank asks; No covers with it", 1, 1, 1, "8C 9S", "", "8H", "6S 7S KS",
     "8C", IDNO, "", "", nullptr, L"Ok. Your move!", 1, 0, -1, true},
    {"a trump of the attack rank asks; Yes transfers", 1, 1, 1, "8C 9S", "", "8H", "6S 7S KS", "8C",
     IDYES, "", "", "6S 7S KS 8H 8C", L"", 0, 0, -1, true},
    {"a computer too short for a transfer makes it a cover, which fails", 1, 1, 1, "8D", "", "8H",
     "6S", "8D", 0, "", "8H", "6S", L"", 0, 1, -1, false},
    {"several cards before the human: one selected", 0, 1, 1, "TH TS", "", "9S 9H", "7D", "TH", 0,
     "", "9S 9H", "7D", L"Select 2 cards", 0, 1, -1, false},
    {"several cards before the human: two that do not beat both", 0, 1, 1, "TH 6S", "", "9S 9H",
     "7D", "TH 6S", 0, "", "9H 9S", "7D", L"Bad cards selected", 0, 1, -1, false},
    {"several cards before the human: two that beat both, and the computer adds nothing", 0, 1, 1,
     "TH TS 6D", "", "9S 9H", "7D", "TH TS", 0, "", "", nullptr, L"Ok. Your move!", 1, 0, -1,
     false},
    {"the sixth cover ends the bout at once", 0, 1, 0, "TH 8D", "7S 7H 7D 7C TS",
     "6S 6H 6D 6C 9S 9H", "AS", "TH", 0, "", "", nullptr, L"", 1, 0, -1, false},
};

TEST_F(ConfirmTest, EachSituation) {
    for (const ConfirmCase& c : kConfirms) {
        SCOPED_TRACE(c.what);
        SetGame(c.type, "TC");
        computerAttacks = c.computerAttacks;
        transferOpen = c.transferOpen;
        boutLedByComputer = c.computerAttacks;
        computerHandAtBoutStart = 2;
        humanHandAtBoutStart = 6;
        extraCardsAllowed = -1;
        Deal(humanHand, c.humanHand, SortByRank);
        Deal(humanTable, c.humanTable);
        Deal(computerTable, c.computerTable);
        Deal(computerHand, c.computerHand);
        SetFreshStock(20);
        Select(c.select);
        if (c.answer) HeadlessQueueBoxAnswer(c.answer);
        TakeBoxes();

        TapTable();

        EXPECT_EQ(Cards(humanTable), c.humanTableAfter);
        EXPECT_EQ(Cards(computerTable), c.computerTableAfter);
        if (c.computerHandAfter) {
            EXPECT_EQ(Cards(computerHand), c.computerHandAfter);
        }
        EXPECT_EQ(StatusLine(), c.status);
        if (c.transferOpenAfter != kAny) {
            EXPECT_EQ(transferOpen, c.transferOpenAfter);
        }
        EXPECT_EQ(computerAttacks, c.computerAttacksAfter);
        EXPECT_EQ(extraCardsAllowed, c.extraAfter);
        std::vector<std::string> asked;
        if (c.asked) asked.push_back("Transfer?||36");
        EXPECT_EQ(TakeBoxes(), asked);
    }
}

TEST_F(ConfirmTest, ARefusedMoveKeepsTheSelection) {
    SetGame(0, "TC");
    computerAttacks = 1;
    Deal(humanHand, "6H 9S", SortByRank);
    Deal(computerTable, "7H");
    Deal(computerHand, "8S");
    Select("6H");
    TapTable();
    EXPECT_EQ(SelectedCards(humanHand), "6H");
    EXPECT_EQ(Cards(computerTable), "7H");
    EXPECT_EQ(transferOpen, 0);
}

TEST_F(ConfirmTest, DefendingAnEmptyTableIsReported) {
    computerAttacks = 1;
    Deal(humanHand, "6H", SortByRank);
    Select("6H");
    TapTable();
    EXPECT_EQ(TakeBoxes(), (std::vector<std::string>{"ERROR: computer will go!||0"}));
    EXPECT_EQ(Cards(humanHand), "6H");
}

}  // namespace
