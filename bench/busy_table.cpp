// The tables the paint benchmarks paint, native and in the page alike.
#include "bench/busy_table.h"

#include "app/shell.h"
#include "game/deal.h"
#include "game/host.h"
#include "game/message.h"
#include "game/state.h"
#include "game/status.h"
#include "res/ids.h"

// A new deal the human opens.
void DealForTheHuman(int (*pump)()) {
    lastWinner = 0;
    SendGameMessage(NEW_GAME);
    pump();
}

// Twelve cards in each hand from the stock, then six attacks of one suit
// each covered by the next rank up. The screen cannot hold a legal deal
// this busy (the stock and trump would need cards the table already holds),
// so the table's cards repeat some in the hands; the painting is the same.
void LayBusyTable(int (*pump)()) {
    DealForTheHuman(pump);
    for (CardPile* hand : {&humanHand, &computerHand})
        while (hand->count < 12) {
            int32_t rank, suit;
            if (DrawCard(deck, &rank, &suit) < 0) break;
            AddCard(*hand, suit, rank);
        }
    Refresh(computerHand);
    FitHumanHand();
    const int32_t suit = TrumpSuit() == 1 ? 2 : 1;
    for (int32_t rank = 6; rank < 12; ++rank) {
        AddCard(humanTable, suit, rank);
        AddCard(computerTable, suit, rank + 1);
    }
    Refresh(humanTable);
    Refresh(computerTable);
    computerAttacks = 0;
    ShowStatus(LoadText(309));
    pump();
}
