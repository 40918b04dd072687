// The Statistics dialog (IDD_STATISTICS): the games each side has won, and
// Clear.
#pragma once

#include "platform/platform.h"

INT_PTR StatisticsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Centred over the owner's client area, never above or left of it.
void CentreDialog(HWND dialog);
