// The real window: SDL2 for the window, its events and presenting the
// screen, nothing else. The entry code opens it before the program is
// built and closes it after.
#pragma once

#include <string>

// Opens the display, chooses the density, resets the layer to a screen of
// that size and makes the (still hidden) window; it shows at the first
// present. False, with the reason, when there is no display to open.
// The window as a run leaves it and the next one starts it: the size out of
// full screen, in the display's points, and whether it fills the display.
// No width or height: the first start, sized to fit the display.
struct SdlWindowState {
    int width = 0;
    int height = 0;
    bool fullScreen = false;
};

// The remembered state is clamped to the display; VELMORA_DPI pins the
// density, else the largest whole one whose screen fits the window is used.
bool SdlOpen(std::string* error, const SdlWindowState& remembered = {});
// The window now, and whether it differs from how it started.
SdlWindowState SdlWindowNow();
bool SdlWindowChanged();
void SdlClose();
