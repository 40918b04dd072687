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
    static void Fill(CardPile& p, const Cards& cards) {
        for (int32_t c : cards)
            AddCard(p, c / 100, c % 100);
    }
    HWND window = nullptr;
    CardPile a, b;  // their cards go with them, and InitPile drops any first
};

struct SortCase {
    int32_t by, trump;
    Cards in, out;
};

// By suit ranks rise within a suit and the trump suit comes last, though
// numbered lowest; by rank the trump of a rank comes after the others, and
// without trumps the suits of a rank lie in order.
const SortCase kSorts[] = {
    {.by = SortBySuit, .trump = Diamonds, .in = {107, 414, 311, 106}, .out = {311, 414, 106, 107}},
    {.by = SortByRank, .trump = Clubs, .in = {306, 406, 106, 207}, .out = {106, 406, 306, 207}},
    {.by = SortByRank, .trump = 0, .in = {409, 109, 308, 209}, .out = {308, 109, 209, 409}},
    {.by = SortNone, .trump = Hearts, .in = {409, 109, 308}, .out = {409, 109, 308}},
};

TEST_F(PileTest, SortOrders) {
    for (const SortCase& c : kSorts) {
        SCOPED_TRACE(testing::Message() << "sort " << c.by << ", trump " << c.trump);
        InitPile(a);
        a.sortMode = c.by;
        a.trumpSuit = c.trump;
        Fill(a, c.in);
        EXPECT_EQ(Contents(a), c.out);
    }
}

TEST_F(PileTest, SortUsesTrumpFlagsAsTheyStandThenRefreshFixesThem) {
    a.sortMode = SortBySuit;
    a.trumpSuit = Spades;
    Fill(a, {106, 406, 206});
    a.trumpSuit = Diamonds;  // flags now stale: this sort still sees spades as trump
    SortPile(a);
    EXPECT_EQ(Contents(a), (Cards{106, 206, 406}));
    EXPECT_EQ(CardAt(a, 1).isTrump, 1) << "flags fixed after the sort";
    Refresh(a);
    EXPECT_EQ(Contents(a), (Cards{206, 406, 106}));
}

struct LayoutCase {
    int32_t mode, cards;
    POINT last;  // where the last card lies, the pile starting at (10, 20)
    int32_t perRow = 16;
    int dpi = 96;
};

// A card is 28 x 40 at 96 dpi, 37 x 53 at 128 dpi.
const LayoutCase kLayouts[] = {
    {.mode = LayoutHalfOverlap, .cards = 3, .last = {38, 20}},
    {.mode = 9, .cards = 3, .last = {38, 20}},  // an unknown mode: half overlap
    {.mode = LayoutThirdOverlap, .cards = 4, .last = {37, 20}},
    {.mode = LayoutQuarterFan, .cards = 5, .last = {38, 20}},
    {.mode = LayoutStacked, .cards = 5, .last = {10, 20}, .perRow = 2},  // rows ignored
    {.mode = LayoutSideBySide, .cards = 7, .last = {178, 20}, .perRow = 7},
    {.mode = LayoutSideBySide, .cards = 8, .last = {10, 61}, .perRow = 7},
    {.mode = LayoutQuarterFan, .cards = 7, .last = {10, 48}, .perRow = 3},  // rows a third apart
    {.mode = LayoutHalfOverlap, .cards = 3, .last = {46, 20}, .dpi = 128},
    {.mode = LayoutThirdOverlap, .cards = 3, .last = {34, 20}, .dpi = 128},
    {.mode = LayoutQuarterFan, .cards = 3, .last = {10, 38}, .perRow = 2, .dpi = 128},
    {.mode = LayoutSideBySide, .cards = 3, .last = {10, 74}, .perRow = 2, .dpi = 128},
};

TEST_F(PileTest, LayoutModes) {
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.cards << " cards, "
                                        << c.perRow << " a row at " << c.dpi << " dpi");
        StartScreen(c.dpi);
        InitPile(a);
        a.layoutMode = c.mode;
        a.perRow = c.perRow;
        a.originX = 10;
        a.originY = 20;
        for (int32_t i = 0; i < c.cards; ++i)
            AddCard(a, 1 + i % 4, 6 + i % 9);
        Refresh(a);
        const Card& card = CardAt(a, c.cards);
        EXPECT_EQ((POINT{card.x, card.y}), c.last);
        EXPECT_EQ(card.rect, (RECT{card.x, card.y, card.x + ScaleX(28), card.y + ScaleY(40)}));
    }
}

TEST_F(PileTest, AddedCardTakesThePilesSizeFaceBackAndTrumpButNoPlace) {
    StartScreen(192);
    a.originX = a.originY = 0;
    a.faceDown = 1;
    a.backIndex = 3;
    a.trumpSuit = Clubs;
    Fill(a, {307, 207});
    EXPECT_EQ((POINT{a.cardWidth, a.cardHeight}), (POINT{56, 80}));
    const Card& first = CardAt(a, 1);
    EXPECT_EQ((POINT{first.x, first.y}), (POINT{-1, -1}));
    EXPECT_TRUE(HeadlessInvalidations().empty()) << "an unplaced card asks for no repaint";
    EXPECT_EQ((Cards{first.faceDown, first.backIndex, first.isTrump, CardAt(a, 2).isTrump,
                     CardAt(a, 2).selected}),
              (Cards{1, 3, 1, 0, 0}));
    Refresh(a);
    EXPECT_EQ((Cards{first.x, first.live}), (Cards{0, 1}));
    EXPECT_EQ(first.window, window);
}

TEST_F(PileTest, MoveSelectedRepaintsExactlyTheOldAndNewPlaces) {
    a.layoutMode = b.layoutMode = LayoutSideBySide;
    a.originX = a.originY = b.originX = 10;
    b.originY = 100;
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
    EXPECT_EQ(a.cards, nullptr) << "an emptied pile gives its cards back";
}

TEST_F(PileTest, CopyLeavesTheSourceAloneAndNothingSelectedMovesNothingButRefreshes) {
    a.originX = a.originY = b.originX = 0;
    b.originY = 100;
    Fill(a, {106, 206});
    Fill(b, {306});
    Refresh(a);
    Refresh(b);
    HeadlessClearInvalidations();
    EXPECT_EQ(MoveSelected(a, b), 0);
    // Compaction repaints the source twice, then the destination once.
    const RECT first{0, 0, 28, 40}, second{14, 0, 42, 40}, other{0, 100, 28, 140};
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{first, second, first, second, other}));
    HeadlessClearInvalidations();
    EXPECT_EQ(CopySelected(a, b), 0);
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{other}));
    AddCard(a, 4, 6);
    CardAt(a, 1).selected = CardAt(a, 3).selected = 1;
    EXPECT_EQ(CopySelected(a, b), 2);
    EXPECT_EQ(Contents(a), (Cards{106, 206, 406}));
    EXPECT_EQ(Contents(b), (Cards{306, 106, 406}));
    EXPECT_EQ((Cards{CountSelected(a), CountSelected(b)}), (Cards{2, 0}));
}

TEST_F(PileTest, CompactionKeepsOrderAndSelection) {
    Fill(a, {106, 207, 308, 409, 110});
    CardAt(a, 2).live = CardAt(a, 4).live = 0;
    CardAt(a, 3).selected = 1;
    Compact(a);
    EXPECT_EQ(Contents(a), (Cards{106, 308, 110}));
    EXPECT_EQ(FirstSelected(a), 2);
    AddCard(a, 2, 9);  // into the slot a compacted card left: unplaced, as any new card
    EXPECT_EQ(CardAt(a, 4).rect, (RECT{}));
}

TEST_F(PileTest, SearchesAndCounts) {
    auto all = [&] {
        return Cards{FindRank(a, 9), FindRank(a, 12), FindRank(a, 14),  FindSuit(a, 4),
                     FindSuit(a, 3), CountRank(a, 9), FirstSelected(a), CountSelected(a)};
    };
    Fill(a, {209, 406, 109, 412});
    EXPECT_EQ(all(), (Cards{1, 4, 0, 2, 0, 2, 0, 0}));
    SelectAll(a);
    EXPECT_EQ(all(), (Cards{1, 4, 0, 2, 0, 2, 1, 4}));
    DeselectAll(a);
    EXPECT_EQ(CountSelected(a), 0);
}

TEST_F(PileTest, BackAndTrumpChangesRepaintOnlyWhatShowsAndClearingRepaintsAll) {
    a.originX = a.originY = 0;
    Fill(a, {106, 206});
    Refresh(a);
    HeadlessClearInvalidations();
    SetBack(a, 2);
    SetTrumpSuit(a, Hearts);
    EXPECT_EQ((Cards{CardAt(a, 2).backIndex, CardAt(a, 1).isTrump, CardAt(a, 2).isTrump}),
              (Cards{2, 0, 1}));
    EXPECT_TRUE(InvalidatedRects().empty()) << "a face-up pile shows no back";
    a.faceDown = 1;
    SetBack(a, 4);
    EXPECT_EQ(InvalidatedRects().size(), 2u);
    HeadlessClearInvalidations();
    ClearPile(a);
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{{0, 0, 28, 40}, {14, 0, 42, 40}}));
    EXPECT_EQ(a.cards, nullptr);
}

struct ToggleCase {
    int32_t from, to;
    Cards order;  // empty: an empty hand, left alone
};

// Clubs are trumps: by rank the six of clubs comes first, by suit last.
const ToggleCase kToggles[] = {
    {.from = SortBySuit, .to = SortByRank, .order = {306, 207, 109}},
    {.from = SortByRank, .to = SortBySuit, .order = {109, 207, 306}},
    {.from = SortNone, .to = SortBySuit, .order = {109, 207, 306}},
    {.from = SortBySuit, .to = SortBySuit, .order = {}},
};

TEST_F(PileTest, ToggleHandSort) {
    for (const ToggleCase& c : kToggles) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        InitPile(humanHand);
        humanHand.sortMode = c.from;
        humanHand.trumpSuit = Clubs;
        if (!c.order.empty()) Fill(humanHand, {306, 109, 207});
        ToggleHandSort();
        EXPECT_EQ(humanHand.sortMode, c.to);
        EXPECT_EQ(Contents(humanHand), c.order);
        ClearPile(humanHand);
    }
}

}  // namespace
