// The game's objects and state words. They live for the whole run, built by
// the start-up construction step; every part of the game reads and changes
// them through these names.
#pragma once

#include <cstdint>

#include "game/card.h"
#include "game/deck.h"
#include "game/pile.h"

extern CardPile humanHand;
extern CardPile humanTable;  // the human's cards of this bout: attack or cover
extern CardPile computerHand;
extern CardPile computerTable;  // the computer's cards of this bout
extern Card stockCard;          // the face-down picture of the stock
extern Card trumpCard;          // the face-up trump under it; its suit is the trump suit
extern Deck deck;

// Game types: 0 "Thrown up", 1 the same with transfer, 2 "Bulk", 3 with
// transfer, 4 "Japanese", 5 with transfer.
extern int32_t gameType;
extern int32_t transferRule;       // 1 in types 1, 3 and 5
extern int32_t lastWinner;         // -1 none yet this run, 0 the human, 1 the computer
extern int32_t computerAttacks;    // 1 while the computer attacks and the human defends
extern int32_t boutLedByComputer;  // who laid the bout's first card: decides the refill order
extern int32_t transferOpen;       // 1 while the bout may still be transferred
extern int32_t extraCardsAllowed;  // -1, or the cards the human may still give a taking computer
extern int32_t computerHandAtBoutStart;
extern int32_t humanHandAtBoutStart;
extern int32_t computerHandFaceDown;  // 0 with the open view switched on at start-up
extern int32_t computerHandLayout;    // 4 spread, 5 stacked

// The stored options and score (settings store), read at start-up.
extern uint32_t showCardsLeft;
extern uint32_t doubleTapPlay;
extern uint32_t background;  // table colour 0 to 4
extern uint32_t cardBack;    // card-back picture 0 to 4
extern uint32_t computerWins;
extern uint32_t humanWins;

// Raised by every new deal. A play sequence notes it when it starts and
// stops as soon as it changes: no step of a finished game may touch the
// next deal, which an end-of-game check may have dealt under it.
extern uint32_t gameSerial;

// Every state word and setting back to its value before start-up.
void ResetGameState();

inline int32_t TrumpSuit() {
    return trumpCard.suit;
}

// Switches the human's hand between sorting by suit and by rank.
void ToggleHandSort();
