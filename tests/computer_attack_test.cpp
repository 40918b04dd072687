#include <string>

#include "ai/ai.h"
#include "platform/headless/headless.h"
#include "tests/table.h"

namespace {

using AttackTest = TableTest;

const char* const kSixCards = "6D 7D 8D 9D JD QD";

struct TrumpCase {
    int32_t attacking;
    int32_t n;  // cards in the computer's hand of the rank under the stock
    int32_t k;  // the trump's rank
    int32_t spentAt;
};

const TrumpCase kTrumps[] = {
    {1, 0, 6, 4},  {1, 1, 6, 4},   {1, 2, 6, 36},  {1, 2, 7, 36}, {1, 2, 8, 20}, {1, 2, 11, 18},
    {1, 2, 12, 4}, {1, 2, 13, 0},  {1, 2, 14, 0},  {1, 0, 14, 0}, {0, 1, 6, 16}, {0, 2, 7, 36},
    {0, 2, 8, 20}, {0, 2, 11, 18}, {0, 2, 12, 10}, {0, 2, 13, 5}, {0, 2, 14, 2}, {0, 0, 14, 2},
};

struct SpadeCase {
    int32_t type;
    const char* card;
    int32_t spentAt;
};

const SpadeCase kSpades[] = {{0, "AS", 36}, {4, "AH", 36}, {4, "TS", 36}, {4, "JS", 20},
                             {5, "QS", 10}, {4, "KS", 8},  {5, "AS", 8}};

// A card is spent with spentAt cards in the stock and kept with one more;
// 36 means it is never kept.
TEST_F(AttackTest, KeepTrumpsAndHighSpadesWhileTheStockIsBig) {
    auto spentUpTo = [](int32_t spentAt, int32_t (*spend)(const Card&), const Card& card) {
        for (int32_t s : {spentAt, spentAt + 1}) {
            if (s > 36) continue;
            SetStock(s);
            EXPECT_EQ(spend(card), s == spentAt ? 1 : 0) << s << " in the stock";
        }
    };
    const char* const tensOtherThanHearts[] = {"", "TD", "TD TC"};
    for (const TrumpCase& c : kTrumps) {
        SCOPED_TRACE(testing::Message()
                     << "attacking " << c.attacking << " n " << c.n << " k " << c.k);
        SetGame(0, "TH");
        computerAttacks = c.attacking;
        Deal(computerHand, tensOtherThanHearts[c.n]);
        Card trump = ParseCard("6H");
        trump.rank = c.k;
        spentUpTo(c.spentAt, MaySpendTrump, trump);
    }
    spentUpTo(36, MaySpendTrump, ParseCard("AS"));  // a plain card is never kept
    for (const SpadeCase& c : kSpades) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " " << c.card);
        SetGame(c.type, "TH");
        spentUpTo(c.spentAt, MaySpendSpade, ParseCard(c.card));
    }
}

struct GroupCase {
    const char* what;
    int32_t type = 0;
    int32_t stock;
    int32_t humanCards = 6;
    const char* hand;
    int32_t rank;
};

// clang-format off
const GroupCase kGroups[] = {
    {.what = "a big stock looks up to the jack", .stock = 11, .hand = "QH QS 7C", .rank = 0},
    {.what = "a pair of jacks with a big stock", .stock = 11, .hand = "JH JS 7C", .rank = 11},
    {.what = "ten in the stock looks up to the king", .stock = 10, .hand = "QH QS 7C", .rank = 12},
    {.what = "one in the stock still stops at the king", .stock = 1, .hand = "AH AS 7C", .rank = 0},
    {.what = "an empty stock looks up to the ace", .stock = 0, .hand = "AH AS 7C", .rank = 14},
    {.what = "Bulk, the human holding 8", .type = 2, .stock = 0, .humanCards = 8,
     .hand = "AH AS 7C", .rank = 14},
    {.what = "Bulk, the human holding 9", .type = 2, .stock = 0, .humanCards = 9,
     .hand = "AH AS 7C", .rank = 0},
    {.what = "Bulk with transfer, the human holding 9", .type = 3, .stock = 0, .humanCards = 9,
     .hand = "JH JS 7C", .rank = 11},
    {.what = "a tie goes to the lower rank", .stock = 20, .hand = "9H 9S 7C 7D", .rank = 7},
    {.what = "only a larger group replaces it", .stock = 20, .hand = "6H 6S TC TD TH", .rank = 10},
    {.what = "singles make no group", .stock = 20, .hand = "6H 7S 8C 9D", .rank = 0},
    {.what = "trumps count", .stock = 20, .hand = "8H 8C", .rank = 8},
};
// clang-format on

TEST_F(AttackTest, BestGroupRankLimits) {
    const std::string human = "6D 7D 8D 9D JD QD KD AD 6S";
    for (const GroupCase& c : kGroups) {
        SetGame(c.type, "6C");
        SetStock(c.stock);
        Deal(humanHand, human.substr(0, static_cast<size_t>(c.humanCards) * 3 - 1).c_str());
        Deal(computerHand, c.hand);
        EXPECT_EQ(BestGroupRank(), c.rank) << c.what;
    }
}

struct LeadCase {
    const char* what;
    int32_t type;
    int32_t stock;
    const char* human;
    const char* hand;  // in the order it is held
    const char* led;   // "" when nothing is led
    const char* rest;
};

// Clubs are trumps outside the Japanese types.
const LeadCase kLeads[] = {
    {"a group against three cards", 0, 15, "6D 8D JD", "9D 9H 7S", "9D", "9H 7S"},
    {"no group against two cards", 0, 15, "6D 8D", "9D 9H 7S", "7S", "9D 9H"},
    {"the first of equal lowest", 0, 15, "6D 7D", "8S 8D TH", "8S", "8D TH"},
    {"only trumps: the lowest", 0, 15, kSixCards, "QC 7C 9C", "7C", "QC 9C"},
    {"an empty hand leads nothing", 0, 15, kSixCards, "", "", ""},
    {"end game: a card the human cannot beat", 0, 0, "TH 7S", "6H AS", "AS", "6H"},
    {"end game: not one the human could transfer", 1, 0, "TH KD", "6H KS AS", "AS", "6H KS"},
    {"end game, two cards left: transfer no matter", 1, 0, "TH KD", "6H KS", "KS", "6H"},
    {"end game without transfer", 0, 0, "TH KD", "6H KS AS", "KS", "6H AS"},
    {"end game, all beaten: the lowest, the rest in suit order", 0, 0, "AH AC", "9S 6D 7H", "6D",
     "7H 9S"},
    {"end game against an empty hand: the first in suit order", 0, 0, "", "KC 9H 6S", "9H",
     "6S KC"},
    {"one card in the stock is no end game", 0, 1, "TH 7S", "6H AS", "6H", "AS"},
    {"nor three cards in each hand", 0, 0, "TH 7S 8S", "6H AS KS", "6H", "AS KS"},
    {"Japanese, three in the stock: the first eight", 4, 3, kSixCards, "8H 8S TC JH", "8H",
     "8S TC JH"},
    {"Japanese, three in the stock: a lone spade stays", 4, 3, kSixCards, "8S 9H 7C", "7C",
     "8S 9H"},
    {"Japanese, empty stock: the first spade", 4, 0, kSixCards, "7H QS 9S", "QS", "7H 9S"},
    {"Japanese, five in the stock: no spade", 5, 5, kSixCards, "7H 7C 9S 9H", "7H", "7C 9S 9H"},
    {"Japanese, four in the stock: the spade's rank", 5, 4, kSixCards, "7H 7C 9S 9H", "9S",
     "7H 7C 9H"},
    {"spades are plain outside the Japanese types", 0, 0, kSixCards, "7H QS 9S", "7H", "QS 9S"},
};

TEST_F(AttackTest, Lead) {
    for (const LeadCase& c : kLeads) {
        SCOPED_TRACE(c.what);
        SetGame(c.type, "TC");
        SetStock(c.stock);
        LayTable(c.human, "", "", c.hand);
        transferOpen = 0;
        boutLedByComputer = 0;
        EXPECT_EQ(ComputerAttack(), c.led[0] ? 1 : 0);
        EXPECT_EQ(Cards(computerTable), c.led);
        EXPECT_EQ(Cards(computerHand), c.rest);
        EXPECT_EQ(computerAttacks, 1);
        EXPECT_EQ(transferOpen, 1);
        EXPECT_EQ(boutLedByComputer, 1);
        EXPECT_EQ(humanHandAtBoutStart, humanHand.count);
    }
}

TEST_F(AttackTest, AttackWithHumanCardsAloneIsAnError) {
    Deal(humanTable, "9H");
    Deal(computerHand, "9D 6S");
    EXPECT_EQ(ComputerAttack(), -1);
    ASSERT_EQ(HeadlessBoxes().size(), 1u);
    EXPECT_EQ(HeadlessBoxes()[0].text, L"ERROR: strange , activ not lost!");
    EXPECT_EQ(Cards(computerHand), "9D 6S");
    EXPECT_EQ(computerTable.count, 0);
}

struct ThrowInCase {
    const char* what;
    int32_t type = 0;
    int32_t stock = 0;
    int32_t mode = 1;  // 1: the computer's own throw-in (ComputerAttack); 0: an extra card
    const char* human = "6H 7H";
    const char* hand;
    const char* thrown = "";  // "" when nothing fits
    const char* rest;         // left in rank order
};

// Each starts from the computer's 9H covered by the human's JH.
// clang-format off
const ThrowInCase kThrowIns[] = {
    {.what = "mode 0 never adds a trump", .mode = 0, .hand = "9C JC 6D", .rest = "6D 9C JC"},
    {.what = "mode 1 adds a trump when nothing else fits", .hand = "9C JC 6D", .thrown = "9C",
     .rest = "6D JC"},
    {.what = "a plain card before an earlier trump", .hand = "JD 9C", .thrown = "JD", .rest = "9C"},
    {.what = "the lowest card of a rank on the table", .hand = "JS 9S 9D", .thrown = "9D",
     .rest = "9S JS"},
    {.what = "a trump kept while the stock is big", .stock = 20, .hand = "9C", .rest = "9C"},
    {.what = "no card of a rank on the table", .hand = "6D 7S", .rest = "6D 7S"},
    {.what = "nothing against an empty hand", .human = "", .hand = "JD 9S", .rest = "9S JD"},
    {.what = "a card against the last one", .human = "6H", .hand = "JD", .thrown = "JD",
     .rest = ""},
    {.what = "Japanese: a high spade kept by mode 0", .type = 4, .stock = 21, .mode = 0,
     .hand = "JS", .rest = "JS"},
    {.what = "Japanese: but thrown in by mode 1", .type = 4, .stock = 21, .hand = "JS",
     .thrown = "JS", .rest = ""},
};
// clang-format on

TEST_F(AttackTest, ThrowIn) {
    for (const ThrowInCase& c : kThrowIns) {
        SCOPED_TRACE(c.what);
        SetGame(c.type, "AC");
        SetStock(c.stock);
        computerAttacks = 1;
        transferOpen = 1;
        LayTable(c.human, "JH", "9H", c.hand, SortBySuit);
        EXPECT_EQ(c.mode == 1 ? ComputerAttack() : ThrowIn(0), c.thrown[0] ? 1 : 0);
        EXPECT_EQ(Cards(computerTable), "9H" + std::string(c.thrown[0] ? " " : "") + c.thrown);
        EXPECT_EQ(Cards(computerHand), c.rest);
        EXPECT_EQ(computerHand.sortMode, SortByRank);
        EXPECT_EQ(transferOpen, 0);
    }
}

}  // namespace
