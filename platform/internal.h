// The layer's own records behind the handles. Only platform/ sees these.
#pragma once

#include <bitset>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/region.h"

enum class GdiKind { Region, Brush, Bitmap, Font };

// The header every drawing object starts with; handles point at it.
struct GdiObject {
    GdiKind kind;
    int selections = 0;    // contexts holding it
    bool deleted = false;  // deleted while selected: freed once let go
    explicit GdiObject(GdiKind k) : kind(k) {}
    virtual ~GdiObject() = default;
};

struct HRGN__ : GdiObject {
    HRGN__() : GdiObject(GdiKind::Region) {}
    Region region;
};

// A plain 32-bit pixel buffer (0x00RRGGBB), owned by the layer.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    bool mono = false;  // holds only black and white
};

// An icon: a colour image and a monochrome mask of the same size, black
// where the icon is opaque.
struct HICON__ {
    Surface color;
    Surface mask;
};

struct WindowClass {
    std::wstring name;
    WNDCLASSW wc;
};

struct HWND__ {
    const WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    HWND parent = nullptr;
    std::wstring title;
    DWORD style = 0;
    RECT rect{};  // in screen pixels; the client area is all of it
    bool visible = false;
    bool destroying = false;
    Region update;  // in client pixels
    bool erasePending = false;
    bool enabled = true;        // a disabled window gets no input
    void* layerData = nullptr;  // state of the layer's own windows (boxes)
};

struct HDC__ {
    HWND window = nullptr;  // null for the screen
    Surface* surface = nullptr;
    POINT origin{};  // where the context's (0, 0) lies on the surface
    Region clip;     // in the context's own coordinates
    bool fromPaint = false;
    // Drawing state; null objects stand for the defaults (the white brush,
    // the screen's default font, a memory context's 1 x 1 monochrome bitmap).
    bool memory = false;
    HBITMAP__* bitmap = nullptr;
    HBRUSH__* brush = nullptr;
    HFONT__* font = nullptr;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
};

// The state of the whole layer: one screen, one stack of windows, one queue.
struct PlatformState {
    Surface screen;
    bool screenAvailable = true;
    int dpiX = 96;
    int dpiY = 96;
    std::vector<std::unique_ptr<WindowClass>> classes;
    std::vector<std::unique_ptr<HWND__>> windows;  // bottom first: the stacking order
    HWND foreground = nullptr;
    // Queues, short and taken mostly from the front: vectors keep their
    // room, where a deque would allocate afresh as it empties and fills.
    std::vector<MSG> posted;
    std::vector<MSG> input;
    bool quitPending = false;
    // The user asked to close the program (window close button, a signal).
    // Modal loops end with their safe answer; once none runs, the first
    // top-level window is sent WM_CLOSE.
    bool closePending = false;
    int modalDepth = 0;  // nested modal loops running now
    // The last press given to a window with the double-click style.
    struct {
        HWND hwnd = nullptr;
        DWORD time = 0;
        POINT pt{};
        bool wasDouble = false;
    } lastPress;
    bool paintsDispatched = true;  // off: a pending paint is validated unseen
    // A density the backend asks for, with its screen's size; handed out as
    // WM_DPICHANGED when no modal loop runs (0: none waiting).
    int pendingDpi = 0;
    SIZE pendingScreen{};
    bool pausesOn = false;  // the backend shows pauses (PauseToShow)
    // Keys held, as told by the key messages taken from the queue so far.
    std::bitset<256> keysDown;
    int quitCode = 0;
    std::vector<std::unique_ptr<HDC__>> dcs;
    std::vector<std::unique_ptr<GdiObject>> objects;
    std::vector<std::unique_ptr<HICON__>> icons;
};

PlatformState& Layer();

// Resets the layer to no windows, no queue and a screen of the given size
// and density. Windows are dropped without messages.
void PlatformReset(int width, int height, int dpiX, int dpiY);

HWND__* FindWindowRecord(HWND hwnd);
HDC__* FindDc(HDC hdc);
// The margin's lines painted on a surface of that size; false when there is
// nothing to show or no room for a readable line.
bool PaintMarginText(int width, int height, Surface* out);
GdiObject* FindObject(const void* obj, GdiKind kind);
// Any live drawing object, stock ones included.
GdiObject* FindAnyObject(const void* obj);
HDC NewDc(HWND window, Surface* surface, POINT origin, const Region& clip);
void FreeDc(HDC hdc);

// Grows the update region without telling the backend: for changes the
// layer makes itself (a window shown or uncovered), not the program's requests.
void AddToUpdate(HWND__* w, const RECT* clientRect, bool erase);

// Input from a backend, in screen pixels. When taken from the queue it goes
// to the topmost visible window under the point, in that window's client
// coordinates (keys to the foreground window); a disabled window drops it.
// A press with a time (milliseconds, never 0) may become WM_LBUTTONDBLCLK
// for a window whose class asks for double clicks: a second press within
// 500 ms and 4 design units of the first; a third is a plain press again.
void PlatformPointerInput(UINT message, int x, int y, DWORD time = 0);
void PlatformKeyInput(UINT message, WPARAM key, LPARAM flags);
// A press, a key (not a repeat) or a close request waits in the queue.
bool PlatformPressWaiting();
// The window now wants the screen at another density (the last ask wins).
void PlatformDensityWanted(int dpi);
// The room the backend shows the screen in fits dpi best: another density
// is asked for, and the density the screen has cancels an ask not yet
// taken (the room is back to the size it had).
void PlatformDensityFits(int dpi);
// The program's window was asked to close (see closePending).
void PlatformRequestClose();
// The program's window gained the input focus: the foreground window hears
// WM_ACTIVATE.
void PlatformFocusGained();

// The wall clock as the system time (UTC), and a time of day on a fixed
// day, for a deal to be had again.
SYSTEMTIME WallClockNow();
SYSTEMTIME FixedTimeOfDay(int h, int m, int s, int ms);

// Starts a program from its argument vector without a shell and without
// waiting for it; false, with one line on standard error saying why, when
// it could not be started.
bool PlatformSpawnDetached(const std::vector<std::string>& argv);
// Shows a page of the program's own (a file name, no folder), at an anchor
// when one is given: the rules page of the help viewer.
bool PlatformOpenPage(const std::string& name, const std::string* anchor);

// Alt+F4 pressed: the window's close box, from the keyboard.
inline bool IsAltF4(UINT msg, WPARAM key, LPARAM flags) {
    return msg == WM_SYSKEYDOWN && key == VK_F4 && (flags & KF_ALTDOWN_LPARAM);
}

// UTF-8 of wide text into *out; false, with *out unspecified, for a NUL, a
// surrogate or a value beyond Unicode, which no file name or argument holds.
bool PlatformToUtf8(std::wstring_view text, std::string* out);

// Modal loops (message boxes, dialogs, menus) count themselves here so the
// close request waits for the outermost one.
struct ModalScope {
    ModalScope() { ++Layer().modalDepth; }
    ~ModalScope() { --Layer().modalDepth; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// An open message box: its window, texts, buttons and, once given, its answer.
struct MessageBox {
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
    RECT buttons[2]{};  // client pixels of the box window
    int ids[2]{};
    int buttonCount = 0;
    int answer = 0;  // 0 until answered
    // Client pixels of the parts drawn; the picture is null when none is shown.
    int captionHeight = 0;
    HICON picture = nullptr;
    POINT picturePlace{};
    RECT textRect{};
};
// The box shown in a window of the layer's box class, or null.
MessageBox* BoxOf(HWND hwnd);
