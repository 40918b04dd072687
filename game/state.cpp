#include "game/state.h"

CardPile humanHand;
CardPile humanTable;
CardPile computerHand;
CardPile computerTable;
Card stockCard;
Card trumpCard;
Deck deck;

int32_t gameType = 0;
int32_t transferRule = 0;
int32_t lastWinner = -1;
int32_t computerAttacks = 0;
int32_t boutLedByComputer = 0;
int32_t transferOpen = 0;
int32_t extraCardsAllowed = -1;
int32_t computerHandAtBoutStart = 0;
int32_t humanHandAtBoutStart = 0;
int32_t computerHandFaceDown = 1;
int32_t computerHandLayout = 4;

uint32_t showCardsLeft = 0;
uint32_t doubleTapPlay = 0;
uint32_t background = 0;
uint32_t cardBack = 0;
uint32_t computerWins = 0;
uint32_t humanWins = 0;

uint32_t gameSerial = 0;

void ResetGameState() {
    gameType = 0;
    transferRule = 0;
    lastWinner = -1;
    computerAttacks = 0;
    boutLedByComputer = 0;
    transferOpen = 0;
    extraCardsAllowed = -1;
    computerHandAtBoutStart = 0;
    humanHandAtBoutStart = 0;
    computerHandFaceDown = 1;
    computerHandLayout = 4;
    showCardsLeft = doubleTapPlay = background = cardBack = 0;
    computerWins = humanWins = 0;
}

void ToggleHandSort() {
    if (humanHand.count < 1) return;
    humanHand.sortMode = humanHand.sortMode == SortBySuit ? SortByRank : SortBySuit;
    SortPile(humanHand);
}
