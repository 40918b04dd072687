// The rules' computer (ai/attack.cpp, ai/defence.cpp) once more, on the
// engine's records and for either seat: the arena's Classic in the human's
// seat decides with it. tests/expert_difference.cpp holds it to those
// routines in the computer's seat, decision by decision.
#pragma once

#include <cstdint>

#include "ai/expert/position.h"

namespace expert {

// What the rules' computer reads beyond the position: the order its hand
// lies in, which decides between equal cards, and the rank of the trump
// card dealt face up, which counts after the card is drawn.
struct ClassicSeat {
    int8_t order[kCards];
    int32_t count = 0;
    int32_t trumpRank = 0;
};

// Whether the seat's trumps are weighed as an attacker's: the rules'
// computer keeps its attacking word while it defends a transferred attack.
bool ClassicAttacking(const Position& p, int32_t seat);

// The play of the seat to move in p, which holds every card (the rules'
// computer reads the other hand): one move, or each cover of a cover of
// several cards. Into out (room for kCards): the count, 0 when no seat is
// to move. A choice the seat's own moves do not allow falls back to laying
// nothing (take, end the bout, stop giving).
int32_t ClassicPlay(const Position& p, const ClassicSeat& seat, Move* out);

}  // namespace expert
