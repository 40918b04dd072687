// The human's moves, the same whichever input makes them: the stylus, the
// keyboard or the soak's scripted player. None clears the status line or
// shows a button pressed; the input does that first, once per tap or key,
// so that a move's own status text (a refusal, say) survives the rest of the
// same tap.
#pragma once

#include <cstdint>

// As a tap on the table: confirm the selection, or give it as an extra card.
void PlaySelection();
// The lower button: end the attack, or take the table.
void PressLowerButton();
// The upper button: sort the hand the other way.
void PressUpperButton();
// As a tap on the hand's card at position: toggle it on its own, or, with
// several uncovered cards to beat, within a selection of several. 0 is no
// card and changes nothing. Answers the position.
int32_t TapHandCard(int32_t position);
// The New command: deal again.
void StartNewGame();
