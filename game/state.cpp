#include "game/state.h"

CardPile humanHand;
CardPile humanTable;
CardPile computerHand;
CardPile computerTable;
Card stockCard;
Card trumpCard;
Deck deck;

GameWords gameWords;

uint32_t gameSerial = 0;

void ToggleHandSort() {
    if (humanHand.count < 1) return;
    humanHand.sortMode = humanHand.sortMode == SortBySuit ? SortByRank : SortBySuit;
    SortPile(humanHand);
}
