// Taking the table, by either side, and the extra cards the attacker adds.
#pragma once

#include <cstdint>

void ComputerTakes();
void GiveExtraCard();
void ComputerPicksUp();
void HumanTakes();
// The computer adds up to n cards to the table the human takes; answers
// how many it gave.
int32_t ComputerAddsExtras(int32_t n);
