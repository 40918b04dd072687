// The program's process-wide handles and its start-up spine.
#pragma once

#include "platform/platform.h"

extern HINSTANCE instance;
extern HINSTANCE resourceModule;  // searched first by LoadText
extern HINSTANCE programModule;   // searched when resourceModule lacks a text
extern HWND mainWindow;           // stored by the window procedure on every message
extern HWND menuBar;
