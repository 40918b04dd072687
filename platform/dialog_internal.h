// The records behind dialogs and their controls, shared by the dialog and
// control files and the backends. Only platform/ sees these.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/internal.h"

enum class ControlKind { Static, PushButton, CheckBox, ListBox, ComboBox, DropList };

// One control: a child window of its dialog whose rectangle is in screen
// pixels like every window's.
struct Control {
    ControlKind kind = ControlKind::Static;
    int id = -1;  // -1: none
    DWORD style = 0;
    HWND hwnd = nullptr;
    HWND dialog = nullptr;
    bool checked = false;
    std::vector<std::wstring> items;
    int selection = -1;
    int top = 0;               // the first item shown
    HWND dropped = nullptr;    // a combo box's open list
    Control* owner = nullptr;  // a drop list's combo box
    int highlight = -1;        // the item a drop list marks
    int dropHeight = 0;        // a combo box's room for its list, in pixels
    std::unique_ptr<Control> dropList;
};

// The dialog's pixel measures, from its font at the screen's density.
struct DialogUnits {
    int baseX = 0;  // mean width of A-Z and a-z
    int baseY = 0;  // the font's cell height
    // Dialog units to pixels, rounded to the nearest pixel. Edges are
    // converted rather than sizes, so neighbours keep meeting exactly.
    int X(int units) const { return (units * baseX * 2 + (units < 0 ? -4 : 4)) / 8; }
    int Y(int units) const { return (units * baseY * 2 + (units < 0 ? -8 : 8)) / 16; }
};

struct Dialog {
    const DLGTEMPLATE* dialogTemplate = nullptr;
    int resourceId = -1;  // the template's resource, when it came from one
    DLGPROC proc = nullptr;
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    HFONT font = nullptr;
    HFONT boldFont = nullptr;
    DialogUnits units;
    int frame = 1;          // the frame's thickness
    int captionHeight = 0;  // below the frame
    bool ended = false;
    INT_PTR result = 0;
    std::vector<std::unique_ptr<Control>> controls;  // template order
    Control* focus = nullptr;
    bool shiftDown = false;
};

// The palette the layer's boxes share: light face, dark ink.
constexpr COLORREF kDialogFrame = RGB(64, 64, 64);
constexpr COLORREF kDialogFace = RGB(255, 255, 255);
constexpr COLORREF kDialogCaption = RGB(32, 64, 128);
constexpr COLORREF kDialogButtonFace = RGB(232, 232, 232);
constexpr COLORREF kDialogShade = RGB(160, 160, 160);
constexpr COLORREF kDialogInk = RGB(0, 0, 0);

// Drawing helpers (platform/controls.cpp). Lines are one pixel per 96 dpi.
int LineWidth();
void FillBox(HDC hdc, const RECT& r, COLORREF color);
void FrameBox(HDC hdc, const RECT& r, int thickness, COLORREF color);
void DottedFrame(HDC hdc, const RECT& r, COLORREF color);
// A straight line of square dots, thickness pixels across.
void Stroke(HDC hdc, int x0, int y0, int x1, int y1, int thickness, COLORREF color);
void InflateBy(RECT* r, int dx, int dy);

// The dialog shown in hwnd, or null.
Dialog* DialogOf(HWND hwnd);
// The control shown in hwnd, or null.
Control* ControlOf(HWND hwnd);
// The topmost open dialog, or null.
Dialog* TopDialog();
// The close box of the dialog's caption, in its client pixels.
RECT CloseBoxOf(const Dialog& dialog);
// Where the dialog's content (the template's origin) lies on the screen.
POINT ContentOrigin(const Dialog& dialog);

// Moves the focus mark to a control (null: none) and repaints both.
void FocusControl(Dialog& dialog, Control* control);

// Controls (platform/controls.cpp).
void RegisterControlClasses();
// Makes the template item's control, hidden, as a child of the dialog.
Control* CreateControl(Dialog& dialog, const DialogItemTemplate& item);
// Item n of a list box or an open drop list, in screen pixels; false when
// it is not shown.
bool ListItemRect(const Control& list, int n, RECT* out);
// Keys the dialog hands to its focused control; true when taken.
bool ControlKey(Control& control, WPARAM key);
// Toggles a check box or presses a button, as Space or a tap does.
void PressControl(Control& control);
void OpenDropList(Control& combo);
// Closes a combo box's list; with pick, its marked item becomes the choice.
void CloseDropList(Control& combo, bool pick);
// The screen pixels a control's text has, and the format it is drawn with.
RECT ControlTextRect(const Control& control);
UINT ControlTextFormat(const Control& control);

// Dialog templates among the program's resources (platform/resources.cpp).
const DialogResource* FindDialogResource(HINSTANCE module, UINT id);
// The resource id of a compiled-in template, or -1.
int DialogResourceId(const DLGTEMPLATE* dialog);
