// The Statistics dialog (template 131): the games each side has won, and
// Clear.
#pragma once

#include "platform/platform.h"

INT_PTR StatisticsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
