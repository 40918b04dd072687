// Stylus input on the main window: taps on the table, the two buttons and
// the cards of the hand.
#pragma once

#include "platform/platform.h"

void StylusDown(LPARAM point);
void StylusUp();
void StylusDoubleTap(LPARAM point);
