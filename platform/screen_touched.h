// Which pixels of the screen were written, row by row, for a backend that
// sends its display only what changed. Off unless a backend asks: the
// others show the screen as a whole.
#pragma once

#include <cstdint>

#include "platform/internal.h"

// Starts or stops keeping the record; started, with every row untouched.
void KeepScreenTouched(bool on);

// Notes r (surface pixels) as written when s is the screen.
void TouchScreen(const Surface& s, const RECT& r);

// Copies n pixels when s is the screen; when the record is kept, only the
// run from the first to the last that differ, which is what is noted.
void CopyToRow(const Surface& s, int y, int x, uint32_t* to, const uint32_t* from, int n);

// The run of row y written inside [left, right), taken off the record;
// false when none was.
bool TakeTouched(int y, int left, int right, int* lo, int* hi);
