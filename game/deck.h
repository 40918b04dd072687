// The 36 cards and which of them are still in the stock. The deck is never
// shuffled: each deal picks a random slot.
#pragma once

#include <cstdint>

struct DeckEntry {
    int32_t rank;
    int32_t suit;
    int32_t present;  // 1 while in the stock
};

struct Deck {
    DeckEntry entries[52];
    int32_t remaining;
    int32_t total;
};

// 36 gives the game's deck (each suit: ace, then six to king); any other
// size the 52-card one.
void InitDeck(Deck& deck, int32_t size);
void ResetDeck(Deck& deck);
int32_t Remaining(const Deck& deck);
// Deals one card: the number left after it, or -1 (outputs untouched).
int32_t DrawCard(Deck& deck, int32_t* rank, int32_t* suit);
