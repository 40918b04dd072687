// The Expert's search decides from what its seat knows and nothing else,
// and decides the same way every time.
#include <gtest/gtest.h>

#include <algorithm>

#include "ai/expert/knowledge.h"
#include "ai/expert/search.h"

namespace {

using namespace expert;

// A position some moves into a game of the type, played by the thrifty
// player, with the seat to move deciding among several moves; false when
// the game ended first.
bool MidGame(int32_t type, uint64_t seed, int32_t moves, Position* p) {
    Rng rng = SeedRng(seed);
    Deal(*p, type, rng, -1);
    Move list[kMaxMoves];
    for (int32_t made = 0; p->phase != kOver; ++made) {
        const int32_t n = LegalMoves(*p, list);
        if (made >= moves && n > 1) return true;
        Apply(*p, list[n == 1 ? 0 : ThriftyPolicy(*p, list, n, rng, nullptr)]);
    }
    return false;
}

// The same position with the cards the seat cannot see dealt again: the
// other hand's unseen cards and the stock above the trump card shuffled
// together.
Position HiddenCardsDealtAgain(const Position& p, int32_t seat, uint64_t seed) {
    Rng rng = SeedRng(seed);
    Position again;
    EXPECT_EQ(Sample(KnowledgeOf(p, seat), rng, again), 1);
    return again;
}

bool SameMove(const Move& a, const Move& b) {
    return a.kind == b.kind && a.cards == b.cards && a.target == b.target;
}

TEST(ExpertSearchTest, HiddenCardsNeverChangeTheDecision) {
    Budget budget;
    budget.deals = 6;
    int32_t pairs = 0, differentHidden = 0;
    for (int32_t type = 0; type < 6; ++type)
        for (uint64_t seed = 1; seed <= 12; ++seed) {
            Position p;
            if (!MidGame(type, seed * 31 + static_cast<uint64_t>(type),
                         static_cast<int32_t>(seed % 9), &p))
                continue;
            const int32_t seat = ToMove(p);
            const Position q = HiddenCardsDealtAgain(p, seat, seed + 1000);
            const int32_t other = Other(seat);
            if (q.hand[other] != p.hand[other] ||
                !std::equal(p.stock, p.stock + p.stockCount, q.stock))
                ++differentHidden;
            SearchResult a, b;
            ASSERT_EQ(Decide(KnowledgeOf(p, seat), budget, a), 1);
            ASSERT_EQ(Decide(KnowledgeOf(q, seat), budget, b), 1);
            EXPECT_EQ(SeedOf(KnowledgeOf(p, seat)), SeedOf(KnowledgeOf(q, seat)));
            EXPECT_TRUE(SameMove(a.move, b.move)) << Describe(p) << "\n" << Describe(q);
            ++pairs;
        }
    EXPECT_GT(pairs, 50);
    // The pairs must really differ in what is hidden, or the test shows nothing.
    EXPECT_GT(differentHidden, pairs / 2);
}

TEST(ExpertSearchTest, TheSameKnowledgeGivesTheSameMoveAndCapsStopEarly) {
    Position p;
    ASSERT_TRUE(MidGame(0, 99, 4, &p));
    const Knowledge k = KnowledgeOf(p, ToMove(p));
    SearchResult first, second;
    ASSERT_EQ(Decide(k, Budget{}, first), 1);
    ASSERT_EQ(Decide(k, Budget{}, second), 1);
    EXPECT_TRUE(SameMove(first.move, second.move));
    EXPECT_EQ(first.playouts, second.playouts);
    EXPECT_EQ(first.deals, Budget{}.deals);
    // A clock past the cap after the first deal stops the search there.
    Budget capped;
    capped.clock = [] {
        static double now = 0;
        return now += 1000;
    };
    capped.capMs = 10;
    SearchResult stopped;
    ASSERT_EQ(Decide(k, capped, stopped), 1);
    EXPECT_EQ(stopped.deals, 1);
}

TEST(ExpertSearchTest, TheExpertBeatsThriftyPlay) {
    int32_t won = 0, games = 0;
    Budget budget;
    budget.deals = 8;
    for (int32_t type = 0; type < 6; ++type)
        for (uint64_t seed = 1; seed <= 6; ++seed) {
            Rng rng = SeedRng(seed * 7 + static_cast<uint64_t>(type));
            Position p;
            Deal(p, type, rng, -1);
            Move list[kMaxMoves];
            for (int32_t made = 0; p.phase != kOver && made < 2000; ++made) {
                const int32_t n = LegalMoves(p, list);
                Move m = list[0];
                if (n > 1 && ToMove(p) == kComputer) {
                    SearchResult r;
                    ASSERT_EQ(Decide(KnowledgeOf(p, kComputer), budget, r), 1);
                    m = r.move;
                } else if (n > 1) {
                    m = list[ThriftyPolicy(p, list, n, rng, nullptr)];
                }
                Apply(p, m);
            }
            ASSERT_EQ(p.phase, kOver);
            won += p.winner == kComputer ? 1 : 0;
            ++games;
        }
    EXPECT_GE(won * 100, games * 75) << won << " of " << games;
}

}  // namespace
