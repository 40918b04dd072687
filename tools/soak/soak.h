// Self-play on the headless screen: the real program, started as on the
// device and run by its own message loop, against a scripted human who
// plays through the routines a tap reaches. After every move the soak
// checks the table, the turn, the score and the store.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/types.h"
#include "tools/soak/checks.h"

namespace soak {

// Where the soak stands when the program has finished a move.
struct Moment {
    int64_t game;      // 1-based over the whole soak
    int32_t move;      // human moves in this game so far; 0 before the first
    const Step* step;  // the move just made; null before the first
};

struct Options {
    int64_t games = 1000;
    uint32_t seed = 1;
    std::vector<int32_t> types{0, 1, 2, 3, 4, 5};
    int32_t moveCap = 2000;     // human moves a game may take
    int32_t gamesPerRun = 100;  // then the program exits and starts afresh
    bool checks = true;         // off for timing the play alone
    bool draw = false;          // paint the table; off, paints are validated unseen
    // The store's folder, shared with other running copies; empty for a
    // temporary one of the soak's own.
    std::string storeFolder;
    // Called once the program is idle again, before the checks: lets a test
    // break the state on purpose.
    std::function<void(const Moment&)> afterMove;
};

struct TypeCount {
    int64_t finished = 0;
    int64_t humanWins = 0;
    int64_t computerWins = 0;
    int64_t capped = 0;
};

struct Summary {
    std::array<TypeCount, GameTypeCount> types{};
    int64_t moves = 0;
    int64_t refusedMoves = 0;
    int64_t transferYes = 0;  // answers to "Transfer?"
    int64_t transferNo = 0;
    int64_t failures = 0;
    std::map<std::string, int64_t> movesByKind;
    std::map<std::string, int64_t> failuresByCheck;
    std::string firstFailure;
    std::string firstCap;

    int64_t Finished() const;
    int64_t Capped() const;
    bool Clean() const { return failures == 0 && Capped() == 0; }
};

// A store folder of its own, under /dev/shm when there is one, made the
// store's home while it lives and gone with everything in it after.
class TemporaryStore {
  public:
    explicit TemporaryStore(const char* prefix = "velmora-soak");
    ~TemporaryStore();
    TemporaryStore(const TemporaryStore&) = delete;
    TemporaryStore& operator=(const TemporaryStore&) = delete;
    bool Ok() const { return !path_.empty(); }

  private:
    std::string path_;
};

// Plays the games, spread evenly over the types, in runs of the program
// with one store: in storeFolder, or in a temporary folder (under /dev/shm
// when there is one).
Summary Run(const Options& options);
void Print(std::FILE* out, const Options& options, const Summary& summary);
// "0,2,5": game types 0 to 5, each once at most.
bool ParseTypes(const char* text, std::vector<int32_t>* types);

}  // namespace soak
