// A new game: the deal, the trump, who opens; and the refill from the stock.
#pragma once

struct CardPile;

void NewGame();
void RefillHand(CardPile& pile);
// The human's hand laid out for its count: side by side, then overlapping.
void FitHumanHand();
void ChooseFirstAttacker();
