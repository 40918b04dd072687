// The device-shaped interface the game is written against: windows,
// messages, update regions, device contexts and the clock. Names, types and
// numbers follow the handheld's platform so the game code reads as it would
// there. Wide strings are wchar_t.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = uint8_t;
using WORD = uint16_t;
using SHORT = int16_t;
using DWORD = uint32_t;
using UINT = unsigned int;
using LONG = int32_t;
using ATOM = uint16_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
struct HDC__;
using HDC = HDC__*;
struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HMENU__;
using HMENU = HMENU__*;
struct HACCEL__;
using HACCEL = HACCEL__*;
// Any drawing object, for DeleteObject; each kind has its own handle type.
using HGDIOBJ = void*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HRGN__;
using HRGN = HRGN__*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct RECT {
    LONG left, top, right, bottom;
    friend bool operator==(const RECT&, const RECT&) = default;
};
struct POINT {
    LONG x, y;
    friend bool operator==(const POINT&, const POINT&) = default;
};
struct SIZE {
    LONG cx, cy;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const wchar_t* lpszMenuName;
    const wchar_t* lpszClassName;
};

struct CREATESTRUCTW {
    void* lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy, cx, y, x;
    LONG style;
    const wchar_t* lpszName;
    const wchar_t* lpszClass;
    DWORD dwExStyle;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

struct SYSTEMTIME {
    WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SETTINGCHANGE = 0x001A;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_MOUSEFIRST = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_MOUSELAST = 0x0209;
constexpr UINT WM_USER = 0x0400;

constexpr WPARAM MK_LBUTTON = 0x0001;

// Class and window styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

// ShowWindow states and SetWindowPos flags.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// GetDeviceCaps and GetSystemMetrics indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

// Region combination modes and results.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

constexpr WORD LOWORD(uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int lo, int hi) {
    return static_cast<LPARAM>(static_cast<uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) {
    return static_cast<WPARAM>(static_cast<uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr int GET_X_LPARAM(LPARAM lp) {
    return static_cast<int16_t>(lp & 0xFFFF);
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
    return static_cast<int16_t>((lp >> 16) & 0xFFFF);
}

// Rectangles. Right and bottom are exclusive, as everywhere in the layer.
BOOL SetRect(RECT* r, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* r);
BOOL IsRectEmpty(const RECT* r);
BOOL PtInRect(const RECT* r, POINT p);
BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* out, const RECT* a, const RECT* b);
BOOL OffsetRect(RECT* r, int dx, int dy);
BOOL EqualRect(const RECT* a, const RECT* b);

// Window classes and windows.
ATOM RegisterClassW(const WNDCLASSW* wc);
BOOL UnregisterClassW(const wchar_t* className, HINSTANCE instance);
HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                     DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                     HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL UpdateWindow(HWND hwnd);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL SetWindowTextW(HWND hwnd, const wchar_t* text);
int GetWindowTextW(HWND hwnd, wchar_t* buffer, int maxCount);
BOOL GetClientRect(HWND hwnd, RECT* r);
BOOL GetWindowRect(HWND hwnd, RECT* r);
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
int GetSystemMetrics(int index);

// Messages. SendMessageW calls the window procedure at once and may nest;
// posted messages wait in the queue.
LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Update regions and painting.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

// Regions.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* r);
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL PtInRegion(HRGN rgn, int x, int y);
int GetRgnBox(HRGN rgn, RECT* r);
BOOL DeleteObject(HGDIOBJ obj);
int GetClipRgn(HDC hdc, HRGN rgn);

// Device contexts.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
int GetDeviceCaps(HDC hdc, int index);

// Message boxes: modal, with a nested message loop of their own.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
int MessageBoxW(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// Window, dialog and control styles.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_MULTILINE = 0x2000;
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr WORD IDC_STATIC = 0xFFFF;

// Keys.
constexpr WPARAM VK_TAB = 0x09;
constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_SHIFT = 0x10;
constexpr WPARAM VK_CONTROL = 0x11;
constexpr WPARAM VK_MENU = 0x12;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_SPACE = 0x20;
constexpr WPARAM VK_PRIOR = 0x21;
constexpr WPARAM VK_NEXT = 0x22;
constexpr WPARAM VK_END = 0x23;
constexpr WPARAM VK_HOME = 0x24;
constexpr WPARAM VK_LEFT = 0x25;
constexpr WPARAM VK_UP = 0x26;
constexpr WPARAM VK_RIGHT = 0x27;
constexpr WPARAM VK_DOWN = 0x28;
constexpr WPARAM VK_F1 = 0x70;
constexpr WPARAM VK_F2 = 0x71;
constexpr WPARAM VK_F4 = 0x73;
constexpr WPARAM VK_F10 = 0x79;
constexpr WPARAM VK_F11 = 0x7A;
// Whether a key is held, as the key messages handed out so far tell it:
// negative while down.
SHORT GetKeyState(int key);

// Resources. The program's own are compiled in and handed to the layer
// once at start with PlatformSetResources; a null module means the program.
struct StringResource {
    UINT id;
    const wchar_t* text;
};
struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};
struct AcceleratorResource {
    UINT id;
    const ACCEL* entries;
    int count;
};
// Pictures are PNG data. An icon resource has one image per native size.
struct IconImageResource {
    int width;
    int height;
    const BYTE* png;
    size_t size;
};
struct IconResource {
    UINT id;
    const IconImageResource* images;
    int imageCount;
};
// A picture of a custom resource type, such as the card backs' "GIF".
struct ImageResource {
    UINT id;
    const wchar_t* type;
    const BYTE* data;
    size_t size;
};
struct PictureResources {
    const IconResource* icons;
    int iconCount;
    const ImageResource* images;
    int imageCount;
};
// A menu: the items of a bar, each either a command (no items of its own)
// or a pop-up of commands.
struct MenuItemResource {
    UINT id;
    const wchar_t* text;
};
struct MenuBarItemResource {
    const wchar_t* text;
    UINT id;                        // the command of an item with no pop-up
    const MenuItemResource* items;  // the pop-up's items, or null
    int itemCount;
};
struct MenuResource {
    UINT id;
    const MenuBarItemResource* items;
    int itemCount;
};

// A dialog template, in dialog units; the device's binary form is not kept.
struct DialogItemTemplate {
    const wchar_t* className;  // L"BUTTON", L"STATIC", L"LISTBOX", L"COMBOBOX"
    const wchar_t* text;
    WORD id;  // 0xFFFF: none
    DWORD style;
    short x, y, cx, cy;
};
struct DLGTEMPLATE {
    DWORD style;
    short x, y, cx, cy;
    const wchar_t* caption;
    const wchar_t* fontFace;
    WORD pointSize;
    const DialogItemTemplate* items;
    int itemCount;
};
struct DialogResource {
    UINT id;
    const DLGTEMPLATE* dialog;
};

struct ProgramResources {
    const StringResource* strings;
    int stringCount;
    const AcceleratorResource* accelerators;
    int acceleratorCount;
    const PictureResources* pictures;  // null: none
    const MenuResource* menus;
    int menuCount;
    const DialogResource* dialogs;
    int dialogCount;
};
void PlatformSetResources(const ProgramResources* resources);

// A font the program makes itself, beside the layer's own, at a size in
// points: the browser build draws its glyphs ahead of time, so the layer
// must be told before the first density is taken.
struct OwnFont {
    bool bold = false;
    bool byCell = true;  // the size matched against the cell height
    int points = 0;
};
void PlatformSetProgramFonts(const OwnFont* fonts, int count);

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FALT = 0x10;
constexpr LPARAM KF_ALTDOWN_LPARAM = 1 << 29;  // bit 29 of a key message: Alt held
constexpr LPARAM KF_REPEAT_LPARAM = 1 << 30;   // bit 30: the key was already down (auto-repeat)

inline const wchar_t* MAKEINTRESOURCEW(UINT id) {
    return reinterpret_cast<const wchar_t*>(static_cast<uintptr_t>(id));
}
HINSTANCE GetModuleHandleW(const wchar_t* moduleName);
// With a buffer size of 0 the buffer receives a pointer to the stored text.
int LoadStringW(HINSTANCE module, UINT id, wchar_t* buffer, int bufferMax);
HACCEL LoadAcceleratorsW(HINSTANCE module, const wchar_t* name);
int TranslateAcceleratorW(HWND hwnd, HACCEL table, MSG* msg);

// The handheld shell's calls: full screen and the menu bar.
struct SHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;  // out: the bar, or null when none was made
    DWORD clrBk;
};
constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
constexpr DWORD SHFS_HIDESTARTICON = 0x0020;
constexpr DWORD SHCMBF_HIDESIPBUTTON = 0x0004;
constexpr DWORD SHCMBF_HMENU = 0x0010;
BOOL SHFullScreen(HWND hwnd, DWORD state);
BOOL SHCreateMenuBar(SHMENUBARINFO* info);
// The bar's menu, for CheckMenuItem: SendMessageW(bar, SHCMBM_GETMENU, 0, 0).
constexpr UINT SHCMBM_GETMENU = 0x0402;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
// Shows or hides the check mark of command id in the bar's pop-up menus;
// answers the old state, or (DWORD)-1 when the menu has no such item.
DWORD CheckMenuItem(HMENU menu, UINT id, UINT check);
BOOL CommandBar_Show(HWND bar, BOOL show);
// A desktop's window can change size, and the program may then draw its
// screen at another density: the layer hands the top-level window
// WM_DPICHANGED (wParam MAKEWPARAM(dpi, dpi), lParam the new screen's
// const RECT*), but only once no modal loop runs, so a box, dialog or menu
// never sees the density change under it. The window's answer is to call
// SetScreenDensity and lay itself out again. The handheld's density never
// changed.
constexpr UINT WM_DPICHANGED = 0x02E0;
// The screen becomes width x height pixels at dpi, all to be repainted;
// windows keep their places in pixels until moved.
BOOL SetScreenDensity(int dpi, int width, int height);
// A moment for the player to see a move: every pending paint is dispatched
// and presented, then the layer waits up to ms milliseconds, dispatching
// nothing. FALSE at once when pauses are off (a backend's choice), a modal
// loop runs or a press, key or close request waits; FALSE too when one
// arrives during the wait, left queued for after the move. what names the
// pause for a backend that records instead of waiting.
BOOL PauseToShow(DWORD ms, const char* what);
// A desktop's window can leave the display's full area and come back to it
// (F11); the handheld's window never left it. Recorded as "ToggleFullScreen".
BOOL ToggleFullScreenWindow(HWND hwnd);

// The clock, in UTC.
void GetSystemTime(SYSTEMTIME* st);

// The registry: the current user's named 32-bit values, kept in
// $XDG_CONFIG_HOME/velmora/settings.ini. Key and value names compare without
// regard to case. Every read looks at the file afresh; every write replaces
// it atomically, so two running copies share one registry.
struct HKEY__;
using HKEY = HKEY__*;
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t{0x80000001});

constexpr DWORD REG_DWORD = 4;
constexpr DWORD KEY_QUERY_VALUE = 0x0001;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_WRITE_FAULT = 29;
constexpr LONG ERROR_READ_FAULT = 30;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;

// A key exists once a value has been written to it (or to a key below it);
// creating a key writes nothing by itself.
LONG RegOpenKeyExW(HKEY key, const wchar_t* subKey, DWORD options, DWORD access, HKEY* result);
LONG RegCreateKeyExW(HKEY key, const wchar_t* subKey, DWORD reserved, wchar_t* cls, DWORD options,
                     DWORD access, void* security, HKEY* result, DWORD* disposition);
// Only REG_DWORD values are stored: 4 bytes, little-endian.
LONG RegQueryValueExW(HKEY key, const wchar_t* name, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
LONG RegSetValueExW(HKEY key, const wchar_t* name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);
LONG RegCloseKey(HKEY key);
// Our own, for values that several running copies share. Each reads the
// stored value afresh and writes under the store's one lock: the first adds
// to it (a missing value counting 0) and gives back the new total; the
// second writes only where no value is stored.
LONG PlatformRegAddValue(HKEY key, const wchar_t* name, DWORD add, DWORD* total);
LONG PlatformRegSetValueIfAbsent(HKEY key, const wchar_t* name, DWORD value);
// Several values of one key read afresh and rewritten under one hold of the
// lock, so that values kept together change together. update finds each
// stored value in values[i] (0 where none is stored) and leaves there what
// is to be stored; a value it leaves as it was is not written, nor a 0 where
// none was stored.
using PlatformValuesUpdate = void (*)(DWORD* values, int count, void* context);
LONG PlatformRegUpdateValues(HKEY key, const wchar_t* const* names, int count,
                             PlatformValuesUpdate update, void* context);

// Stands in for $XDG_CONFIG_HOME (tests, replays); null goes back to the
// environment.
void PlatformSetConfigHome(const char* dir);
// For benchmarks: an empty registry held in memory, with no file behind it.
void PlatformUseMemoryRegistry(bool on);

#include "platform/dialogs.h"
#include "platform/gdi.h"

// Formatting as the device does it: %s takes a wide string and %S a narrow
// (UTF-8) one, %c a wide character and %C a narrow one ("l" and "h" force
// wide or narrow), %d %i %u %x %X take 32-bit integers, %p a pointer;
// flags '-', '0', '#', a width and a precision; no floating point and no
// '*'. The output, terminator included, stops at kWsprintfMax characters.
// Returns the number of characters written before the terminator.
constexpr int kWsprintfMax = 1024;
int wsprintfW(wchar_t* out, const wchar_t* format, ...);
int wvsprintfW(wchar_t* out, const wchar_t* format, va_list args);

// Starting another program. The only one known is the help viewer,
// "peghelp.exe", whose command line "file:NAME#ANCHOR" opens the page NAME
// found beside the executable, or else in ../share/velmora/ from the
// executable's folder, with the desktop's opener. A page found nowhere
// starts nothing. Every other program, and every structure argument, is
// refused or ignored; no process information is returned.
struct SECURITY_ATTRIBUTES;
struct STARTUPINFOW;
struct PROCESS_INFORMATION;
BOOL CreateProcessW(const wchar_t* applicationName, wchar_t* commandLine,
                    SECURITY_ATTRIBUTES* processAttributes, SECURITY_ATTRIBUTES* threadAttributes,
                    BOOL inheritHandles, DWORD creationFlags, void* environment,
                    const wchar_t* currentDirectory, STARTUPINFOW* startupInfo,
                    PROCESS_INFORMATION* processInformation);
// Stands in for the executable's folder when looking for the program's
// pages (tests); null goes back to the executable's own.
void PlatformSetProgramFolder(const char* dir);
