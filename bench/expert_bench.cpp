// The search engine's speed: positions through move generation and apply,
// samples dealt from a seat's knowledge, games played out from the middle,
// each over all six types, and whole decisions at the game's budget.
#include <benchmark/benchmark.h>

#include <vector>

#include "ai/expert/knowledge.h"
#include "ai/expert/position.h"
#include "ai/expert/search.h"
#include "bench/midgames.h"
#include "game/types.h"

namespace {

using namespace expert;

// One position: its legal moves, and one of them made; a new deal when a
// game ends.
void BM_ExpertMovesAndApply(benchmark::State& state) {
    Rng rng = SeedRng(1);
    Position p;
    int32_t type = 0;
    Deal(p, type, rng, -1);
    Move moves[kMaxMoves];
    for (auto _ : state) {
        const int32_t n = LegalMoves(p, moves);
        Apply(p, moves[Below(rng, n)]);
        if (p.phase == kOver) Deal(p, type = (type + 1) % GameTypeCount, rng, -1);
        benchmark::DoNotOptimize(p);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExpertMovesAndApply);

void Playouts(benchmark::State& state, Policy policy) {
    const std::vector<Position> starts = Midgames(60);
    Rng rng = SeedRng(7);
    size_t next = 0;
    for (auto _ : state) {
        Position p = starts[next];
        next = (next + 1) % starts.size();
        benchmark::DoNotOptimize(Playout(p, policy, rng, nullptr));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ExpertRandomPlayout(benchmark::State& state) {
    Playouts(state, RandomPolicy);
}
BENCHMARK(BM_ExpertRandomPlayout);

void BM_ExpertThriftyPlayout(benchmark::State& state) {
    Playouts(state, ThriftyPolicy);
}
BENCHMARK(BM_ExpertThriftyPlayout);

// A determinization for the computer's seat, as a search makes one per
// iteration.
void BM_ExpertSample(benchmark::State& state) {
    std::vector<Knowledge> views;
    for (const Position& p : Midgames(60))
        views.push_back(KnowledgeOf(p, kComputer));
    Rng rng = SeedRng(9);
    size_t next = 0;
    Position out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Sample(views[next], rng, out));
        next = (next + 1) % views.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExpertSample);

// One decision of the Expert at the game's budget, over midgame choices;
// bench/web/run.mjs sets the page's beside it.
void BM_ExpertDecide(benchmark::State& state) {
    const std::vector<Knowledge> views = Decisions(24);
    size_t next = 0;
    SearchResult result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Decide(views[next], Budget{}, result));
        next = (next + 1) % views.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExpertDecide)->Unit(benchmark::kMillisecond);

}  // namespace
