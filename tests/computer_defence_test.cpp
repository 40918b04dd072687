#include <string>

#include "ai/ai.h"
#include "game/status.h"
#include "tests/table.h"

namespace {

using DefenceTest = TableTest;

struct TransferCase {
    const char* what;
    int32_t type = 1;
    int32_t open = 1;
    int32_t stock = 15;
    const char* human = "6H 8H 9H JS QS";
    const char* hand = "7H 9D QC 8S KH JS";
    const char* table;  // the computer's side afterwards
};

// The human leads the seven of clubs; diamonds are trumps.
const TransferCase kTransfers[] = {
    {.what = "transfer type with a stock", .table = "7C 7H"},
    {.what = "Bulk with transfer", .type = 3, .table = "7C 7H"},
    {.what = "Japanese with transfer", .type = 5, .table = "7C 7H"},
    {.what = "Thrown up has no transfer", .type = 0, .table = "QC"},
    {.what = "Bulk has no transfer", .type = 2, .table = "QC"},
    {.what = "Japanese has no transfer", .type = 4, .table = "QC"},
    {.what = "the human holding just enough", .human = "6H 8H", .table = "7C 7H"},
    {.what = "the human short of cards", .human = "6H", .table = "QC"},
    {.what = "the bout no longer open", .open = 0, .table = "QC"},
    {.what = "a trump seven it may spend", .hand = "7D 9D QC 8S KH JS", .table = "7C 7D"},
    {.what = "a trump seven it keeps", .stock = 18, .hand = "7D 9D QC 8S KH JS", .table = "QC"},
    {.what = "end game, the human lacks the rank", .stock = 0, .table = "7C 7H"},
    {.what = "end game, the human could pass it back", .stock = 0, .human = "7S 8H", .table = "QC"},
};

TEST_F(DefenceTest, Transfer) {
    for (const TransferCase& c : kTransfers) {
        SetGame(c.type, "TD");
        SetStock(c.stock);
        computerAttacks = 0;
        transferOpen = c.open;
        statusText = nullptr;
        LayTable(c.human, "7C", "", c.hand);
        bool transferred = std::string(c.table).size() > 2;
        EXPECT_EQ(ComputerDefend(), 1) << c.what;
        EXPECT_EQ(Cards(computerTable), c.table) << c.what;
        EXPECT_EQ(humanTable.count, transferred ? 0 : 1) << c.what;
        EXPECT_EQ(computerAttacks, transferred ? 1 : 0) << c.what;
        EXPECT_EQ(transferOpen, transferred ? 1 : 0) << c.what;
        EXPECT_EQ(StatusLine(), transferred ? L"Transfer!" : L"") << c.what;
        EXPECT_EQ(computerHand.sortMode, SortBySuit) << c.what;
    }
}

struct WantCase {
    const char* what;
    const char* hand;
    int32_t stock;
    const char* human;
    int32_t rank;
    int32_t wants;
};

// The human's table holds the seven of clubs.
const WantCase kWants[] = {
    {"short of cards, always", "6H 9S 8D", 15, "AH", 7, 1},
    {"no card of the rank", "6H 9S 8D KD", 15, "AH", 7, 0},
    {"a pair, even in the end game", "7H 7S 8D KD", 0, "7D", 7, 1},
    {"one card with a stock", "7H 9S 8D KD", 5, "7D", 7, 1},
    {"end game, the human holds the rank", "7H 9S 8D KD", 0, "7D", 7, 0},
    {"end game, the human lacks it", "7H 9S 8D KD", 0, "9D", 7, 1},
    {"three of a rank are no pair", "9H 9S 9C KD", 0, "9D", 9, 0},
};

TEST_F(DefenceTest, WantsTransfer) {
    for (const WantCase& c : kWants) {
        SetStock(c.stock);
        LayTable(c.human, "7C", "", c.hand);
        EXPECT_EQ(WantsTransfer(c.rank), c.wants) << c.what;
    }
}

struct CoverCase {
    const char* what;
    int32_t type;
    const char* trump;
    int32_t stock;
    const char* attack;
    const char* hand;
    const char* cover;  // "" when the computer takes
};

const CoverCase kCovers[] = {
    {"20 in the stock: from the highest heart", 0, "TC", 20, "6H", "8H JH AH 9S 7D", "AH"},
    {"16 in the stock: still from the highest", 0, "TC", 16, "6H", "8H JH AH 9S 7D", "AH"},
    {"15 in the stock: the lowest heart above", 0, "TC", 15, "6H", "8H JH AH 9S 7D", "8H"},
    {"10 in the stock: the lowest heart above", 0, "TC", 10, "6H", "8H JH AH 9S 7D", "8H"},
    {"a trump attack scans from the lowest", 0, "TC", 16, "6C", "8C 9C KC TH TS", "8C"},
    {"a heart too low, then a trump", 0, "TC", 5, "9H", "7H 6C", "6C"},
    {"a trump of the attack's rank first", 0, "TC", 5, "9H", "6C 9C JC 7S", "9C"},
    {"else the lowest spendable trump", 0, "TC", 5, "9H", "6C JC 7S", "6C"},
    {"the same-rank trump kept, a lower one spent", 0, "TC", 21, "9H", "6C 9C TS TD", "6C"},
    {"every trump kept: take", 0, "TC", 17, "9H", "6C 9C JC 7S", ""},
    {"no trump: take", 0, "TC", 5, "9H", "7H AS", ""},
    {"a trump attack with no higher trump: take", 0, "TC", 5, "QC", "JC AH", ""},
    {"Japanese: high spades kept, the eight covers", 4, "", 20, "6S", "8S KS AS", "8S"},
    {"Japanese: a kept king of spades, trumps no help", 4, "", 10, "9S", "KS 6D AD", ""},
    {"Japanese: eight in the stock, the king may go", 4, "", 8, "9S", "KS 6D AD", "KS"},
    {"Japanese: no higher spade, trumps no help", 4, "", 10, "9S", "8S 6D AD", ""},
    {"end game: a rank the human lacks over a lower one it holds", 0, "TC", 0, "7H", "8H 9H QH",
     "QH"},
    {"end game: even the ace of trumps to shut the human out", 0, "TC", 0, "7H", "8H AC", "AC"},
    {"end game, every cover's rank held: the lowest heart", 0, "TC", 0, "7H", "8H 9H", "8H"},
    {"no shutting out while cards are left in the stock", 0, "TC", 1, "7H", "8H 9H QH", "8H"},
};

TEST_F(DefenceTest, Cover) {
    for (const CoverCase& c : kCovers) {
        SetGame(c.type, c.trump);
        SetStock(c.stock);
        LayTable("8S 9D", c.attack, "", c.hand);
        int32_t held = computerHand.count;
        bool covers = c.cover[0] != '\0';
        EXPECT_EQ(ComputerDefend(), covers ? 1 : 0) << c.what;
        EXPECT_EQ(Cards(computerTable), c.cover) << c.what;
        EXPECT_EQ(computerHand.count, covers ? held - 1 : held) << c.what;
    }
}

TEST_F(DefenceTest, CoverToShutOutOnlyAgainstOneUncoveredCard) {
    SetStock(0);
    Deal(humanHand, "8S");
    Deal(computerHand, "9H JH");
    EXPECT_EQ(ComputerDefend(), -1) << "no attack card: nothing to answer";
    EXPECT_EQ(computerTable.count, 0);
    Deal(humanTable, "7S 7H");
    EXPECT_EQ(CoverToShutOut(), 0) << "two uncovered attack cards";
    Deal(humanTable, "7H 8H 6H");
    Deal(computerTable, "JC QH");
    EXPECT_EQ(CoverToShutOut(), 1) << "the third attack card after two covers";
    EXPECT_EQ(Cards(computerTable), "JC QH 9H");
}

struct TransferredCase {
    const char* what;
    const char* hand;
    int32_t result;
    const char* table;  // the computer's side afterwards
    const char* rest;
    int32_t attacks;  // computerAttacks afterwards
};

// The human has transferred: the eights of hearts and clubs face the
// computer at once; diamonds are trumps.
const TransferredCase kTransferred[] = {
    {"both covered in one move", "TH 9S 6D", 1, "TH 6D", "9S", 0},
    {"one left uncovered: take", "TH 9S", 0, "", "TH 9S", 0},
    {"fewer cards than attack cards: take", "TH", 0, "", "TH", 0},
    {"passed straight back", "8S TH 9S 6D", 1, "8H 8C 8S", "TH 9S 6D", 1},
};

TEST_F(DefenceTest, CoverAfterTransfer) {
    for (const TransferredCase& c : kTransferred) {
        SetGame(1, "TD");
        SetStock(15);
        computerAttacks = 1;
        transferOpen = 1;
        extraCardsAllowed = -1;
        LayTable("6S 7S QS", "8H 8C", "", c.hand, SortByRank);
        EXPECT_EQ(ComputerDefend(), c.result) << c.what;
        EXPECT_EQ(Cards(computerTable), c.table) << c.what;
        EXPECT_EQ(Cards(computerHand), c.rest) << c.what;
        EXPECT_EQ(SelectedCards(computerHand), "") << c.what;
        EXPECT_EQ(extraCardsAllowed, c.result == 0 ? 2 : -1) << c.what;
        EXPECT_EQ(computerAttacks, c.attacks) << c.what;
        EXPECT_EQ(transferOpen, c.attacks) << c.what;
        // A cover or a take leaves the suit order unsorted for cards to come.
        EXPECT_EQ(computerHand.sortMode, c.attacks == 1 ? SortBySuit : SortNone) << c.what;
    }
}

}  // namespace
