#include "platform/headless/headless.h"

#include <utility>

#include "platform/backend.h"
#include "platform/dialog_internal.h"
#include "platform/gdi_internal.h"
#include "platform/menus.h"

namespace {

struct HeadlessState {
    SYSTEMTIME clock{};
    std::function<bool()> source;
    std::vector<BoxRecord> boxes;
    std::vector<ShellCall> shellCalls;
    std::function<void(const ShellCall&)> shellHook;
    std::vector<std::vector<std::string>> launches;
    std::deque<int> answers;
    std::vector<PauseRecord> pauses;
    COLORREF margin = 0xFFFFFFFF;
    int presents = 0;
};

HeadlessState& State() {
    static HeadlessState state;
    return state;
}

// Apart from the rest, so the record taken at every repaint request needs
// no first-use check.
constinit std::vector<Invalidation> invalidations;

SYSTEMTIME Noon() {
    return SYSTEMTIME{2026, 1, 4, 1, 12, 0, 0, 0};
}

}  // namespace

void HeadlessStart(int dpiX, int dpiY, int width, int height) {
    PlatformReset(width, height, dpiX, dpiY);
    State() = HeadlessState{};
    invalidations.clear();
    State().clock = Noon();
}

void HeadlessRestart() {
    const PlatformState& s = Layer();
    const Surface screen = s.screen;
    const bool available = s.screenAvailable, paints = s.paintsDispatched, pauses = s.pausesOn;
    PlatformReset(screen.width, screen.height, s.dpiX, s.dpiY);
    Layer().screenAvailable = available;
    Layer().paintsDispatched = paints;
    Layer().pausesOn = pauses;
    invalidations.clear();
}

void HeadlessStartAtDpi(int dpi) {
    // The screen is 240 x 320 design units, rounded as the game rounds them.
    HeadlessStart(dpi, dpi, (dpi * 240 + 48) / 96, (dpi * 320 + 48) / 96);
}

void HeadlessSetDrawing(bool on) {
    Layer().paintsDispatched = on;
}

void HeadlessSetScreenAvailable(bool available) {
    Layer().screenAvailable = available;
}

void HeadlessSetClock(const SYSTEMTIME& time) {
    State().clock = time;
}

void HeadlessSetClock(int hour, int minute, int second, int millisecond) {
    SYSTEMTIME t = Noon();
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    t.wMilliseconds = static_cast<WORD>(millisecond);
    State().clock = t;
}

void HeadlessPointer(UINT message, int x, int y, DWORD time) {
    PlatformPointerInput(message, x, y, time);
}

void HeadlessTap(int x, int y) {
    PlatformPointerInput(WM_LBUTTONDOWN, x, y);
    PlatformPointerInput(WM_LBUTTONUP, x, y);
}

void HeadlessKey(UINT message, WPARAM key, LPARAM flags) {
    PlatformKeyInput(message, key, flags);
}

void HeadlessRequestClose() {
    PlatformRequestClose();
}

void HeadlessFocusGained() {
    PlatformFocusGained();
}

void HeadlessSetInputSource(std::function<bool()> source) {
    State().source = std::move(source);
}

int HeadlessPump() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // left for the real loop
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ++count;
    }
    return count;
}

const std::vector<Invalidation>& HeadlessInvalidations() {
    return invalidations;
}
void HeadlessClearInvalidations() {
    invalidations.clear();
}
int HeadlessPresentCount() {
    return State().presents;
}
const Surface& HeadlessScreen() {
    return Layer().screen;
}

COLORREF HeadlessPixel(int x, int y) {
    const Surface& s = Layer().screen;
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return CLR_INVALID;
    return ColorOf(Load(s, x, y));
}

bool HeadlessSaveScreenshot(const char* path) {
    return path && PlatformWritePng(path, Layer().screen);
}

void GetSystemTime(SYSTEMTIME* st) {
    if (st) *st = State().clock;
}

bool BackendFetchInput(bool block) {
    if (!block) return true;  // injected input is already queued
    const std::function<bool()>& source = State().source;
    return source && source();
}

void BackendNoteInvalidate(HWND hwnd, const RECT& rect) {
    invalidations.push_back({hwnd, rect});
}

void BackendTitleChanged(HWND) {}
void BackendScreenChanged() {}

// Recorded, never waited for; input already queued has cut it short.
bool BackendPause(DWORD ms, const char* what) {
    bool current = true;
    for (const auto& w : Layer().windows)
        current = current && (!w->visible || w->update.Empty());
    State().pauses.push_back({what ? what : "", ms, current});
    return true;
}

void HeadlessSetPauses(bool on) {
    Layer().pausesOn = on;
}

const std::vector<PauseRecord>& HeadlessPauses() {
    return State().pauses;
}

void HeadlessClearPauses() {
    State().pauses.clear();
}
void BackendMarginColour(COLORREF colour) {
    State().margin = colour;
}

void BackendMarginTextChanged() {}  // no margin: the screen is the window

COLORREF HeadlessMarginColour() {
    return State().margin;
}

void HeadlessWantDensity(int dpi) {
    PlatformDensityWanted(dpi);
}  // titles are read from the windows

void BackendPresent(const RECT&) {
    ++State().presents;
}

const std::vector<BoxRecord>& HeadlessBoxes() {
    return State().boxes;
}
void HeadlessClearBoxes() {
    State().boxes.clear();
}
void HeadlessQueueBoxAnswer(int answer) {
    State().answers.push_back(answer);
}

int HeadlessOpenBoxes() {
    int open = 0;
    for (const auto& w : Layer().windows)
        open += BoxOf(w.get()) != nullptr;
    return open;
}

void BackendBoxOpened(const wchar_t* text, const wchar_t* caption, UINT type) {
    State().boxes.push_back({text, caption, type});
}

bool BackendTakeBoxAnswer(int* answer) {
    auto& answers = State().answers;
    if (answers.empty()) return false;
    *answer = answers.front();
    answers.pop_front();
    return true;
}

const std::vector<ShellCall>& HeadlessShellCalls() {
    return State().shellCalls;
}

void HeadlessOnShellCall(std::function<void(const ShellCall&)> hook) {
    State().shellHook = std::move(hook);
}

void BackendShellCall(const char* name, HWND hwnd, DWORD value, HWND*) {
    State().shellCalls.push_back({name, hwnd, value});
    if (State().shellHook) State().shellHook(State().shellCalls.back());
}

HWND HeadlessMenuBar() {
    return TopMenuBar();
}

int HeadlessMenuBarItem(HWND bar, const wchar_t* text) {
    return MenuBarFindItem(bar, text);
}

bool HeadlessMenuBarItemRect(HWND bar, int index, RECT* rect) {
    return MenuBarItemRect(bar, index, rect);
}

bool HeadlessMenuBarItemOpensMenu(HWND bar, int index) {
    return MenuBarItemOpensMenu(bar, index);
}

int HeadlessOpenMenu() {
    return OpenMenuWindow() ? OpenMenuIndex() : -1;
}

int HeadlessMenuItem(const wchar_t* text) {
    return OpenMenuFindItem(text);
}

bool HeadlessMenuItemRect(int index, RECT* rect) {
    return OpenMenuItemRect(index, rect);
}

int HeadlessMenuHighlight() {
    return OpenMenuHighlight();
}

const std::vector<std::vector<std::string>>& HeadlessLaunches() {
    return State().launches;
}

bool BackendLaunch(const std::vector<std::string>& argv) {
    State().launches.push_back(argv);
    return true;
}

int HeadlessOpenDialog() {
    Dialog* d = TopDialog();
    return d ? d->resourceId : -1;
}

namespace {

Control* OpenDialogControl(int id) {
    Dialog* d = TopDialog();
    if (!d || id < 0) return nullptr;
    for (const auto& c : d->controls)
        if (c->id == id) return c.get();
    return nullptr;
}

}  // namespace

bool HeadlessControlRect(int id, RECT* rect) {
    Control* c = OpenDialogControl(id);
    return c && rect && GetWindowRect(c->hwnd, rect);
}

bool HeadlessListItemRect(int id, int n, RECT* rect) {
    Control* c = OpenDialogControl(id);
    return c && rect && ListItemRect(*c, n, rect);
}

bool HeadlessDialogCloseBox(RECT* rect) {
    Dialog* d = TopDialog();
    if (!d || !rect) return false;
    RECT box = CloseBoxOf(*d), window;
    GetWindowRect(d->hwnd, &window);
    OffsetRect(&box, window.left, window.top);
    *rect = box;
    return true;
}

int HeadlessControlState(int id) {
    Control* c = OpenDialogControl(id);
    if (!c) return -1;
    switch (c->kind) {
        case ControlKind::CheckBox:
            return c->checked ? 1 : 0;
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
            return c->selection;
        default:
            return -1;
    }
}

int HeadlessFocusedControl() {
    Dialog* d = TopDialog();
    return d && d->focus ? d->focus->id : -1;
}
