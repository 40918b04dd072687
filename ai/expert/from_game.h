// The live game as the engine's records: a position holding every card,
// for tests and the arena's engine-only games, and what one seat knows of
// it, for the Expert and hints.
#pragma once

#include <cstdint>

#include "ai/expert/classic.h"
#include "ai/expert/knowledge.h"
#include "ai/expert/position.h"

namespace expert {

// The whole live game, every hidden card in place and the stock in the
// order the game's generator will deal it, read from a copy of the
// generator (the game's sequence stays as it was). Never the start of a
// decision: it holds what no seat may know. 1, or 0 when the game stands
// between two steps of one play, in no state a decision waits in.
int32_t PositionFromGame(Position& out);

// What the seat knows of the live game. shownByOther: the other hand's
// cards the seat saw it pick up from the table, kept by the caller; cards
// since laid are dropped from it. 1, or 0 as above.
int32_t KnowledgeFromGame(int32_t seat, CardSet shownByOther, Knowledge& out);

// What the engine's Classic reads for the seat beyond the position: its
// hand in the order it lies and the dealt trump card's rank.
ClassicSeat ClassicSeatFromGame(int32_t seat);

}  // namespace expert
