// What one seat can know of a position, and positions dealt from it: the
// search decides over such samples and never over the hidden cards.
#pragma once

#include <cstdint>

#include "ai/expert/position.h"
#include "ai/expert/rng.h"

namespace expert {

// A position with the hidden cards left out: the other hand holds only
// the cards it was seen to pick up (Position::shown) and the stock only its
// face-up trump card at the bottom; the counts are the true ones.
struct Knowledge {
    Position seen;
    int8_t seat;
    int8_t otherCount;  // cards in the other hand
};

// What the seat knows of a position that holds every card.
Knowledge KnowledgeOf(const Position& p, int32_t seat);
// The cards the seat cannot place: the other hand's unseen cards and the
// stock above its trump card.
CardSet Unseen(const Knowledge& k);
// Deals the unseen cards at random into the other hand and the stock,
// consistently with everything the seat knows. 1, or 0 when the record
// cannot hold (its counts do not add up).
int32_t Sample(const Knowledge& k, Rng& rng, Position& out);

}  // namespace expert
