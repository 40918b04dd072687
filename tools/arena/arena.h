// The arena: games between two seats, each classic, expert or random, and
// what they show: win rates with their intervals and the Expert's decision
// times.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace arena {

// Thrifty, the engine's cheap playout player, plays in engine-only games.
enum SeatKind : int32_t { SeatClassic, SeatExpert, SeatRandom, SeatThrifty };

// "classic", "expert", "random", "thrifty"; false for anything else.
bool ParseSeat(const std::string& text, SeatKind* seat);
const char* SeatName(SeatKind seat);

struct Setup {
    SeatKind human = SeatExpert;
    SeatKind computer = SeatClassic;
    int64_t games = 100;
    int32_t type = -1;  // -1: the six in turn
    int32_t jobs = 1;
    uint64_t seed = 1;
    bool fast = false;  // wholly in the engine
    int64_t only = -1;  // plays game only alone, to look into it
};

// Whether this process plays game i.
inline bool Plays(const Setup& setup, int64_t i) {
    return setup.only < 0 || setup.only == i;
}

// One game's outcome: 0 the human's seat won, 1 the computer's; -1 none.
struct GameResult {
    int32_t type = 0;
    int32_t winner = -1;
};

struct Results {
    std::vector<GameResult> games;
    std::vector<double> decisionMs;     // every Expert decision among several moves
    std::vector<std::string> failures;  // one line each: a game not played out, and why
};

// Game i's type, whatever the jobs are.
int32_t TypeOfGame(const Setup& setup, int64_t i);
// A seed for game i alone, from the arena's seed.
uint64_t GameSeed(const Setup& setup, int64_t i);

// Plays games first, first + step, ... below setup.games, in this process.
void PlayFast(const Setup& setup, int64_t first, int64_t step, Results* out);

// The same games on the real program, headless: a run of it per game.
void PlayReal(const Setup& setup, int64_t first, int64_t step, Results* out);

// 95% Wilson interval of wins out of n, as fractions.
void WilsonInterval(int64_t wins, int64_t n, double* low, double* high);
// The value below which the fraction q of the values lie (nearest rank).
double Quantile(std::vector<double> values, double q);

}  // namespace arena
