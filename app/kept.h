// The unfinished game kept between runs: written after every input that
// changed it, taken up again when the window is created.
#pragma once

#include <cstdint>

// Start of a run: takes the hold on the kept game, when this copy is the
// only one running.
void StartKeepingGame();

enum KeptStart : int32_t {
    kKeptNone,      // nothing kept (or it was dropped): seed and deal
    kKeptResumed,   // the kept game is on the table again
    kKeptDealNext,  // the kept game had ended: deal the next from its state
};
// The kept game back on the table, when it is sound and of the stored type.
KeptStart RestoreKeptGame();

// After each input: the game as it stands, when it changed.
void KeepGameIfChanged();
// A game that ends is counted once only: what is kept from here on is its
// winner and the random state, which deal the next game.
void KeepEndedGame(int32_t winner);
// The last write, flushed to the disk, and the hold given back. Nothing is
// kept after it.
void StopKeepingGame();
