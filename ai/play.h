// What the computer does with a chosen card, shared by attack and defence.
#pragma once

#include <cstdint>

#include "ai/choice.h"
#include "game/account.h"
#include "game/pace.h"
#include "game/state.h"

// Lays the card at a 1-based position of the computer's hand on the table.
inline void PlayComputerCard(int32_t position, LayHow how) {
    CardAt(computerHand, position).selected = 1;
    LayCards(computerHand, computerTable, how);
    PauseFor(PauseComputerCard);
}

// The 1-based position of the named card in the computer's hand, 0 if absent.
inline int32_t ComputerCardPlace(const PlayCard& card) {
    for (int32_t i = 1; i <= computerHand.count; ++i)
        if (CardAt(computerHand, i).suit == card.suit && CardAt(computerHand, i).rank == card.rank)
            return i;
    return 0;
}

// Asks the chooser, when one is set, and checks that the cards it names are
// in the computer's hand.
inline bool AskChooser(ComputerQuestion question, ComputerAnswer* answer) {
    if (!computerChooser || !computerChooser(question, answer)) return false;
    if (answer->kind == AnswerNone) return true;
    if (answer->count < 1 || answer->count > 18) return false;
    for (int32_t i = 0; i < answer->count; ++i)
        if (ComputerCardPlace(answer->cards[i]) == 0) return false;
    return true;
}
