#include "app/construct.h"

#include <vector>

#include "app/clpa.h"
#include "app/keyboard.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/host.h"
#include "game/pace.h"
#include "game/random.h"
#include "game/state.h"
#include "game/status.h"
#include "res/ids.h"
#include "ui/scale.h"
#include "ui/table.h"

namespace {

std::vector<void (*)()> releases;

}  // namespace

void ConstructProgram() {
    // A run starts from the built-in values, also when a process runs the
    // program more than once (tests, the soak).
    ResetGameState();
    ResetRandom();
    statusText = nullptr;
    pressedButton = 0;
    focusPosition = 1;
    focusShown = false;
    focusFrame = RECT{};
    pace = PaceNormal;
    moveSerial = 0;
    instance = resourceModule = programModule = nullptr;
    mainWindow = menuBar = nullptr;
    offscreenDc = nullptr;
    offscreenBitmap = nullptr;

    gameTypeNames = CLPA{nullptr, 0, 0, 0};
    releases.push_back([] {
        ClpaRemoveAll(gameTypeNames);
        ClpaFreeStorage(gameTypeNames);
    });
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
    // The module handles are still null here: LoadText then reads the
    // program's own table.
    extraCardsFormat = LoadText(IDS_EXTRA_CARDS);
}

void ReleaseProgram() {
    while (!releases.empty()) {
        void (*release)() = releases.back();
        releases.pop_back();
        release();
    }
}
