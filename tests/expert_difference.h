// The engine of ai/expert/ held to the game's own routines by difference:
// real games of every type on the headless screen, the human's side
// played by random legal taps. At each of the human's decisions every
// candidate play is tried on a copy of the game (the kept-game snapshot)
// and what the game accepts must be what the engine lists; at each of the
// computer's, the engine's moves must be what the rule checks its routines
// use allow. The engine follows the game move by move, refills and game
// ends included, and must stand where the game stands at every decision.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace expert_difference {

struct Options {
    int64_t positions = 2000;  // decisions to check, the two seats together
    uint32_t seed = 1;
    std::vector<int32_t> types{0, 1, 2, 3, 4, 5};
    int32_t gamesPerRun = 4;  // of one type; then the program starts afresh with the next
    int32_t moveCap = 600;    // human moves before a game is given up
    // Candidate covers of several cards tried each way: on a copy of the
    // game, and by the rule check alone.
    int32_t tryLimit = 24;
    int32_t checkLimit = 3000;
};

struct Summary {
    int64_t humanPositions = 0;
    int64_t computerPositions = 0;
    int64_t trials = 0;  // candidate plays tried on a copy of the game
    int64_t games = 0;   // played to the end
    int64_t abandoned = 0;
    int64_t mismatches = 0;
    int64_t classicDecisions = 0;               // the computer's, foretold by the engine's Classic
    std::map<std::string, int64_t> byDecision;  // "human defend" ...
    std::map<int32_t, int64_t> byType;
    std::vector<std::string> reports;  // the first few mismatches, with the position
    int64_t Positions() const { return humanPositions + computerPositions; }
};

Summary Run(const Options& options);

}  // namespace expert_difference
