// The main window: its procedure, where the program's parts meet, and the
// start-up spine that creates it and runs the message loop.
#pragma once

#include "app/clpa.h"
#include "platform/platform.h"

// The game-type names; entry n names game type n (game/types.h).
extern CLPA gameTypeNames;

// The off-screen painting objects, made at the first paint and kept until
// the window is destroyed.
extern HDC offscreenDc;
extern HBITMAP offscreenBitmap;

LRESULT MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

int WinMain(HINSTANCE hInstance, HINSTANCE previous, const wchar_t* commandLine, int showState);
bool CreateMainWindow(HINSTANCE hInstance, int showState);
ATOM RegisterMainClass(HINSTANCE hInstance, const wchar_t* className);
void EnterFullScreen(HWND hwnd);
// A menu bar of the menu resource along the parent's bottom edge.
HWND CreateBar(HWND parent, UINT menuId);
// The main window's bar, kept in menuBar.
void MakeMenuBar(HWND hwnd);
// The Pace menu's check mark on the pace in use.
void ShowPaceChecked();

// The name of a game type, or null when the list lacks it.
const wchar_t* GameTypeName(int32_t type);
