// Stylus input on the main window: taps on the table, the two buttons and
// the cards of the hand.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// 0 none, 1 the lower button is held, 2 the upper one.
extern int32_t pressedButton;

void StylusDown(LPARAM point);
void StylusUp();
void StylusDoubleTap(LPARAM point);
