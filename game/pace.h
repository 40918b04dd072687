// Moves you can follow: a card played by either side stays in view for a
// moment before the computer's next change, and a bout's last table before
// it is cleared or taken. The handheld showed every change at once.
#pragma once

#include <cstdint>

enum Pace : int32_t { PaceOff = 0, PaceNormal = 1, PaceSlow = 2 };
enum PauseKind : int32_t { PauseComputerCard = 0, PauseYourCard = 1, PauseTableDone = 2 };

extern int32_t pace;
// The game in view when the player's move began: a move that dealt a new
// game pauses no more.
extern uint32_t moveSerial;

// How long a pause of the kind lasts at the pace, in milliseconds.
uint32_t PauseLength(PauseKind kind, int32_t at);
// Shows the table as it stands for that long (see PauseToShow).
void PauseFor(PauseKind kind);
