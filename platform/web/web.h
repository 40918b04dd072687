// The browser backend's start and end, for the page's entry point.
#pragma once

#include <string>

// Opens the layer's screen on the page's canvas at the density the page
// asked for, or else the one its viewport fits; false, saying why, when
// that density's glyphs cannot be had.
bool WebOpen(std::string* error);
// Fetches the glyph atlases of a density's fonts that are not here yet,
// waiting for them; false, saying why, when one cannot be had.
bool WebLoadFonts(int dpi, std::string* error);
// Puts on the canvas what was presented since it was last put there; done
// whenever the program waits, and by the page's benchmarks.
void WebShowPending();
// The program ended: the page offers to play again.
void WebEnded();
// The program cannot start: the page shows why.
void WebFail(const std::string& why);

// Called before each wait, as the canvas is brought up to date, so that
// the entry (which knows the game) hands the page what to say in words.
void WebBeforeWait(void (*tell)());
// A line of the page's account, newest last: a sentence of play, or the
// status line's text.
void WebAccountLine(const std::wstring& line, bool status);
// Said at once through the page's live region, for a screen reader.
void WebSay(const std::wstring& text);
