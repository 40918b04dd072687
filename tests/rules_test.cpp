#include "game/rules.h"
#include "tests/table.h"

namespace {

using RulesTest = TableTest;

struct CoverCase {
    const char* what;
    int32_t type;
    const char* trump;
    const char* cover;
    const char* attack;
    int32_t result;
};

const CoverCase kCanCover[] = {
    {"higher of the same suit", 0, "KD", "QC", "9C", 1},
    {"lower of the same suit", 0, "KD", "7C", "9C", 0},
    {"equal rank of the same suit", 0, "KD", "9C", "9C", 0},
    {"another plain suit", 0, "KD", "AH", "6C", -1},
    {"any trump on a plain ace", 0, "KD", "6D", "AC", 1},
    {"a plain ace on a trump", 0, "KD", "AC", "6D", -1},
    {"higher trump on lower trump", 0, "KD", "TD", "7D", 1},
    {"lower trump on higher trump", 0, "KD", "7D", "TD", 0},
    {"a trump on a spade: Thrown up", 0, "KD", "6D", "AS", 1},
    {"a trump on a spade: Thrown up, transfer", 1, "KD", "6D", "AS", 1},
    {"a trump on a spade: Bulk", 2, "KD", "6D", "AS", 1},
    {"a trump on a spade: Bulk, transfer", 3, "KD", "6D", "AS", 1},
    {"Japanese: a trump on a spade", 4, "", "AD", "6S", -1},
    {"Japanese with transfer: a trump on a spade", 5, "", "AD", "6S", -1},
    {"Japanese: a higher spade", 4, "", "TS", "9S", 1},
    {"Japanese: a lower spade", 4, "", "8S", "9S", 0},
    {"Japanese: a spade on a heart", 4, "", "AS", "6H", -1},
    {"Japanese: a trump on a heart", 4, "", "6D", "AH", 1},
};

TEST_F(RulesTest, CanCover) {
    for (const CoverCase& c : kCanCover) {
        SetGame(c.type, c.trump);
        Deal(computerHand, c.cover);
        Deal(humanTable, c.attack);
        EXPECT_EQ(CanCover(CardAt(computerHand, 1), CardAt(humanTable, 1)), c.result) << c.what;
    }
}

struct CoverAllCase {
    const char* what;
    int32_t type;
    const char* attack;
    const char* defence;
    int32_t result;
    const char* chosen;
};

// Clubs are trumps outside the Japanese types.
const CoverAllCase kCoverAll[] = {
    {"two higher hearts cover two hearts", 0, "7H 8H", "9H TH", 0, "9H TH"},
    {"the eight takes the seven, the nine the eight", 0, "8H 7H", "TH 9H 8H", 0, "8H 9H"},
    {"own suit before a trump", 0, "7H", "AC 6C 8H", 0, "8H"},
    {"the lowest trump when the suit fails", 0, "AH", "AC 6S 6C", 0, "6C"},
    {"a higher trump for a trump", 0, "9C", "8C JC", 0, "JC"},
    {"one attack card left uncovered", 0, "7H TS", "8H 9S", 1, ""},
    {"a plain ace cannot take a trump", 0, "TC", "9C AH", 1, ""},
    {"Japanese: only a spade for a spade", 4, "9S", "AD TS", 0, "TS"},
    {"Japanese: trumps cannot take a spade", 4, "9S 7H", "AD 8H", 1, ""},
    {"more attack cards than defence cards", 0, "7H 8H", "AC", -1, ""},
    {"no defence cards", 0, "7H", "", -1, ""},
    {"no attack cards", 0, "", "AC", -1, ""},
};

TEST_F(RulesTest, CoverAll) {
    for (const CoverAllCase& c : kCoverAll) {
        SetGame(c.type, "TC");
        Deal(humanTable, c.attack);
        Deal(computerHand, c.defence);
        EXPECT_EQ(CoverAll(humanTable, computerHand), c.result) << c.what;
        EXPECT_EQ(SelectedCards(computerHand), c.chosen) << c.what;
    }
}

TEST_F(RulesTest, CoverAllLeavesSuitOrderWithoutSorting) {
    Deal(humanTable, "9C 7H 8D", SortByRank);
    Deal(computerHand, "AH 6C", SortByRank);
    EXPECT_EQ(CoverAll(humanTable, computerHand), -1);
    EXPECT_EQ(Cards(humanTable), "8D 7H 9C");
    EXPECT_EQ(Cards(computerHand), "AH 6C");
    EXPECT_EQ(humanTable.sortMode, SortNone);
    EXPECT_EQ(computerHand.sortMode, SortNone);
    // Cards received later are appended, not sorted in.
    AddCard(computerHand, Diamonds, 6);
    EXPECT_EQ(Cards(computerHand), "AH 6C 6D");
}

}  // namespace
