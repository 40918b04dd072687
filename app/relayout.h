// The screen drawn again at another density, for a desktop window that
// changed size: everything that depends on the density is made again, as if
// the program had started at the new one with the same game in progress.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Answers WM_DPICHANGED: screen is the new screen's rectangle.
void Relayout(int32_t dpi, const RECT& screen);
