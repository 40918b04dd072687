#include <string>

#include "game/pile.h"
#include "game/state.h"
#include "tests/fixture.h"
#include "ui/scale.h"

namespace {

struct C {
    int32_t suit, rank;
    friend bool operator==(const C&, const C&) = default;
};

std::ostream& operator<<(std::ostream& os, const C& c) {
    return os << "(" << c.suit << "," << c.rank << ")";
}

std::vector<C> Contents(const CardPile& p) {
    std::vector<C> out;
    for (int32_t i = 1; i <= p.count; ++i)
        out.push_back({CardAt(p, i).suit, CardAt(p, i).rank});
    return out;
}

class PileTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        window = MakeWindow();
        InitPile(a);
        InitPile(b);
        a.window = b.window = window;
    }
    void TearDown() override {
        ClearPile(a);
        ClearPile(b);
    }
    static void Fill(CardPile& p, const std::vector<C>& cards) {
        for (const C& c : cards)
            AddCard(p, c.suit, c.rank);
    }
    HWND window = nullptr;
    CardPile a, b;
};

struct SortCase {
    const char* what;
    int32_t mode;
    int32_t trump;
    std::vector<C> in;
    std::vector<C> out;
};

const SortCase kSorts[] = {
    {"by suit, trump suit last even when numbered lowest",
     SortBySuit,
     Diamonds,
     {{1, 6}, {4, 14}, {2, 10}, {1, 7}, {3, 13}},
     {{2, 10}, {3, 13}, {4, 14}, {1, 6}, {1, 7}}},
    {"by suit, ranks ascending inside a suit",
     SortBySuit,
     Spades,
     {{3, 14}, {3, 6}, {4, 6}, {2, 12}, {3, 11}},
     {{2, 12}, {3, 6}, {3, 11}, {3, 14}, {4, 6}}},
    {"by rank, the trump of a rank after the others",
     SortByRank,
     Clubs,
     {{4, 6}, {3, 6}, {1, 6}, {2, 7}, {3, 14}, {2, 6}},
     {{1, 6}, {2, 6}, {4, 6}, {3, 6}, {2, 7}, {3, 14}}},
    {"by rank, suit order within a rank without trumps",
     SortByRank,
     0,
     {{4, 9}, {1, 9}, {3, 8}, {2, 9}},
     {{3, 8}, {1, 9}, {2, 9}, {4, 9}}},
    {"insertion order kept", SortNone, Hearts, {{4, 9}, {1, 9}, {3, 8}}, {{4, 9}, {1, 9}, {3, 8}}},
};

TEST_F(PileTest, SortOrders) {
    for (const SortCase& c : kSorts) {
        CardPile p;
        InitPile(p);
        p.sortMode = c.mode;
        p.trumpSuit = c.trump;
        Fill(p, c.in);
        EXPECT_EQ(Contents(p), c.out) << c.what;
        ClearPile(p);
    }
}

TEST_F(PileTest, SortUsesTrumpFlagsAsTheyStandThenRefreshFixesThem) {
    a.sortMode = SortBySuit;
    a.trumpSuit = Spades;
    Fill(a, {{1, 6}, {4, 6}, {2, 6}});
    EXPECT_EQ(Contents(a), (std::vector<C>{{1, 6}, {2, 6}, {4, 6}}));
    a.trumpSuit = Diamonds;  // flags now stale: this sort still sees spades as trump
    SortPile(a);
    EXPECT_EQ(Contents(a), (std::vector<C>{{1, 6}, {2, 6}, {4, 6}}));
    EXPECT_EQ(CardAt(a, 1).isTrump, 1) << "flags fixed after the sort";
    Refresh(a);
    EXPECT_EQ(Contents(a), (std::vector<C>{{2, 6}, {4, 6}, {1, 6}}));
}

struct LayoutCase {
    const char* what;
    int dpi;
    int32_t mode;
    int32_t perRow;
    int32_t cards;
    int32_t position;  // 1-based card to check
    POINT expected;
};

// Origin (10, 20). Card 28 x 40 at 96 dpi, 37 x 53 at 128 dpi.
const LayoutCase kLayouts[] = {
    {"half overlap", 96, LayoutHalfOverlap, 16, 3, 3, {38, 20}},
    {"side by side", 96, LayoutSideBySide, 16, 3, 3, {66, 20}},
    {"side by side, eighth card starts a second row", 96, LayoutSideBySide, 7, 8, 8, {10, 61}},
    {"side by side, seventh card ends the first row", 96, LayoutSideBySide, 7, 8, 7, {178, 20}},
    {"third overlap", 96, LayoutThirdOverlap, 16, 4, 4, {37, 20}},
    {"quarter fan", 96, LayoutQuarterFan, 16, 5, 5, {38, 20}},
    {"quarter fan rows overlap by a third", 96, LayoutQuarterFan, 3, 7, 7, {10, 48}},
    {"stacked", 96, LayoutStacked, 16, 5, 5, {10, 20}},
    {"stacked ignores rows", 96, LayoutStacked, 2, 5, 5, {10, 20}},
    {"unknown mode lays out as half overlap", 96, 9, 16, 3, 3, {38, 20}},
    {"half overlap at 128 dpi", 128, LayoutHalfOverlap, 16, 3, 3, {46, 20}},
    {"third overlap at 128 dpi", 128, LayoutThirdOverlap, 16, 3, 3, {34, 20}},
    {"quarter fan rows at 128 dpi", 128, LayoutQuarterFan, 2, 3, 3, {10, 38}},
    {"second row at 128 dpi", 128, LayoutSideBySide, 2, 3, 3, {10, 74}},
};

TEST_F(PileTest, LayoutModes) {
    for (const LayoutCase& c : kLayouts) {
        StartScreen(c.dpi);
        CardPile p;
        InitPile(p);
        p.layoutMode = c.mode;
        p.perRow = c.perRow;
        p.originX = 10;
        p.originY = 20;
        for (int32_t i = 0; i < c.cards; ++i)
            AddCard(p, 1 + i % 4, 6 + i % 9);
        Refresh(p);
        const Card& card = CardAt(p, c.position);
        EXPECT_EQ((POINT{card.x, card.y}), c.expected) << c.what;
        EXPECT_EQ(card.rect, (RECT{card.x, card.y, card.x + ScaleX(28), card.y + ScaleY(40)}))
            << c.what;
        ClearPile(p);
    }
}

TEST_F(PileTest, FirstCardGivesThePileItsSizeAndUnsortedCardsStayUnplaced) {
    StartScreen(192);
    a.originX = a.originY = 0;
    EXPECT_EQ(a.cardWidth, -1);
    AddCard(a, Hearts, 9);
    EXPECT_EQ(a.cardWidth, 56);
    EXPECT_EQ(a.cardHeight, 80);
    EXPECT_EQ(CardAt(a, 1).x, -1);
    EXPECT_EQ(CardAt(a, 1).y, -1);
    EXPECT_TRUE(HeadlessInvalidations().empty()) << "an unplaced card asks for no repaint";
    Refresh(a);
    EXPECT_EQ(CardAt(a, 1).x, 0);
    EXPECT_EQ(CardAt(a, 1).live, 1);
    EXPECT_EQ(CardAt(a, 1).window, window);
}

TEST_F(PileTest, AddedCardTakesThePilesFaceBackAndTrump) {
    a.faceDown = 1;
    a.backIndex = 3;
    a.trumpSuit = Clubs;
    Fill(a, {{3, 7}, {2, 7}});
    EXPECT_EQ(CardAt(a, 1).faceDown, 1);
    EXPECT_EQ(CardAt(a, 1).backIndex, 3);
    EXPECT_EQ(CardAt(a, 1).isTrump, 1);
    EXPECT_EQ(CardAt(a, 2).isTrump, 0);
    EXPECT_EQ(CardAt(a, 2).selected, 0);
}

TEST_F(PileTest, MoveSelectedRepaintsExactlyTheOldAndNewPlaces) {
    a.layoutMode = b.layoutMode = LayoutSideBySide;
    a.originX = 10, a.originY = 10;
    b.originX = 10, b.originY = 100;
    Fill(a, {{1, 6}, {2, 7}, {3, 8}});
    Refresh(a);
    CardAt(a, 2).selected = 1;
    HeadlessClearInvalidations();

    EXPECT_EQ(MoveSelected(a, b), 1);
    EXPECT_EQ(Contents(a), (std::vector<C>{{1, 6}, {3, 8}}));
    EXPECT_EQ(Contents(b), (std::vector<C>{{2, 7}}));
    EXPECT_EQ(CardAt(b, 1).selected, 0) << "a moved card is a new card";
    const std::vector<RECT> expected = {
        {10, 10, 38, 50},   {38, 10, 66, 50}, {66, 10, 94, 50},  // the source before
        {10, 10, 38, 50},   {38, 10, 66, 50},                    // the source after
        {10, 100, 38, 140},                                      // the destination
    };
    EXPECT_EQ(InvalidatedRects(), expected);
}

TEST_F(PileTest, MoveIntoSortedPileRepaintsItAfterEveryCard) {
    b.sortMode = SortByRank;
    b.originX = b.originY = 0;
    Fill(a, {{1, 9}, {1, 6}});
    SelectAll(a);
    Fill(b, {{2, 7}});
    HeadlessClearInvalidations();
    EXPECT_EQ(MoveSelected(a, b), 2);
    EXPECT_EQ(Contents(b), (std::vector<C>{{1, 6}, {2, 7}, {1, 9}}));
    // Source unplaced: only the destination's cards, 2 + 3 on the adds, 3 on the refresh.
    EXPECT_EQ(InvalidatedRects().size(), 8u);
    EXPECT_EQ(a.count, 0);
    EXPECT_EQ(a.cards, nullptr);
}

TEST_F(PileTest, NothingSelectedMovesOrCopiesNothingButRefreshes) {
    a.originX = a.originY = 0;
    b.originX = 0, b.originY = 100;
    Fill(a, {{1, 6}, {2, 6}});
    Fill(b, {{3, 6}});
    Refresh(a);
    Refresh(b);
    HeadlessClearInvalidations();
    EXPECT_EQ(MoveSelected(a, b), 0);
    // Compaction repaints the source twice, then the destination once.
    EXPECT_EQ(
        InvalidatedRects(),
        (std::vector<RECT>{
            {0, 0, 28, 40}, {14, 0, 42, 40}, {0, 0, 28, 40}, {14, 0, 42, 40}, {0, 100, 28, 140}}));
    HeadlessClearInvalidations();
    EXPECT_EQ(CopySelected(a, b), 0);
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{{0, 100, 28, 140}}));
    EXPECT_EQ(a.count, 2);
    EXPECT_EQ(b.count, 1);
}

TEST_F(PileTest, CopySelectedLeavesTheSourceAlone) {
    a.originX = a.originY = 0;
    Fill(a, {{1, 6}, {2, 6}, {3, 6}});
    CardAt(a, 1).selected = CardAt(a, 3).selected = 1;
    HeadlessClearInvalidations();
    EXPECT_EQ(CopySelected(a, b), 2);
    EXPECT_EQ(Contents(a).size(), 3u);
    EXPECT_EQ(Contents(b), (std::vector<C>{{1, 6}, {3, 6}}));
    EXPECT_EQ(CountSelected(a), 2);
    EXPECT_EQ(CountSelected(b), 0);
}

TEST_F(PileTest, CompactionKeepsOrderAndSelection) {
    Fill(a, {{1, 6}, {2, 7}, {3, 8}, {4, 9}, {1, 10}});
    CardAt(a, 2).live = 0;
    CardAt(a, 4).live = 0;
    CardAt(a, 3).selected = 1;
    Compact(a);
    EXPECT_EQ(Contents(a), (std::vector<C>{{1, 6}, {3, 8}, {1, 10}}));
    EXPECT_EQ(CardAt(a, 2).selected, 1);
    EXPECT_EQ(FirstSelected(a), 2);
    AddCard(a, 2, 9);  // into the slot a compacted card left: unplaced, as any new card
    EXPECT_EQ(CardAt(a, 4).rect, (RECT{}));
    for (int32_t i = 1; i <= 4; ++i)
        CardAt(a, i).live = 0;
    Compact(a);
    EXPECT_EQ(a.count, 0);
    EXPECT_EQ(a.cards, nullptr);
}

TEST_F(PileTest, SearchesAndCounts) {
    EXPECT_EQ(FindRank(a, 6), 0);
    EXPECT_EQ(FindSuit(a, 1), 0);
    EXPECT_EQ(CountRank(a, 6), 0);
    EXPECT_EQ(FirstSelected(a), 0);
    Fill(a, {{2, 9}, {4, 6}, {1, 9}, {4, 12}});
    EXPECT_EQ(FindRank(a, 9), 1);
    EXPECT_EQ(FindRank(a, 12), 4);
    EXPECT_EQ(FindRank(a, 14), 0);
    EXPECT_EQ(FindSuit(a, 4), 2);
    EXPECT_EQ(FindSuit(a, 3), 0);
    EXPECT_EQ(CountRank(a, 9), 2);
    SelectAll(a);
    EXPECT_EQ(CountSelected(a), 4);
    DeselectAll(a);
    EXPECT_EQ(CountSelected(a), 0);
}

TEST_F(PileTest, BackAndTrumpChangesRepaintOnlyWhatShows) {
    a.originX = a.originY = 0;
    Fill(a, {{1, 6}, {2, 6}});
    Refresh(a);
    HeadlessClearInvalidations();
    SetBack(a, 2);
    EXPECT_EQ(CardAt(a, 2).backIndex, 2);
    EXPECT_TRUE(InvalidatedRects().empty()) << "a face-up pile shows no back";
    SetTrumpSuit(a, Hearts);
    EXPECT_EQ(CardAt(a, 2).isTrump, 1);
    EXPECT_EQ(CardAt(a, 1).isTrump, 0);
    EXPECT_TRUE(InvalidatedRects().empty());
    a.faceDown = 1;
    SetBack(a, 4);
    EXPECT_EQ(InvalidatedRects().size(), 2u);
}

TEST_F(PileTest, CardsWithoutPlaceOrIdentityAreNotRepainted) {
    Card card{};
    InitCard(card);
    card.window = window;
    InvalidateCard(card);
    SetPosition(card, 5, 5);
    InvalidateCard(card);  // no identity yet
    EXPECT_TRUE(InvalidatedRects().empty());
    card.suit = Spades;
    card.rank = Ace;
    SetHidden(card, 1);
    EXPECT_EQ(card.hidden, 1);
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{{5, 5, 33, 45}}));
}

TEST_F(PileTest, ClearPileRepaintsEveryCardThenEmpties) {
    a.layoutMode = LayoutStacked;
    a.originX = 3, a.originY = 4;
    Fill(a, {{1, 6}, {2, 6}, {3, 6}});
    Refresh(a);
    HeadlessClearInvalidations();
    ClearPile(a);
    EXPECT_EQ(InvalidatedRects(), std::vector<RECT>(3, RECT{3, 4, 31, 44}));
    EXPECT_EQ(a.count, 0);
    EXPECT_EQ(a.cards, nullptr);
}

struct ToggleCase {
    const char* what;
    int32_t before;
    std::vector<C> hand;
    int32_t after;
    std::vector<C> order;
};

// Clubs are trumps: by rank the six of clubs comes first, by suit last.
const ToggleCase kToggles[] = {
    {"by suit becomes by rank",
     SortBySuit,
     {{3, 6}, {1, 9}, {2, 7}},
     SortByRank,
     {{3, 6}, {2, 7}, {1, 9}}},
    {"by rank becomes by suit",
     SortByRank,
     {{3, 6}, {1, 9}, {2, 7}},
     SortBySuit,
     {{1, 9}, {2, 7}, {3, 6}}},
    {"unsorted becomes by suit",
     SortNone,
     {{3, 6}, {1, 9}, {2, 7}},
     SortBySuit,
     {{1, 9}, {2, 7}, {3, 6}}},
    {"an empty hand is left alone", SortBySuit, {}, SortBySuit, {}},
};

TEST_F(PileTest, ToggleHandSort) {
    for (const ToggleCase& c : kToggles) {
        InitPile(humanHand);
        humanHand.sortMode = c.before;
        humanHand.trumpSuit = Clubs;
        Fill(humanHand, c.hand);
        ToggleHandSort();
        EXPECT_EQ(humanHand.sortMode, c.after) << c.what;
        EXPECT_EQ(Contents(humanHand), c.order) << c.what;
        ClearPile(humanHand);
    }
}

}  // namespace
