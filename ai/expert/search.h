// The Expert's choice: determinized Monte Carlo. The unseen cards are dealt
// afresh many times, consistently with what the seat knows; each legal move
// is played out on every such deal, and the move that wins most often is
// taken. Only the seat's knowledge goes in, so hidden cards cannot leak.
#pragma once

#include <cstdint>

#include "ai/expert/knowledge.h"
#include "ai/expert/position.h"

namespace expert {

struct Budget {
    int32_t deals = 256;        // samples of the unseen cards
    int32_t playouts = 4;       // per move and deal
    int32_t noisePercent = 45;  // playout moves made at random, for variety
    // Milliseconds from a clock of the caller's, checked between deals; the
    // window and the page cap slow machines with it. Null: never read.
    double (*clock)() = nullptr;
    double capMs = 0;
};

struct SearchResult {
    Move move{};
    int32_t moves = 0;     // legal moves weighed
    int32_t deals = 0;     // deals searched before the cap, if any
    int32_t playouts = 0;  // all of them
};

// A seed from the knowledge alone: the same knowledge, the same search.
uint64_t SeedOf(const Knowledge& k);

// The move the knowing seat should make, or 0 when the knowledge admits
// no deal or no move.
int32_t Decide(const Knowledge& k, const Budget& budget, SearchResult& out);

}  // namespace expert
