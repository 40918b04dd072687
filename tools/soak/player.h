// The scripted human: picks at random one of the moves the table allows,
// now and then one the game must refuse, and makes it the way a tap would.
#pragma once

#include <random>
#include <vector>

#include "tools/soak/checks.h"

namespace soak {

class Player {
  public:
    explicit Player(std::mt19937& rng) : rng_(rng) {}
    // A move for the table as it stands, with what the game should make of
    // it; false when the table allows the human no move at all.
    bool Choose(Step* step);
    // Selects the move's cards as the hit test would, then calls what the
    // tap reaches.
    static void Perform(const Step& step);
    // A careful human keeps its cards: it plays the cheapest card that will
    // do and takes or stops only now and then. A careless one picks any
    // legal move.
    void SetCareful(bool careful) { careful_ = careful; }

  private:
    void Collect();
    void CollectDefence(CardSet hand);
    CardSet RandomSubset(CardSet from, int size);
    CardSet FindCover(CardSet attack, CardSet hand);
    const Step& CarefulMove();

    std::mt19937& rng_;
    std::vector<Step> legal_;
    std::vector<Step> refused_;
    std::vector<const Step*> plays_;
    bool careful_ = false;
};

}  // namespace soak
