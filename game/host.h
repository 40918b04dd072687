// What the game asks of the program that hosts it: its window, its texts,
// its error box and its store. game/ and ai/ reach above themselves only
// through here; app/host.cpp answers.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The main window: the table is drawn in it and the game messages go to it.
HWND MainWindow();

// The stored text of a string-table entry (no copy), or null.
const wchar_t* LoadText(UINT id);

// The error box, for states that should never occur; play goes on after it.
// printf-style; the text is cut at 254 characters. Returns its length.
int ShowErrorBox(HWND owner, const wchar_t* format, ...);

// Adds one to a stored count, read afresh so that every running copy's games
// count, and gives back the stored total; when the store cannot be written,
// count + 1.
uint32_t AddOneToStoredCount(uint32_t count, const wchar_t* name);
