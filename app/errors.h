// The error box, for states that should never occur; play goes on after it.
#pragma once

#include "platform/platform.h"

// printf-style; the text is cut at 254 characters. Returns its length.
int ShowErrorBox(HWND owner, const wchar_t* format, ...);
