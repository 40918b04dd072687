// The in-memory backend: a screen of a chosen size and density, a clock
// that stands still until set, input injected by the caller, and a record
// of every rectangle the program asked to repaint.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

struct Surface;

struct Invalidation {
    HWND hwnd;
    RECT rect;  // client pixels, as the program asked, before clipping
};

// Starts the layer afresh: no windows, no queue, a screen of width x height
// pixels at the given density, a clock at 12:00:00.000, an empty record.
void HeadlessStart(int dpiX, int dpiY, int width, int height);
// The layer afresh for a program started again in this process: the screen
// keeps its size and density, the clock, the input source and what was
// recorded for the script stay; windows, queues and keys held are gone.
void HeadlessRestart();
// The device screen of 240 x 320 design units at one density.
void HeadlessStartAtDpi(int dpi);
// As a window resized to fit the screen at dpi: the program is handed
// WM_DPICHANGED once no modal loop runs.
void HeadlessWantDensity(int dpi);
// The colour the program last gave for the margin around the screen, or
// 0xFFFFFFFF when none yet.
COLORREF HeadlessMarginColour();

// Pauses (PauseToShow), off unless set: each is recorded, never waited.
struct PauseRecord {
    std::string what;
    DWORD ms;
    bool screenCurrent;  // nothing waited to be repainted as it began
};
void HeadlessSetPauses(bool on);
const std::vector<PauseRecord>& HeadlessPauses();
void HeadlessClearPauses();

// When unavailable, GetDC on the screen fails, as on a device without one.
void HeadlessSetScreenAvailable(bool available);
void HeadlessSetClock(const SYSTEMTIME& time);
void HeadlessSetClock(int hour, int minute, int second, int millisecond);

// Input in screen pixels, delivered through the message queue. A press
// with a time (ms, not 0) may become a double click, as on a real screen.
void HeadlessPointer(UINT message, int x, int y, DWORD time = 0);
void HeadlessTap(int x, int y);
void HeadlessKey(UINT message, WPARAM key, LPARAM flags);
// The window's close button: open boxes and dialogs take their safe
// answer, then the main window is closed.
void HeadlessRequestClose();
// The program's window gained the input focus.
void HeadlessFocusGained();

// Asked for more input when the queue and every update region are empty;
// returns false when there will be no more. Without a source, input ends
// as soon as the queue drains.
void HeadlessSetInputSource(std::function<bool()> source);

// With drawing off, a window's pending paint is validated instead of sent:
// for self-play that times or checks the game alone. Repaint requests are
// recorded and the update region grows exactly as with drawing on.
void HeadlessSetDrawing(bool on);

// Dispatches every posted message, input and paint there is, as the main
// loop would, without asking the input source for more. Returns the count.
int HeadlessPump();

struct BoxRecord {
    std::wstring text;
    std::wstring caption;
    UINT flags;
};
// Every message box opened since the start (or the last clear).
const std::vector<BoxRecord>& HeadlessBoxes();
void HeadlessClearBoxes();
// Answers the open box, or the next one to open, once pending messages
// have run. Answers queue up in order.
void HeadlessQueueBoxAnswer(int answer);
// How many boxes are open now (nested boxes count each).
int HeadlessOpenBoxes();

struct ShellCall {
    std::string name;
    HWND hwnd;
    DWORD value;
};
// Every shell call since the start; the screen is fixed.
const std::vector<ShellCall>& HeadlessShellCalls();
// Called at each shell call as it happens, after it is recorded: lets a
// test look at the program's state at that moment.
void HeadlessOnShellCall(std::function<void(const ShellCall&)> hook);

// The menu bar and its menus, in screen pixels, for tests and drivers that
// work them with taps. The topmost visible bar, or null.
HWND HeadlessMenuBar();
// A bar's item by its text in any case, or -1; its place; whether it opens
// a menu (or is a command of its own).
int HeadlessMenuBarItem(HWND bar, const wchar_t* text);
bool HeadlessMenuBarItemRect(HWND bar, int index, RECT* rect);
bool HeadlessMenuBarItemOpensMenu(HWND bar, int index);
// The bar item whose menu is open now, or -1; the open menu's items: by
// text, their places and the highlighted one (-1 for none).
int HeadlessOpenMenu();
int HeadlessMenuItem(const wchar_t* text);
bool HeadlessMenuItemRect(int index, RECT* rect);
int HeadlessMenuHighlight();

// Every program the layer was asked to start, as its argument vector.
const std::vector<std::vector<std::string>>& HeadlessLaunches();

const std::vector<Invalidation>& HeadlessInvalidations();
void HeadlessClearInvalidations();
int HeadlessPresentCount();
const Surface& HeadlessScreen();
// One pixel of the screen, or CLR_INVALID outside it.
COLORREF HeadlessPixel(int x, int y);
// Writes the screen as a PNG file; false if it cannot be written.
bool HeadlessSaveScreenshot(const char* path);

// Dialogs, for tests and drivers that work them through input only.
// The open (topmost) dialog's template resource id, or -1 when none is
// open or it was not made from a resource.
int HeadlessOpenDialog();
// A control of the open dialog, in screen pixels; false when it has none.
bool HeadlessControlRect(int id, RECT* rect);
// Item n of a list box, or of a combo box's list once it is open, in
// screen pixels; false when that item is not shown now.
bool HeadlessListItemRect(int id, int n, RECT* rect);
// The close box in the open dialog's caption, in screen pixels.
bool HeadlessDialogCloseBox(RECT* rect);
// A check box's state (0 or 1) or a list's or combo box's choice (-1 for
// none) in the open dialog; -1 for any other control or none.
int HeadlessControlState(int id);
// The control of the open dialog that has the focus mark, or -1.
int HeadlessFocusedControl();
