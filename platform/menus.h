// The layer's menu bar (SHCreateMenuBar) and its pop-up menus: what the
// layer and its backends may ask of them. Places are in screen pixels.
#pragma once

#include "platform/platform.h"

// Menu resource id of the program's own module, or null.
const MenuResource* FindMenuResource(HINSTANCE module, UINT id);

// Makes a bar for info->hwndParent along the bottom of the screen, above
// every window there is, showing the menu resource info->nToolBarId. Null
// when the parent or the resource is missing.
HWND CreateLayerMenuBar(const SHMENUBARINFO& info);

// F10: the first menu of the window's bar opens from the keyboard, its
// first item highlighted. False when the window has no bar that can open.
bool OpenMenuByKey(HWND parent);

// True for a window made by CreateLayerMenuBar that still exists.
bool IsMenuBar(HWND hwnd);
// The topmost visible bar, or null.
HWND TopMenuBar();
// Item index of a bar, or -1; texts compare without regard to case.
int MenuBarFindItem(HWND bar, const wchar_t* text);
bool MenuBarItemRect(HWND bar, int index, RECT* rect);
// Whether the item opens a menu (or is a command of its own).
bool MenuBarItemOpensMenu(HWND bar, int index);

// The open pop-up menu (only one is open at a time): the bar item it
// belongs to, or -1, and its items.
int OpenMenuIndex();
int OpenMenuFindItem(const wchar_t* text);
bool OpenMenuItemRect(int index, RECT* rect);
// The open menu's window and its highlighted item (-1 for none).
HWND OpenMenuWindow();
int OpenMenuHighlight();
