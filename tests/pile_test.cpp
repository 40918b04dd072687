#include <string>

#include "game/pile.h"
#include "game/state.h"
#include "tests/fixture.h"
#include "ui/scale.h"

namespace {

// A card as suit * 100 + rank: 314 is the ace of suit 3.
using Cards = std::vector<int32_t>;

Cards Contents(const CardPile& p) {
    Cards out;
    for (int32_t i = 1; i <= p.count; ++i)
        out.push_back(CardAt(p, i).suit * 100 + CardAt(p, i).rank);
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
    static void Fill(CardPile& p, const Cards& cards) {
        for (int32_t c : cards)
            AddCard(p, c / 100, c % 100);
    }
    HWND window = nullptr;
    CardPile a, b;
};

struct SortCase {
    const char* what;
    int32_t mode;
    int32_t trump;
    Cards in;
    Cards out;
};

const SortCase kSorts[] = {
    {"by suit, ranks ascending, the trump suit last even when numbered lowest",
     SortBySuit,
     Diamonds,
     {106, 414, 314, 210, 107, 313, 311},
     {210, 311, 313, 314, 414, 106, 107}},
    {"by rank, the trump of a rank after the others",
     SortByRank,
     Clubs,
     {406, 306, 106, 207, 314, 206},
     {106, 206, 406, 306, 207, 314}},
    {"by rank, suit order within a rank without trumps",
     SortByRank,
     0,
     {409, 109, 308, 209},
     {308, 109, 209, 409}},
    {"insertion order kept", SortNone, Hearts, {409, 109, 308}, {409, 109, 308}},
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
    Fill(a, {106, 406, 206});
    EXPECT_EQ(Contents(a), (Cards{106, 206, 406}));
    a.trumpSuit = Diamonds;  // flags now stale: this sort still sees spades as trump
    SortPile(a);
    EXPECT_EQ(Contents(a), (Cards{106, 206, 406}));
    EXPECT_EQ(CardAt(a, 1).isTrump, 1) << "flags fixed after the sort";
    Refresh(a);
    EXPECT_EQ(Contents(a), (Cards{206, 406, 106}));
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
    {"side by side, eighth card starts a second row", 96, LayoutSideBySide, 7, 8, 8, {10, 61}},
    {"side by side, seventh card ends the first row", 96, LayoutSideBySide, 7, 8, 7, {178, 20}},
    {"third overlap", 96, LayoutThirdOverlap, 16, 4, 4, {37, 20}},
    {"quarter fan", 96, LayoutQuarterFan, 16, 5, 5, {38, 20}},
    {"quarter fan rows overlap by a third", 96, LayoutQuarterFan, 3, 7, 7, {10, 48}},
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

TEST_F(PileTest, AddedCardTakesThePilesSizeFaceBackAndTrumpButNoPlace) {
    StartScreen(192);
    a.originX = a.originY = 0;
    a.faceDown = 1;
    a.backIndex = 3;
    a.trumpSuit = Clubs;
    EXPECT_EQ(a.cardWidth, -1);
    Fill(a, {307, 207});
    EXPECT_EQ((POINT{a.cardWidth, a.cardHeight}), (POINT{56, 80}));
    const Card& first = CardAt(a, 1);
    EXPECT_EQ((POINT{first.x, first.y}), (POINT{-1, -1}));
    EXPECT_TRUE(HeadlessInvalidations().empty()) << "an unplaced card asks for no repaint";
    EXPECT_EQ((std::vector<int32_t>{first.faceDown, first.backIndex, first.isTrump,
                                    CardAt(a, 2).isTrump, CardAt(a, 2).selected}),
              (std::vector<int32_t>{1, 3, 1, 0, 0}));
    Refresh(a);
    EXPECT_EQ((std::vector<int64_t>{first.x, first.live}), (std::vector<int64_t>{0, 1}));
    EXPECT_EQ(first.window, window);
}

TEST_F(PileTest, MoveSelectedRepaintsExactlyTheOldAndNewPlaces) {
    a.layoutMode = b.layoutMode = LayoutSideBySide;
    a.originX = 10, a.originY = 10;
    b.originX = 10, b.originY = 100;
    Fill(a, {106, 207, 308});
    Refresh(a);
    CardAt(a, 2).selected = 1;
    HeadlessClearInvalidations();

    EXPECT_EQ(MoveSelected(a, b), 1);
    EXPECT_EQ(Contents(a), (Cards{106, 308}));
    EXPECT_EQ(Contents(b), (Cards{207}));
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
    Fill(a, {109, 106});
    SelectAll(a);
    Fill(b, {207});
    HeadlessClearInvalidations();
    EXPECT_EQ(MoveSelected(a, b), 2);
    EXPECT_EQ(Contents(b), (Cards{106, 207, 109}));
    // Source unplaced: only the destination's cards, 2 + 3 on the adds, 3 on the refresh.
    EXPECT_EQ(InvalidatedRects().size(), 8u);
    EXPECT_EQ(a.count, 0);
    EXPECT_EQ(a.cards, nullptr);
}

TEST_F(PileTest, CopyLeavesTheSourceAloneAndNothingSelectedMovesNothingButRefreshes) {
    a.originX = a.originY = 0;
    b.originX = 0, b.originY = 100;
    Fill(a, {106, 206});
    Fill(b, {306});
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
    AddCard(a, 4, 6);
    CardAt(a, 1).selected = CardAt(a, 3).selected = 1;
    EXPECT_EQ(CopySelected(a, b), 2);
    EXPECT_EQ(Contents(a), (Cards{106, 206, 406}));
    EXPECT_EQ(Contents(b), (Cards{306, 106, 406}));
    EXPECT_EQ(CountSelected(a), 2);
    EXPECT_EQ(CountSelected(b), 0);
}

TEST_F(PileTest, CompactionKeepsOrderAndSelection) {
    Fill(a, {106, 207, 308, 409, 110});
    CardAt(a, 2).live = 0;
    CardAt(a, 4).live = 0;
    CardAt(a, 3).selected = 1;
    Compact(a);
    EXPECT_EQ(Contents(a), (Cards{106, 308, 110}));
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
    auto all = [&] {
        return std::vector<int32_t>{FindRank(a, 9),   FindRank(a, 12), FindRank(a, 14),
                                    FindSuit(a, 4),   FindSuit(a, 3),  CountRank(a, 9),
                                    FirstSelected(a), CountSelected(a)};
    };
    EXPECT_EQ(all(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0, 0}));
    Fill(a, {209, 406, 109, 412});
    EXPECT_EQ(all(), (std::vector<int32_t>{1, 4, 0, 2, 0, 2, 0, 0}));
    SelectAll(a);
    EXPECT_EQ(CountSelected(a), 4);
    DeselectAll(a);
    EXPECT_EQ(CountSelected(a), 0);
}

TEST_F(PileTest, BackAndTrumpChangesRepaintOnlyWhatShowsAndClearingRepaintsAll) {
    a.originX = a.originY = 0;
    Fill(a, {106, 206});
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
    HeadlessClearInvalidations();
    ClearPile(a);
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{{0, 0, 28, 40}, {14, 0, 42, 40}}));
    EXPECT_EQ(a.count, 0);
    EXPECT_EQ(a.cards, nullptr);
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

struct ToggleCase {
    const char* what;
    int32_t before;
    int32_t after;
    Cards order;  // empty: an empty hand
};

// Clubs are trumps: by rank the six of clubs comes first, by suit last.
const ToggleCase kToggles[] = {
    {"by suit becomes by rank", SortBySuit, SortByRank, {306, 207, 109}},
    {"by rank becomes by suit", SortByRank, SortBySuit, {109, 207, 306}},
    {"unsorted becomes by suit", SortNone, SortBySuit, {109, 207, 306}},
    {"an empty hand is left alone", SortBySuit, SortBySuit, {}},
};

TEST_F(PileTest, ToggleHandSort) {
    for (const ToggleCase& c : kToggles) {
        InitPile(humanHand);
        humanHand.sortMode = c.before;
        humanHand.trumpSuit = Clubs;
        if (!c.order.empty()) Fill(humanHand, {306, 109, 207});
        ToggleHandSort();
        EXPECT_EQ(humanHand.sortMode, c.after) << c.what;
        EXPECT_EQ(Contents(humanHand), c.order) << c.what;
        ClearPile(humanHand);
    }
}

}  // namespace
