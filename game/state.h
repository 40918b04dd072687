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

// The state words and the stored options and score, each with its value
// before start-up. One record, so that a new run starts afresh from this
// list alone: a word added here is reset with the rest.
struct GameWords {
    int32_t gameType = 0;            // game/types.h
    int32_t transferRule = 0;        // 1 in the types that allow a transfer
    int32_t lastWinner = -1;         // -1 none yet this run, 0 the human, 1 the computer
    int32_t computerAttacks = 0;     // 1 while the computer attacks and the human defends
    int32_t boutLedByComputer = 0;   // who laid the bout's first card: decides the refill order
    int32_t transferOpen = 0;        // 1 while the bout may still be transferred
    int32_t extraCardsAllowed = -1;  // -1, or the cards the human may still give a taking computer
    int32_t computerHandAtBoutStart = 0;
    int32_t humanHandAtBoutStart = 0;
    int32_t computerHandFaceDown = 1;  // 0 with the open view switched on at start-up
    // Spread, or stacked with the count hidden (LayoutStacked).
    int32_t computerHandLayout = LayoutQuarterFan;
    // 1 once either side has laid a card this game: a new game then
    // abandons it.
    int32_t cardLaidThisGame = 0;
    // The stored options and score (settings store), read at start-up.
    uint32_t showCardsLeft = 0;
    uint32_t doubleTapPlay = 0;
    uint32_t background = 0;  // table colour 0 to 4
    uint32_t cardBack = 0;    // card-back picture 0 to 4
    uint32_t computerWins = 0;
    uint32_t humanWins = 0;
};
extern GameWords gameWords;

// The names the game knows them by.
inline int32_t& gameType = gameWords.gameType;
inline int32_t& transferRule = gameWords.transferRule;
inline int32_t& lastWinner = gameWords.lastWinner;
inline int32_t& computerAttacks = gameWords.computerAttacks;
inline int32_t& boutLedByComputer = gameWords.boutLedByComputer;
inline int32_t& transferOpen = gameWords.transferOpen;
inline int32_t& extraCardsAllowed = gameWords.extraCardsAllowed;
inline int32_t& computerHandAtBoutStart = gameWords.computerHandAtBoutStart;
inline int32_t& humanHandAtBoutStart = gameWords.humanHandAtBoutStart;
inline int32_t& computerHandFaceDown = gameWords.computerHandFaceDown;
inline int32_t& computerHandLayout = gameWords.computerHandLayout;
inline int32_t& cardLaidThisGame = gameWords.cardLaidThisGame;
inline uint32_t& showCardsLeft = gameWords.showCardsLeft;
inline uint32_t& doubleTapPlay = gameWords.doubleTapPlay;
inline uint32_t& background = gameWords.background;
inline uint32_t& cardBack = gameWords.cardBack;
inline uint32_t& computerWins = gameWords.computerWins;
inline uint32_t& humanWins = gameWords.humanWins;

// Raised by every new deal. A play sequence notes it when it starts and
// stops as soon as it changes: no step of a finished game may touch the
// next deal, which an end-of-game check may have dealt under it.
extern uint32_t gameSerial;

// Every state word and setting back to its value before start-up.
inline void ResetGameState() {
    gameWords = GameWords{};
}

inline int32_t TrumpSuit() {
    return trumpCard.suit;
}

// Switches the human's hand between sorting by suit and by rank.
void ToggleHandSort();
