#include "ai/expert/knowledge.h"

#include <algorithm>

namespace expert {

namespace {

CardSet Placed(const Position& p, int32_t seat) {
    CardSet placed = p.hand[seat] | p.shown[Other(seat)] | p.attack | p.cover | p.discard;
    if (p.trumpCard != kNoCard) placed |= Bit(p.trumpCard);
    return placed;
}

int32_t TrumpUnder(const Position& p) {
    return p.trumpCard != kNoCard ? 1 : 0;
}

}  // namespace

Knowledge KnowledgeOf(const Position& p, int32_t seat) {
    Knowledge k;
    k.seen = p;
    k.seat = static_cast<int8_t>(seat);
    const int32_t other = Other(seat);
    k.otherCount = static_cast<int8_t>(Count(p.hand[other]));
    k.seen.hand[other] = p.shown[other];
    std::fill(k.seen.stock + TrumpUnder(p), k.seen.stock + kCards, static_cast<int8_t>(kNoCard));
    return k;
}

CardSet Unseen(const Knowledge& k) {
    return kAllCards & ~Placed(k.seen, k.seat);
}

int32_t Sample(const Knowledge& k, Rng& rng, Position& out) {
    const Position& s = k.seen;
    const int32_t other = Other(k.seat);
    const int32_t toOther = k.otherCount - Count(s.shown[other]);
    const int32_t toStock = s.stockCount - TrumpUnder(s);
    const CardSet unseen = Unseen(k);
    if (toOther < 0 || toStock < 0 || Count(unseen) != toOther + toStock) return 0;
    int8_t cards[kCards];
    int32_t n = 0;
    for (CardSet c = unseen; c != 0; c &= c - 1)
        cards[n++] = static_cast<int8_t>(Lowest(c));
    for (int32_t i = n - 1; i > 0; --i)
        std::swap(cards[i], cards[Below(rng, i + 1)]);
    out = s;
    out.hand[other] = s.shown[other];
    for (int32_t i = 0; i < toOther; ++i)
        out.hand[other] |= Bit(cards[i]);
    std::copy(cards + toOther, cards + n, out.stock + TrumpUnder(s));
    return 1;
}

}  // namespace expert
