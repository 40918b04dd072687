#include "game/pile.h"

#include <algorithm>
#include <new>

namespace {

int32_t SortKey(const Card& c, int32_t mode) {
    if (mode == SortBySuit) return c.isTrump == 1 ? c.rank + c.suit * 1000 : c.rank + c.suit * 100;
    // By rank, the trump of a rank after the other suits of that rank.
    return c.rank * 100 + c.suit + (c.isTrump == 1 ? 5 : 0);
}

constexpr int32_t kFirstCapacity = 8;

// Room for one more card: the slots double, so adding a card is not a copy
// of the pile. False, with the pile as it was, when there is no memory.
bool MakeRoom(CardPile& pile) {
    if (pile.count < pile.capacity) return true;
    int32_t capacity = std::max(kFirstCapacity, pile.capacity * 2);
    std::unique_ptr<Card[]> grown(new (std::nothrow) Card[static_cast<size_t>(capacity)]());
    if (!grown) return false;
    if (pile.count > 0) std::copy(pile.cards.get(), pile.cards.get() + pile.count, grown.get());
    pile.cards = std::move(grown);
    pile.capacity = capacity;
    return true;
}

void FreeCards(CardPile& pile) {
    pile.cards.reset();
    pile.count = 0;
    pile.capacity = 0;
}

struct Steps {
    int32_t across;
    int32_t down;
};

Steps LayoutSteps(const CardPile& p) {
    switch (p.layoutMode) {
        case LayoutSideBySide:
            return {p.cardWidth, p.cardHeight + 1};
        case LayoutThirdOverlap:
            return {p.cardWidth / 3, p.cardHeight + 1};
        case LayoutQuarterFan:
            return {p.cardWidth / 4, p.cardHeight / 3 + 1};
        case LayoutStacked:
            return {0, 0};
        default:
            return {p.cardWidth / 2, p.cardHeight + 1};
    }
}

}  // namespace

void InitPile(CardPile& pile) {
    FreeCards(pile);
    pile.sortMode = SortNone;
    pile.perRow = 16;
    pile.backIndex = 0;
    pile.rowFill = 0;
    pile.faceDown = 0;
    pile.trumpSuit = 0;
    pile.window = nullptr;
    pile.originX = -1;
    pile.originY = -1;
    pile.cardWidth = -1;
    pile.cardHeight = -1;
    pile.layoutMode = LayoutHalfOverlap;
}

void DestroyPile(CardPile& pile) {
    Refresh(pile);
    FreeCards(pile);
}

void AddCard(CardPile& pile, int32_t suit, int32_t rank) {
    // A failed allocation leaves the pile as it was.
    if (!MakeRoom(pile)) return;
    // A slot may hold a card compacted away: the new card starts afresh.
    Card& card = pile.cards[pile.count];
    card = Card{};
    InitCard(card);
    if (pile.count == 0) {
        pile.cardWidth = card.width;
        pile.cardHeight = card.height;
    }
    card.suit = suit;
    card.rank = rank;
    card.live = 1;
    card.window = pile.window;
    card.faceDown = pile.faceDown;
    card.backIndex = pile.backIndex;
    card.isTrump = suit == pile.trumpSuit ? 1 : 0;
    pile.count += 1;
    SortPile(pile);
}

namespace {

// Adds every selected card to the destination, in order. The source is read
// by index each time: it may be the destination and grow under the loop.
int32_t AddSelectedTo(CardPile& pile, CardPile& destination) {
    int32_t added = 0;
    int32_t n = pile.count;
    for (int32_t i = 0; i < n && i < pile.count; ++i) {
        if (pile.cards[i].selected != 1) continue;
        AddCard(destination, pile.cards[i].suit, pile.cards[i].rank);
        ++added;
    }
    return added;
}

}  // namespace

int32_t MoveSelected(CardPile& pile, CardPile& destination) {
    int32_t moved = AddSelectedTo(pile, destination);
    MarkSelectedGone(pile);
    Compact(pile);
    Refresh(destination);
    return moved;
}

int32_t CopySelected(CardPile& pile, CardPile& destination) {
    int32_t copied = AddSelectedTo(pile, destination);
    Refresh(destination);
    return copied;
}

void SelectAll(CardPile& pile) {
    for (int32_t i = 0; i < pile.count; ++i)
        pile.cards[i].selected = 1;
    Refresh(pile);
}

void DeselectAll(CardPile& pile) {
    for (int32_t i = 0; i < pile.count; ++i)
        pile.cards[i].selected = 0;
    Refresh(pile);
}

int32_t FirstSelected(const CardPile& pile) {
    for (int32_t i = 0; i < pile.count; ++i)
        if (pile.cards[i].selected == 1) return i + 1;
    return 0;
}

int32_t CountSelected(const CardPile& pile) {
    int32_t n = 0;
    for (int32_t i = 0; i < pile.count; ++i)
        n += pile.cards[i].selected == 1;
    return n;
}

int32_t FindRank(const CardPile& pile, int32_t rank) {
    for (int32_t i = 0; i < pile.count; ++i)
        if (pile.cards[i].rank == rank) return i + 1;
    return 0;
}

int32_t FindSuit(const CardPile& pile, int32_t suit) {
    for (int32_t i = 0; i < pile.count; ++i)
        if (pile.cards[i].suit == suit) return i + 1;
    return 0;
}

int32_t CountRank(const CardPile& pile, int32_t rank) {
    int32_t n = 0;
    for (int32_t i = 0; i < pile.count; ++i)
        n += pile.cards[i].rank == rank;
    return n;
}

void SetTrumpSuit(CardPile& pile, int32_t suit) {
    pile.trumpSuit = suit;
    for (int32_t i = 0; i < pile.count; ++i)
        pile.cards[i].isTrump = pile.cards[i].suit == suit;
}

void SetBack(CardPile& pile, int32_t backIndex) {
    pile.backIndex = backIndex;
    for (int32_t i = 0; i < pile.count; ++i)
        pile.cards[i].backIndex = backIndex;
    // A face-up pile shows no back, so nothing on screen changes.
    if (pile.faceDown == 1) Refresh(pile);
}

// With every key distinct there is one sorted order, whatever the sort; so a
// pile in order is left as it is, and a card added to the end of one is
// moved into its place. A tie goes to the unstable sort as ever, so equal
// keys land where they always did.
static void SortCards(CardPile& pile) {
    const int32_t mode = pile.sortMode;
    Card* first = pile.cards.get();
    const int32_t n = pile.count;
    int32_t rising = 1;  // the cards from the first whose keys strictly rise
    for (int32_t key = n > 0 ? SortKey(first[0], mode) : 0; rising < n; ++rising) {
        const int32_t next = SortKey(first[rising], mode);
        if (next <= key) break;
        key = next;
    }
    if (rising >= n) return;
    if (rising == n - 1) {
        Card* last = first + rising;
        const int32_t key = SortKey(*last, mode);
        Card* place = std::partition_point(first, last,
                                           [&](const Card& c) { return SortKey(c, mode) < key; });
        if (SortKey(*place, mode) != key) {
            std::rotate(place, last, last + 1);
            return;
        }
    }
    std::sort(first, first + n,
              [mode](const Card& a, const Card& b) { return SortKey(a, mode) < SortKey(b, mode); });
}

void SortPile(CardPile& pile) {
    if (pile.sortMode == SortNone) return;
    SortCards(pile);
    Refresh(pile);
}

void Refresh(CardPile& pile) {
    if (pile.sortMode != SortNone) SortCards(pile);
    LayOut(pile);
    for (int32_t i = 0; i < pile.count; ++i) {
        Card& card = pile.cards[i];
        card.isTrump = card.suit == pile.trumpSuit;
        InvalidateCard(card);
    }
}

void LayOut(CardPile& pile) {
    // The pile's fields are read once: the compiler cannot know that
    // SetPosition leaves the piles alone.
    const Steps step = LayoutSteps(pile);
    Card* cards = pile.cards.get();
    const int32_t count = pile.count, perRow = pile.perRow, left = pile.originX;
    int32_t column = 0;
    int32_t rowTop = pile.originY;
    for (int32_t i = 0; i < count; ++i) {
        if (column == perRow) {
            column = 0;
            rowTop += step.down;
        }
        SetPosition(cards[i], left + step.across * column, rowTop);
        column += 1;
    }
    pile.rowFill = column;
}

void MarkSelectedGone(CardPile& pile) {
    for (int32_t i = 0; i < pile.count; ++i)
        if (pile.cards[i].selected == 1) pile.cards[i].live = 0;
}

void Compact(CardPile& pile) {
    if (pile.count == 0) return;
    Refresh(pile);  // the old places
    Card* first = pile.cards.get();
    Card* kept =
        std::remove_if(first, first + pile.count, [](const Card& c) { return c.live == 0; });
    pile.count = static_cast<int32_t>(kept - first);
    if (pile.count == 0) FreeCards(pile);
    Refresh(pile);  // the new places
}

void ClearPile(CardPile& pile) {
    Refresh(pile);
    FreeCards(pile);
}
