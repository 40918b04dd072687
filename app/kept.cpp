#include "app/kept.h"

#include <cstdio>
#include <string>

#include "ai/expert/answer.h"
#include "app/keyboard.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/account.h"
#include "game/snapshot.h"
#include "game/state.h"
#include "platform/kept.h"
#include "ui/layout.h"

namespace {

bool keeping = false;
std::string kept;  // what the kept game holds now

SnapshotExtras Extras(int32_t counted) {
    SnapshotExtras extras;
    extras.focusPosition = focusPosition;
    extras.focusShown = focusShown ? 1 : 0;
    extras.counted = counted;
    expert::SeenState(extras.seen);
    return extras;
}

void Write(const std::string& text) {
    if (text == kept) return;
    if (PlatformWriteKeptGame(text)) kept = text;
}

const char* Why(SnapshotStatus status) {
    switch (status) {
        case kSnapshotVersion:
            return "not a kept game of this version";
        case kSnapshotCards:
            return "its cards are not the deck's 36";
        default:
            return "damaged";
    }
}

// The table as the player left it, with this run's display values: the
// piles belong to this window, the backs are the chosen ones, the open view
// shows the computer's hand, and every card has its place at this density.
void SetUpTable() {
    ++gameSerial;
    for (CardPile* pile : {&humanHand, &computerHand, &humanTable, &computerTable}) {
        pile->window = mainWindow;
        for (int32_t i = 1; i <= pile->count; ++i)
            CardAt(*pile, i).window = mainWindow;
    }
    SetWindow(stockCard, mainWindow);
    SetWindow(trumpCard, mainWindow);
    computerHand.faceDown = computerHandFaceDown;
    for (int32_t i = 1; i <= computerHand.count; ++i)
        CardAt(computerHand, i).faceDown = computerHandFaceDown;
    SetBack(humanHand, static_cast<int32_t>(cardBack));
    SetBack(computerHand, static_cast<int32_t>(cardBack));
    stockCard.backIndex = static_cast<int32_t>(cardBack);
    ScaleLoneCardPlace(stockCard);
    ScaleLoneCardPlace(trumpCard);
    ScaleTable();
    InvalidateRect(mainWindow, nullptr, FALSE);
}

}  // namespace

void StartKeepingGame() {
    keeping = PlatformHoldKeptGame();
    kept.clear();
}

KeptStart RestoreKeptGame() {
    if (!keeping) return kKeptNone;
    std::string text, why;
    const int got = PlatformReadKeptGame(&text, &why);
    if (got == 0) return kKeptNone;
    SnapshotExtras extras;
    const SnapshotStatus status =
        got < 0 ? kSnapshotDamaged : ReadSnapshot(text, gameType, &extras);
    if (status == kSnapshotOtherType) return kKeptNone;  // the player chose another type since
    if (status != kSnapshotRead) {
        if (why.empty()) why = Why(status);
        std::fprintf(stderr, "velmora: %s: %s; a new game is dealt\n",
                     PlatformKeptGamePlace().c_str(), why.c_str());
        return kKeptNone;
    }
    kept = text;
    if (extras.counted >= 0) {
        lastWinner = extras.counted;
        return kKeptDealNext;
    }
    focusPosition = extras.focusPosition;
    focusShown = extras.focusShown == 1;
    expert::RestoreSeen(extras.seen);
    SetUpTable();
    PlayEvent resumed{};
    resumed.kind = PlayResumed;
    resumed.count = gameType;
    resumed.trumpSuit = TrumpSuit();
    EmitPlay(resumed);
    return kKeptResumed;
}

void KeepGameIfChanged() {
    if (keeping) Write(SnapshotText(Extras(-1)));
}

void KeepEndedGame(int32_t winner) {
    if (keeping) Write(SnapshotText(Extras(winner)));
}

void StopKeepingGame() {
    if (!keeping) return;
    KeepGameIfChanged();
    PlatformFlushKeptGame();
    PlatformReleaseKeptGame();
    keeping = false;
}
