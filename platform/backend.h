// What the layer asks of the backend linked with it (sdl, headless or web).
// Each backend defines every one of these, or links what defines them:
// sdl and headless share platform/native/ for all but the Backend* hooks
// and GetSystemTime; web defines its own in platform/web/.
#pragma once

#include <string>
#include <vector>

#include "platform/fonts.h"       // the screen's face: ResolveFont, GlyphOf, ...
#include "platform/kept.h"        // the kept game: PlatformHoldKeptGame, ...
#include "platform/platform.h"    // GetSystemTime, PlatformSetProgramFolder
#include "platform/store_file.h"  // the store: ReadStoreFile, UpdateStoreFile, ...

// The time of day as the program sees it (declared with the Windows calls
// in platform.h): the real clock, or the replay's fixed one.
//   void GetSystemTime(SYSTEMTIME* st);

// Pictures: PlatformDecodePng and PlatformPictureSize (gdi_internal.h). Native backends also write
// screenshots with PlatformEncodePng and PlatformWritePng.
// Fonts: also PlatformFontsAvailable (gdi.h).
// Pages: PlatformOpenPage (internal.h) opens the rules page;
// platform/native/spawn.cpp does it with BackendLaunch below.

// Moves any waiting input into the layer with PlatformPointerInput and
// PlatformKeyInput. When block is set, waits until some arrives. Returns
// false when no input will ever come again.
bool BackendFetchInput(bool block);

// The program asked for this rectangle of a window (client pixels) to be
// repainted; rect is the client rectangle when the program named none.
void BackendNoteInvalidate(HWND hwnd, const RECT& rect);

// A paint of the screen finished; the given screen rectangle changed.
void BackendPresent(const RECT& screenRect);

// The layer's screen took a new size and density (its pixels moved).
void BackendScreenChanged();
// The colour around the screen, where the window is larger than it.
void BackendMarginColour(COLORREF colour);
// The lines for the margin changed (PlatformSetMarginText).
void BackendMarginTextChanged();

// Waits up to ms milliseconds for a pause named what, moving input into
// the layer as it arrives; false once a press, key or close request waits.
bool BackendPause(DWORD ms, const char* what);

// A window's title changed (WM_SETTEXT); the real window shows the
// program's main window's title as its own.
void BackendTitleChanged(HWND hwnd);

// A message box opened (every box is recorded by the headless backend).
void BackendBoxOpened(const wchar_t* text, const wchar_t* caption, UINT type);
// An answer waiting for the open box, injected from outside; false if none.
bool BackendTakeBoxAnswer(int* answer);

// A call into the device shell: "SHFullScreen", "SHCreateMenuBar",
// "CommandBar_Show" or "ToggleFullScreen", for a window, with its flags (or menu id, or show flag).
// For the menu bar, bar holds the bar the layer made (or null).
void BackendShellCall(const char* name, HWND hwnd, DWORD value, HWND* bar);

// A program to start, as its argument vector (the rules page's opener);
// asked of sdl and headless only, by platform/native/spawn.cpp.
// The headless backend records it; a real one starts it without waiting.
// False when it could not be started.
bool BackendLaunch(const std::vector<std::string>& argv);
