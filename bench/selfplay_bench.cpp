// Self-play speed: the real program against the soak's scripted human on the
// headless screen, with nothing checked. Finished games per second on one
// core, with the store as a file in /dev/shm and again held in memory; the
// difference is the cost of the one store write each finished game makes.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>

#include "app/account.h"
#include "app/settings.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "tools/soak/soak.h"

namespace {

// Small enough for several iterations in each repetition.
constexpr int64_t kGamesPerIteration = 500;

void ReportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_kb"] = static_cast<double>(usage.ru_maxrss);
}

void SelfPlay(benchmark::State& state, bool memoryStore) {
    soak::Options options;
    options.games = kGamesPerIteration;
    options.gamesPerRun = kGamesPerIteration;
    options.checks = false;
    int64_t finished = 0;
    for (auto _ : state) {
        // Each iteration deals other games; the store starts empty each time.
        PlatformUseMemoryRegistry(memoryStore);
        ++options.seed;
        soak::Summary summary = soak::Run(options);
        finished += summary.Finished();
        if (summary.Capped() > 0 || summary.failures > 0) {
            state.SkipWithError("a game did not finish");
            break;
        }
    }
    PlatformUseMemoryRegistry(false);
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(finished), benchmark::Counter::kIsRate);
    ReportPeakMemory(state);
}
BENCHMARK_CAPTURE(SelfPlay, file_store, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SelfPlay, memory_store, true)->Unit(benchmark::kMillisecond);

int64_t heard = 0;
void Hear(const PlayEvent& event) {
    ++heard;
    benchmark::DoNotOptimize(PlaySentence(event));
}

// The same with someone listening to the account of play and making its
// sentences: the difference over the events heard is the cost of one.
void BM_SelfPlayHeard(benchmark::State& state) {
    heard = 0;
    playListener = Hear;
    SelfPlay(state, true);
    playListener = nullptr;
    state.counters["events"] = static_cast<double>(heard);
}
BENCHMARK(BM_SelfPlayHeard)->Unit(benchmark::kMillisecond);

// One score write by itself, into a file store in /dev/shm (or /tmp).
void BM_ScoreWrite(benchmark::State& state) {
    std::string folder;
    for (const char* base : {"/dev/shm", "/tmp"}) {
        std::string pattern = std::string(base) + "/velmora-bench-XXXXXX";
        if (mkdtemp(pattern.data())) {
            folder = pattern;
            break;
        }
    }
    if (folder.empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    PlatformSetConfigHome(folder.c_str());
    uint32_t wins = 0;
    for (auto _ : state)
        SaveSetting(++wins, L"statc");
    PlatformSetConfigHome(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_ScoreWrite);

}  // namespace
