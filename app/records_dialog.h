// The Records dialog (IDD_RECORDS): each game type's record, and Clear.
#pragma once

#include "platform/platform.h"

INT_PTR RecordsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
