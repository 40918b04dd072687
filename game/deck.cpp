#include "game/deck.h"

#include "game/random.h"

void InitDeck(Deck& deck, int32_t size) {
    deck = Deck{};
    int32_t slot = 0;
    if (size == 36) {
        static constexpr int32_t kRanks[9] = {14, 6, 7, 8, 9, 10, 11, 12, 13};
        for (int32_t suit = 1; suit <= 4; ++suit)
            for (int32_t rank : kRanks)
                deck.entries[slot++] = {rank, suit, 1};
    } else {
        for (int32_t suit = 1; suit <= 4; ++suit)
            for (int32_t rank = 1; rank <= 13; ++rank)
                deck.entries[slot++] = {rank, suit, 1};
    }
    deck.total = slot;
    deck.remaining = slot;
}

void ResetDeck(Deck& deck) {
    for (int32_t i = 0; i < deck.total; ++i)
        deck.entries[i].present = 1;
    deck.remaining = deck.total;
}

int32_t Remaining(const Deck& deck) {
    return deck.remaining;
}

int32_t DrawCard(Deck& deck, int32_t* rank, int32_t* suit) {
    int32_t last = deck.total - 1;
    int32_t i = RandomRange(0, last);  // drawn even when the stock is empty
    if (deck.remaining == 0) return -1;
    for (int tries = 0; tries < 3; ++tries)
        if (deck.entries[i].present != 1) i = RandomRange(0, last);
    int32_t found = -1;
    if (deck.entries[i].present == 1) {
        found = i;
    } else {
        for (int32_t j = i - 1; j >= 0 && found < 0; --j)
            if (deck.entries[j].present == 1) found = j;
        for (int32_t j = i + 1; j <= last && found < 0; ++j)
            if (deck.entries[j].present == 1) found = j;
    }
    if (found < 0) return -1;
    DeckEntry& entry = deck.entries[found];
    *rank = entry.rank;
    *suit = entry.suit;
    entry.present = 0;
    deck.remaining -= 1;
    return deck.remaining;
}
