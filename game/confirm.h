// The human's confirm: opening, throw-in, transfer, single and multiple cover.
#pragma once

#include <cstdint>

void ConfirmPlay();
// Clears every selection in the human's hand but the chosen card's.
void KeepOnlyChosen(int32_t chosen);
