// Play from the keyboard, beside the stylus: a focus mark over the human's
// hand, keys for the moves and the menu's most used commands, and R and H,
// which read the table and the hand aloud (app/speech.h). Every move goes
// through app/actions.h, as a tap's does.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The hand position the mark is on (1-based; shown clamped to the hand)
// and whether it is shown: from the first key until the next tap.
extern int32_t focusPosition;
extern bool focusShown;

// A key pressed or let go on the main window; false when the key is not
// the game's, for the default procedure to have.
bool KeyboardDown(HWND hwnd, WPARAM key, LPARAM flags);
bool KeyboardUp(WPARAM key);

// Moves focusFrame to where the mark belongs now, repainting the old and
// the new place; called before every paint, so that a hand that shrank,
// moved or was dealt afresh never leaves a stale mark.
void SyncFocusFrame();
// The mark's position within the hand as it is now, or 0 for an empty hand.
int32_t FocusedCard();
