// The game's objects: the four piles, the two standalone cards and the deck.
// They live for the whole run, built by the start-up construction step.
#pragma once

#include "game/card.h"
#include "game/deck.h"
#include "game/pile.h"

extern CardPile humanHand;
extern CardPile humanTable;
extern CardPile computerHand;
extern CardPile computerTable;
extern Card stockCard;  // the face-down picture of the stock
extern Card trumpCard;  // the face-up trump under it; its suit is the trump suit
extern Deck deck;

// Switches the human's hand between sorting by suit and by rank.
void ToggleHandSort();
