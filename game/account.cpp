#include "game/account.h"

#include <algorithm>
#include <vector>

#include "game/rules.h"
#include "game/state.h"

PlayListener playListener = nullptr;
PlayListener playWatcher = nullptr;

namespace {

bool givingExtras = false;

PlayCard NameOf(const Card& card) {
    return {card.suit, card.rank};
}

PlayKind KindOf(LayHow how, bool tableWasEmpty) {
    switch (how) {
        case LayCover:
            return PlayCover;
        case LayTransfer:
            return PlayTransfer;
        case LayExtra:
            return PlayExtra;
        default:
            return givingExtras ? PlayExtra : tableWasEmpty ? PlayLead : PlayThrowIn;
    }
}

// Which attack card each card laid from position first + 1 on covers. One
// card covers the card beside it; several laid at once were accepted as
// covering the open attack cards between them, in an order the table does
// not show, so each is matched, cheapest first, to one it beats. Empty when
// no such match is found: the places beside them then stand.
std::vector<int32_t> CoveredPlaces(CardPile& table, int32_t first, const CardPile& other) {
    const int32_t laid = table.count - first;
    if (laid < 2 || other.count - first != laid) return {};
    std::vector<int32_t> order;
    for (int32_t i = first + 1; i <= table.count; ++i)
        order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&table](int32_t a, int32_t b) {
        const Card &x = CardAt(table, a), &y = CardAt(table, b);
        if (x.isTrump != y.isTrump) return x.isTrump < y.isTrump;
        return x.rank < y.rank;
    });
    std::vector<int32_t> covered(static_cast<size_t>(laid), 0);
    for (int32_t t = first + 1; t <= other.count; ++t) {
        auto cover = std::find_if(order.begin(), order.end(), [&](int32_t i) {
            return covered[static_cast<size_t>(i - first - 1)] == 0 &&
                   CanCover(CardAt(table, i), CardAt(other, t)) > 0;
        });
        if (cover == order.end()) return {};
        covered[static_cast<size_t>(*cover - first - 1)] = t;
    }
    return covered;
}

}  // namespace

int32_t LayCards(CardPile& hand, CardPile& table, LayHow how) {
    const int32_t before = table.count;
    const bool tableWasEmpty = humanTable.count == 0 && computerTable.count == 0;
    const int32_t moved = MoveSelected(hand, table);
    if (moved > 0) cardLaidThisGame = 1;
    if (!playListener && !playWatcher) return moved;
    CardPile& other = &table == &humanTable ? computerTable : humanTable;
    PlayEvent event{};
    event.kind = KindOf(how, tableWasEmpty);
    event.side = &hand == &humanHand ? SideHuman : SideComputer;
    event.trumpSuit = TrumpSuit();
    const std::vector<int32_t> covered =
        event.kind == PlayCover ? CoveredPlaces(table, before, other) : std::vector<int32_t>();
    for (int32_t i = before + 1; i <= table.count; ++i) {
        event.card = NameOf(CardAt(table, i));
        const int32_t t = covered.empty() ? i : covered[static_cast<size_t>(i - before - 1)];
        event.target = t <= other.count ? NameOf(CardAt(other, t)) : PlayCard{NoCard, NoCard};
        EmitPlay(event);
        if (event.kind == PlayLead) event.kind = PlayThrowIn;  // the rest of a group led at once
    }
    return moved;
}

void SetGivingExtras(bool giving) {
    givingExtras = giving;
}

namespace {

PlayEvent Refused(Refusal reason) {
    PlayEvent event{};
    event.kind = PlayRefused;
    event.side = SideHuman;
    event.reason = reason;
    event.trumpSuit = TrumpSuit();
    event.card = event.target = {NoCard, NoCard};
    return event;
}

}  // namespace

void Refuse(Refusal reason, int32_t count) {
    if (!playListener && !playWatcher) return;
    PlayEvent event = Refused(reason);
    event.count = count;
    EmitPlay(event);
}

void Refuse(Refusal reason, const Card& card, const Card& target) {
    if (!playListener && !playWatcher) return;
    PlayEvent event = Refused(reason);
    event.card = NameOf(card);
    event.target = NameOf(target);
    EmitPlay(event);
}

void RefuseRank(Refusal reason, const Card& card) {
    if (!playListener && !playWatcher) return;
    PlayEvent event = Refused(reason);
    event.card = NameOf(card);
    // The ranks on the table, low to high: the ones a card may carry.
    for (int32_t rank = Ace - 8; rank <= Ace; ++rank)
        if (RankOnTable(rank) == 1) event.cards[event.listed++] = {NoCard, rank};
    EmitPlay(event);
}
