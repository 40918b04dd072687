// The whole game as plain text a person can read: every pile with its cards
// in order and their flags, the state words, the stock, the random
// generator, the status line, the selection and the keyboard's focus. What
// a run writes, a later run reads back into the same game.
#pragma once

#include <cstdint>
#include <string>

// What the game itself does not hold: the keyboard's focus, whether the
// game was counted (-1 no; else its winner, 0 the human, 1 the computer),
// and what a searching computer saw picked up: by the human, by itself,
// and the cards then on the table, one bit a card. A text without them
// holds none; one with all three empty leaves them out.
struct SnapshotExtras {
    int32_t focusPosition = 1;
    int32_t focusShown = 0;
    int32_t counted = -1;
    int64_t seen[3] = {0, 0, 0};
};

std::string SnapshotText(const SnapshotExtras& extras);

// Why a text is refused (kSnapshotRead: it was taken).
enum SnapshotStatus : int32_t {
    kSnapshotRead = 0,
    kSnapshotVersion,    // not ours, or from a version this one does not know
    kSnapshotDamaged,    // a line missing, malformed or out of its range
    kSnapshotCards,      // not the 36 cards, each exactly once
    kSnapshotOtherType,  // sound, but a game of another type than the one asked for
};

// Checks the whole text first and changes nothing unless it is sound; then
// the piles, words, stock, random state and status line are the text's.
// Places on screen are not read: the caller lays the table out afresh.
// A game of another type than wantedType is refused too.
SnapshotStatus ReadSnapshot(const std::string& text, int32_t wantedType, SnapshotExtras* extras);
