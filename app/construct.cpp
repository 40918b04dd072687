#include "app/construct.h"

#include <vector>

#include "game/state.h"
#include "ui/scale.h"

namespace {

std::vector<void (*)()> releases;

}  // namespace

void ConstructProgram() {
    // The game-type name list comes first, with its release, once it exists.
    ComputeButtonRects();
    InitPile(humanHand);
    releases.push_back([] { DestroyPile(humanHand); });
    InitPile(humanTable);
    releases.push_back([] { DestroyPile(humanTable); });
    InitPile(computerHand);
    releases.push_back([] { DestroyPile(computerHand); });
    InitPile(computerTable);
    releases.push_back([] { DestroyPile(computerTable); });
    InitCard(stockCard);
    InitCard(trumpCard);
    InitDeck(deck, 36);
    // Last comes the extra-cards text, fetched once the string table exists.
}

void ReleaseProgram() {
    while (!releases.empty()) {
        void (*release)() = releases.back();
        releases.pop_back();
        release();
    }
}
