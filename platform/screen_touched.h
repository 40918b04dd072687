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

// Copies the rows of r (surface pixels) from the source rows given for
// each, unscaled from column fromX on, skipping rows given as negative.
// Onto the screen, while the record is kept, each row writes and notes only
// the run from its first to its last pixel that differs.
void CopyRows(Surface& out, const RECT& r, const Surface& from, const int* rows, int fromX);

// For each row of r (inside the screen), the run of it written inside r,
// taken off the record: lo and hi hold one entry a row, lo >= hi where
// none was.
void TakeTouched(const RECT& r, int* lo, int* hi);
