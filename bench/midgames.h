// Positions some twenty random moves into games, one type after another:
// the engine's benchmarks start from them, natively and in the page.
#pragma once

#include <cstdint>
#include <vector>

#include "ai/expert/knowledge.h"
#include "ai/expert/position.h"
#include "game/types.h"

inline std::vector<expert::Position> Midgames(int32_t count) {
    using namespace expert;
    std::vector<Position> out;
    Rng rng = SeedRng(2024);
    Move moves[kMaxMoves];
    while (static_cast<int32_t>(out.size()) < count) {
        Position p;
        Deal(p, static_cast<int32_t>(out.size()) % GameTypeCount, rng, -1);
        for (int32_t made = 0; made < 20 && p.phase != kOver; ++made)
            Apply(p, moves[Below(rng, LegalMoves(p, moves))]);
        if (p.phase != kOver) out.push_back(p);
    }
    return out;
}

// What the seat to move knows at midgames with a choice to make, as the
// Expert decides from it.
inline std::vector<expert::Knowledge> Decisions(int32_t count) {
    using namespace expert;
    std::vector<Knowledge> out;
    Move moves[kMaxMoves];
    for (const Position& p : Midgames(count * 2))
        if (static_cast<int32_t>(out.size()) < count && LegalMoves(p, moves) > 1)
            out.push_back(KnowledgeOf(p, ToMove(p)));
    return out;
}
