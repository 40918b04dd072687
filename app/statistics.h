// The Statistics dialog (IDD_STATISTICS): the games each side has won, and
// Clear.
#pragma once

#include "platform/platform.h"

INT_PTR StatisticsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
