#include "ai/expert/search.h"

namespace expert {

namespace {

struct Noise {
    int32_t percent;
};

// Mostly the thrifty player's move, now and then any: playouts of one deal
// then differ, and a move the thrifty player never makes still gets tried.
int32_t NoisyPolicy(const Position& p, const Move* moves, int32_t count, Rng& rng, void* context) {
    const auto* noise = static_cast<const Noise*>(context);
    if (Below(rng, 100) < noise->percent) return Below(rng, count);
    return ThriftyPolicy(p, moves, count, rng, nullptr);
}

void Mix(uint64_t& h, uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
}

}  // namespace

uint64_t SeedOf(const Knowledge& k) {
    const Position& p = k.seen;
    uint64_t h = 0x5EA5C4u;
    for (CardSet c :
         {p.hand[0], p.hand[1], p.attack, p.cover, p.open, p.discard, p.shown[0], p.shown[1]})
        Mix(h, c);
    for (int32_t i = 0; i < p.stockCount; ++i)
        Mix(h, static_cast<uint64_t>(p.stock[i] + 2));
    for (int32_t v :
         {int32_t{p.stockCount}, int32_t{p.trumpSuit}, int32_t{p.trumpCard}, int32_t{p.type},
          int32_t{p.rules}, int32_t{p.phase}, int32_t{p.attacker}, int32_t{p.leader},
          int32_t{p.transferOpen}, int32_t{p.handAtOpening[0]}, int32_t{p.handAtOpening[1]},
          int32_t{p.extrasLeft}, int32_t{k.seat}, int32_t{k.otherCount}})
        Mix(h, static_cast<uint64_t>(v + 2));
    return h;
}

int32_t Decide(const Knowledge& k, const Budget& budget, SearchResult& out) {
    out = SearchResult{};
    Rng rng = SeedRng(SeedOf(k));
    Position deal;
    if (Sample(k, rng, deal) == 0 || ToMove(deal) != k.seat) return 0;
    // What the seat may do rests on what it knows, so every deal has the
    // same moves as the first.
    Move moves[kMaxMoves];
    const int32_t n = LegalMoves(deal, moves);
    if (n == 0) return 0;
    out.moves = n;
    out.move = moves[0];
    if (n == 1) return 1;
    int32_t wins[kMaxMoves] = {};
    Noise noise{budget.noisePercent};
    const double start = budget.clock ? budget.clock() : 0;
    for (int32_t d = 0; d < budget.deals; ++d) {
        if (d > 0) {
            if (budget.clock && budget.clock() - start > budget.capMs) break;
            if (Sample(k, rng, deal) == 0) return 0;
        }
        for (int32_t i = 0; i < n; ++i) {
            Position after = deal;
            Apply(after, moves[i]);
            for (int32_t r = 0; r < budget.playouts; ++r) {
                Position playout = after;
                if (Playout(playout, NoisyPolicy, rng, &noise) == k.seat) ++wins[i];
                ++out.playouts;
            }
        }
        ++out.deals;
    }
    int32_t best = 0;
    for (int32_t i = 1; i < n; ++i)
        if (wins[i] > wins[best]) best = i;
    out.move = moves[best];
    return 1;
}

}  // namespace expert
