#include "app/shell.h"

HINSTANCE instance = nullptr;
HINSTANCE resourceModule = nullptr;
HINSTANCE programModule = nullptr;
HWND mainWindow = nullptr;
HWND menuBar = nullptr;
