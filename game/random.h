// The game's own random numbers: a combined multiplicative congruential
// generator with a 32-entry shuffle, seeded from the clock. Integer steps
// and one exactly defined rounding make a clock reading give the same
// deal on every machine.
#pragma once

#include <cstdint>

extern int32_t randSeed;  // 0: not yet seeded
extern int32_t randSeed2;
extern int32_t randLast;  // 0: the table is not yet filled
extern int32_t randTable[32];

void SeedFromClock();
// Greater than 0 and at most 0.99999988 (as a float).
float RandomUniform();
// From lo to hi inclusive.
int32_t RandomRange(int32_t lo, int32_t hi);

// Back to the state before the first draw of a run.
void ResetRandom();
