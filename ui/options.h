// The Options dialog (template 130): game type, card back, table colour and
// three display options, applied and saved on OK.
#pragma once

#include "platform/platform.h"

INT_PTR OptionsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
