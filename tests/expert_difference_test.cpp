// The engine against the game's routines over real games of all six types
// (see tests/expert_difference.h). A modest run in every build; the long
// one only in the optimised build. VELMORA_EXPERT_POSITIONS sets its length.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "game/types.h"
#include "tests/expert_difference.h"

namespace {

void Expect(const expert_difference::Summary& s, int64_t positions) {
    EXPECT_EQ(s.mismatches, 0);
    for (const std::string& report : s.reports)
        ADD_FAILURE() << report;
    EXPECT_GE(s.Positions(), positions);
    EXPECT_GT(s.classicDecisions, s.computerPositions / 2);
    for (int32_t type = 0; type < GameTypeCount; ++type)
        EXPECT_GT(s.byType.count(type), 0u) << "type " << type;
    // A check is only as good as the decisions that reach it.
    for (const char* decision :
         {"human lead", "human attack", "human defend", "human defend several", "human give",
          "computer lead", "computer attack", "computer defend", "computer defend several",
          "computer give"})
        EXPECT_GT(s.byDecision.count(decision), 0u) << decision;
}

void Print(const expert_difference::Summary& s, double seconds) {
    std::printf(
        "%lld positions (%lld human, %lld computer), %lld trials, %lld games, "
        "%lld given up, %lld mismatches, %lld foretold by Classic, %.1f s\n",
        static_cast<long long>(s.Positions()), static_cast<long long>(s.humanPositions),
        static_cast<long long>(s.computerPositions), static_cast<long long>(s.trials),
        static_cast<long long>(s.games), static_cast<long long>(s.abandoned),
        static_cast<long long>(s.mismatches), static_cast<long long>(s.classicDecisions), seconds);
    for (const auto& [decision, count] : s.byDecision)
        std::printf("  %-26s %9lld\n", decision.c_str(), static_cast<long long>(count));
    for (const auto& [type, count] : s.byType)
        std::printf("  type %-21d %9lld\n", type, static_cast<long long>(count));
}

expert_difference::Summary Timed(const expert_difference::Options& options) {
    const auto start = std::chrono::steady_clock::now();
    expert_difference::Summary s = expert_difference::Run(options);
    Print(s, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return s;
}

TEST(ExpertDifferenceTest, EngineAgreesWithTheGameInEveryType) {
    expert_difference::Options options;
#ifdef VELMORA_SANITIZED
    options.positions = 2000;
    options.gamesPerRun = 2;
#else
    options.positions = 6000;
#endif
    options.seed = 20240611;
    Expect(Timed(options), options.positions);
}

TEST(ExpertDifferenceTest, EngineAgreesOverManyPositions) {
#if !defined(NDEBUG) || defined(VELMORA_SANITIZED)
    GTEST_SKIP() << "the long run is for the optimised build";
#else
    expert_difference::Options options;
    options.positions = 100000;
    if (const char* n = std::getenv("VELMORA_EXPERT_POSITIONS")) options.positions = std::atoll(n);
    options.seed = 7;
    Expect(Timed(options), options.positions);
#endif
}

}  // namespace
