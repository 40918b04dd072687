// The end of a bout: discard, refill in the opener's order, pass the attack.
#pragma once

#include <cstdint>

// Closes a bout. forced is 1 only from HumanTakes. Returns 0 when a new game
// was dealt inside it (its caller then stops), else 1.
int32_t EndBout(int32_t forced);
