// The game's state as one line of JSON, for the replay driver.
#pragma once

#include <string>

#include "platform/platform.h"

// Also empties the headless records of boxes and repaint requests, so the
// next dump shows only what came after this one; help launches likewise.
std::string DumpState();

// The template of the open dialog, or null when none is open.
const DLGTEMPLATE* OpenDialogTemplate();
