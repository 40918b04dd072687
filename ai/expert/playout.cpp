// Fresh deals, cheap choosers and playing a position out, for search and
// for the arena's engine-only games.
#include <algorithm>

#include "ai/expert/position.h"
#include "game/card.h"
#include "game/types.h"

namespace expert {

namespace {

// What laying the cards costs the hand: its dearest card, a trump dearer
// than any plain card.
int32_t Cost(const Position& p, CardSet cards) {
    int32_t cost = 0;
    for (; cards != 0; cards &= cards - 1) {
        const int32_t card = Lowest(cards);
        cost = std::max(cost, RankOf(card) + (SuitOf(card) == p.trumpSuit ? 20 : 0));
    }
    return cost;
}

// The rank above which a thrifty player would rather let a bout go than add.
constexpr int32_t kDearThrowIn = 11;

}  // namespace

int32_t RandomPolicy(const Position&, const Move*, int32_t count, Rng& rng, void*) {
    return Below(rng, count);
}

int32_t ThriftyPolicy(const Position& p, const Move* moves, int32_t count, Rng&, void*) {
    int32_t best = -1, bestCost = 1000;
    int32_t fallback = 0;  // take, end or stop: the move that lays nothing
    for (int32_t i = 0; i < count; ++i) {
        const Move& m = moves[i];
        if (m.cards == 0) {
            fallback = i;
            continue;
        }
        int32_t cost = Cost(p, m.cards);
        // Passing the attack on costs nothing from the hand's strength.
        if (m.kind == kMoveTransfer) cost -= 10;
        if (cost < bestCost) {
            best = i;
            bestCost = cost;
        }
    }
    if (best < 0) return fallback;
    // Adding is worth only a cheap card; defending and leading always are.
    const bool adding = p.phase == kAttack || p.phase == kGive;
    return adding && bestCost > kDearThrowIn ? fallback : best;
}

int32_t Playout(Position& p, Policy policy, Rng& rng, void* context, int32_t moveCap) {
    Move moves[kMaxMoves];
    for (int32_t made = 0; made < moveCap && p.phase != kOver; ++made) {
        const int32_t n = LegalMoves(p, moves);
        if (n == 0) return -1;
        Apply(p, moves[n == 1 ? 0 : policy(p, moves, n, rng, context)]);
    }
    return p.phase == kOver ? p.winner : -1;
}

void Deal(Position& p, int32_t type, Rng& rng, int32_t opener) {
    p = Position{};
    p.type = static_cast<int8_t>(type);
    p.rules = RulesOfType(type);
    p.winner = -1;
    p.transferOpen = 1;
    p.leader = kHuman;
    int8_t order[kCards];
    for (int32_t i = 0; i < kCards; ++i)
        order[i] = static_cast<int8_t>(i);
    for (int32_t i = kCards - 1; i > 0; --i)
        std::swap(order[i], order[Below(rng, i + 1)]);
    // The first card is the trump card, at the bottom of the stock; without
    // one, diamonds are trumps.
    const bool hiddenTrump = TypeTraits(type).hiddenTrump;
    p.trumpCard = hiddenTrump ? static_cast<int8_t>(kNoCard) : order[0];
    p.trumpSuit = static_cast<int8_t>(hiddenTrump ? Diamonds : SuitOf(order[0]));
    std::copy(order, order + kCards, p.stock);
    p.stockCount = kCards;
    // The human is dealt first, as by the game's refills.
    const int32_t target = HasRule(p, kBulkRule) ? 18 : 6;
    for (int32_t seat : {kHuman, kComputer})
        for (int32_t have = 0; have < target && p.stockCount > 0; ++have)
            p.hand[seat] |= Bit(p.stock[--p.stockCount]);
    if (p.stockCount == 0) p.trumpCard = kNoCard;
    if (opener == kHuman || opener == kComputer) {
        p.attacker = static_cast<int8_t>(opener);
    } else {
        // The lower trump opens; a computer without one lets the human.
        const CardSet trumps = SuitCards(p.trumpSuit);
        const CardSet mine = p.hand[kHuman] & trumps, its = p.hand[kComputer] & trumps;
        const bool humanOpens = its == 0 || (mine != 0 && Lowest(its) > Lowest(mine));
        p.attacker = humanOpens ? kHuman : kComputer;
    }
    p.phase = kLead;
}

}  // namespace expert
