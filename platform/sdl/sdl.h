// The real window: SDL2 for the window, its events and presenting the
// screen, nothing else. The entry code opens it before the program is
// built and closes it after.
#pragma once

#include <string>

// Opens the display, chooses the density, resets the layer to a screen of
// that size and makes the (still hidden) window; it shows at the first
// present. False, with the reason, when there is no display to open.
bool SdlOpen(std::string* error);
void SdlClose();
