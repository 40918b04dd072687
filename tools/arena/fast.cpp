// Games wholly in the engine, for tuning: both seats see the same position
// record, and each decides from its own knowledge of it (Classic, as the
// rules' computer, reads the whole of it).
#include <chrono>

#include "ai/expert/classic.h"
#include "ai/expert/knowledge.h"
#include "ai/expert/search.h"
#include "tools/arena/arena.h"

namespace arena {

namespace {

double NowMs() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

// The knowing seat's move in an engine-only game.
expert::Move Choose(SeatKind kind, const expert::Position& p, int32_t seat, expert::Rng& rng,
                    const expert::ClassicSeat& classic, Results* out) {
    expert::Move moves[expert::kMaxMoves];
    const int32_t n = expert::LegalMoves(p, moves);
    if (n == 1) return moves[0];
    switch (kind) {
        case SeatExpert: {
            const expert::Knowledge k = expert::KnowledgeOf(p, seat);
            expert::SearchResult result;
            const double start = NowMs();
            const int32_t found = expert::Decide(k, expert::Budget{}, result);
            out->decisionMs.push_back(NowMs() - start);
            return found ? result.move : moves[0];
        }
        case SeatRandom:
            return moves[expert::Below(rng, n)];
        case SeatClassic: {
            // The rules' computer with the hand in the cards' own order.
            expert::Move play[expert::kCards];
            return expert::ClassicPlay(p, classic, play) > 0 ? play[0] : moves[0];
        }
        default:
            return moves[expert::ThriftyPolicy(p, moves, n, rng, nullptr)];
    }
}

}  // namespace

void PlayFast(const Setup& setup, int64_t first, int64_t step, Results* out) {
    for (int64_t i = first; i < setup.games; i += step) {
        if (!Plays(setup, i)) continue;
        const int32_t type = TypeOfGame(setup, i);
        expert::Rng rng = expert::SeedRng(GameSeed(setup, i));
        expert::Position p;
        expert::Deal(p, type, rng, -1);
        expert::ClassicSeat classic;
        classic.trumpRank = p.trumpCard != expert::kNoCard ? expert::RankOf(p.trumpCard) : 0;
        int32_t made = 0;
        while (p.phase != expert::kOver && made++ < 2000) {
            const int32_t seat = expert::ToMove(p);
            const SeatKind kind = seat == expert::kHuman ? setup.human : setup.computer;
            expert::Apply(p, Choose(kind, p, seat, rng, classic, out));
        }
        out->games.push_back({type, p.phase == expert::kOver ? p.winner : -1});
    }
}

}  // namespace arena
