// The Options dialog (IDD_OPTIONS): game type, card back, table colour and
// three display options, applied and saved on OK.
#pragma once

#include "platform/platform.h"

INT_PTR OptionsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
