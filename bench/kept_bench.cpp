// The cost of keeping the game after an input: the snapshot's text, and the
// whole write of it into the state folder (a temporary file renamed over the
// kept one, no flush), on a game just dealt.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/kept.h"
#include "app/keyboard.h"
#include "bench/busy_table.h"
#include "bench/in_program.h"
#include "game/snapshot.h"
#include "platform/headless/headless.h"
#include "platform/kept.h"

namespace {

void BM_SnapshotText(benchmark::State& state) {
    InProgram(96, [&] {
        DealForTheHuman(HeadlessPump);
        for (auto _ : state)
            benchmark::DoNotOptimize(SnapshotText(SnapshotExtras{}));
    });
}
BENCHMARK(BM_SnapshotText);

// Each round moves the focus, so each write is of a changed game.
void BM_KeepGameAfterInput(benchmark::State& state) {
    char folder[] = "/tmp/velmora-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    PlatformSetStateHome(folder);
    InProgram(96, [&] {
        DealForTheHuman(HeadlessPump);
        for (auto _ : state) {
            focusPosition = focusPosition == 1 ? 2 : 1;
            KeepGameIfChanged();
        }
    });
    PlatformSetStateHome(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_KeepGameAfterInput);

}  // namespace
