// Which card of a pile lies under a stylus point, and the three ways a tap
// changes the selection. Each returns the 1-based position of the card hit,
// or 0 (then nothing changes).
#pragma once

#include <cstdint>

#include "game/pile.h"

// The card's rectangle moved two pixels left, right and bottom edges included.
bool CardAtPoint(const Card& card, int32_t px, int32_t py);
// The topmost card under the point, or 0.
int32_t CardUnder(const CardPile& pile, int32_t px, int32_t py);

int32_t ToggleAt(CardPile& pile, int32_t px, int32_t py);
int32_t ToggleOnlyAt(CardPile& pile, int32_t px, int32_t py);
// The same for the card at position p (0: none).
int32_t ToggleCard(CardPile& pile, int32_t p);
int32_t ToggleOnlyCard(CardPile& pile, int32_t p);
int32_t SelectOnlyAt(CardPile& pile, int32_t px, int32_t py);
