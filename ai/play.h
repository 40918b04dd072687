// What the computer does with a chosen card, shared by attack and defence.
#pragma once

#include <cstdint>

#include "game/account.h"
#include "game/pace.h"
#include "game/state.h"

// Lays the card at a 1-based position of the computer's hand on the table.
inline void PlayComputerCard(int32_t position, LayHow how) {
    CardAt(computerHand, position).selected = 1;
    LayCards(computerHand, computerTable, how);
    PauseFor(PauseComputerCard);
}
