// The status line: one message (two lines at most) under the table.
#pragma once

extern wchar_t statusBuffer[256];
extern const wchar_t* statusText;        // statusBuffer while a text shows, else null
extern const wchar_t* extraCardsFormat;  // IDS_EXTRA_CARDS, fetched once at start-up

// printf-style (%d only); null clears the line. Repaints the status strip.
void ShowStatus(const wchar_t* format, ...);
