// Window classes, windows and their stacking.
#include <algorithm>
#include <cwchar>

#include "platform/internal.h"

namespace {

constexpr WPARAM kWaInactive = 0;
constexpr WPARAM kWaActive = 1;

const WindowClass* FindClass(const wchar_t* name) {
    if (!name) return nullptr;
    for (const auto& c : Layer().classes)
        if (c->name == name) return c.get();
    return nullptr;
}

RECT ClientOf(const HWND__* w) {
    return {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
}

// The area a window leaves behind must be repainted by every window below
// it; nothing is erased, each window paints its own background.
void Uncover(HWND__* gone, const RECT& area) {
    for (const auto& w : Layer().windows) {
        if (w.get() == gone) break;  // only the windows beneath it
        if (!w->visible) continue;
        RECT overlap;
        if (!IntersectRect(&overlap, &area, &w->rect)) continue;
        OffsetRect(&overlap, -w->rect.left, -w->rect.top);
        AddToUpdate(w.get(), &overlap, false);
    }
}

void Activate(HWND hwnd) {
    PlatformState& s = Layer();
    if (s.foreground == hwnd) return;
    HWND old = s.foreground;
    s.foreground = hwnd;
    if (old) SendMessageW(old, WM_ACTIVATE, kWaInactive, reinterpret_cast<LPARAM>(hwnd));
    if (hwnd) SendMessageW(hwnd, WM_ACTIVATE, kWaActive, reinterpret_cast<LPARAM>(old));
}

HWND TopVisibleWindow() {
    auto& windows = Layer().windows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if ((*it)->visible && !(*it)->parent && !(*it)->destroying) return it->get();
    return nullptr;
}

}  // namespace

HWND__* FindWindowRecord(HWND hwnd) {
    if (!hwnd) return nullptr;
    // The layer is one object for the whole process; asked for once here,
    // since every repaint request comes this way.
    static PlatformState& layer = Layer();
    for (const auto& w : layer.windows)
        if (w.get() == hwnd) return w.get();
    return nullptr;
}

ATOM RegisterClassW(const WNDCLASSW* wc) {
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc || FindClass(wc->lpszClassName)) return 0;
    auto cls = std::make_unique<WindowClass>();
    cls->name = wc->lpszClassName;
    cls->wc = *wc;
    cls->wc.lpszClassName = nullptr;  // the copy in name is the one kept
    auto& classes = Layer().classes;
    classes.push_back(std::move(cls));
    return static_cast<ATOM>(0xC000 + classes.size());
}

BOOL UnregisterClassW(const wchar_t* className, HINSTANCE) {
    auto& classes = Layer().classes;
    const WindowClass* cls = FindClass(className);
    if (!cls) return FALSE;
    for (const auto& w : Layer().windows)
        if (w->cls == cls) return FALSE;
    classes.erase(std::find_if(classes.begin(), classes.end(),
                               [&](const auto& c) { return c.get() == cls; }));
    return TRUE;
}

HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                     DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                     HINSTANCE instance, void* param) {
    const WindowClass* cls = FindClass(className);
    if (!cls) return nullptr;
    PlatformState& s = Layer();
    auto record = std::make_unique<HWND__>();
    record->cls = cls;
    record->proc = cls->wc.lpfnWndProc;
    record->parent = FindWindowRecord(parent);
    record->title = windowName ? windowName : L"";
    record->style = style & ~WS_VISIBLE;
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) {
        width = s.screen.width - x;
        height = s.screen.height - y;
    }
    record->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    HWND hwnd = record.get();
    s.windows.push_back(std::move(record));

    CREATESTRUCTW cs{
        param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) return nullptr;  // it destroyed itself while being created
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || w->destroying) return FALSE;
    w->destroying = true;
    PlatformState& s = Layer();
    if (w->visible) Uncover(w, w->rect);
    w->visible = false;
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    // Children go with their parent, after it has heard of its own end.
    for (;;) {
        auto child = std::find_if(s.windows.begin(), s.windows.end(), [&](const auto& c) {
            return c->parent == hwnd && !c->destroying;
        });
        if (child == s.windows.end()) break;
        DestroyWindow(child->get());
    }
    std::erase_if(s.posted, [&](const MSG& m) { return m.hwnd == hwnd; });
    std::erase_if(s.windows, [&](const auto& r) { return r.get() == hwnd; });
    if (s.foreground == hwnd) {
        s.foreground = nullptr;
        Activate(TopVisibleWindow());
    }
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return FindWindowRecord(hwnd) != nullptr;
}

BOOL IsWindowVisible(HWND hwnd) {
    HWND__* w = FindWindowRecord(hwnd);
    return w && w->visible;
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    BOOL wasVisible = w->visible;
    if (cmdShow == SW_HIDE) {
        if (w->visible) {
            w->visible = false;
            Uncover(w, w->rect);
            if (Layer().foreground == hwnd) {
                Layer().foreground = nullptr;
                Activate(TopVisibleWindow());
            }
        }
        return wasVisible;
    }
    if (!w->visible) {
        w->visible = true;
        RECT client = ClientOf(w);
        AddToUpdate(w, &client, true);
    }
    if (!w->parent) Activate(hwnd);
    return wasVisible;
}

BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    RECT old = w->rect;
    RECT next = old;
    if (!(flags & SWP_NOMOVE)) {
        OffsetRect(&next, x - old.left, y - old.top);
    }
    if (!(flags & SWP_NOSIZE)) {
        next.right = next.left + std::max(cx, 0);
        next.bottom = next.top + std::max(cy, 0);
    }
    if (next != old) {
        w->rect = next;
        if (w->visible) {
            Uncover(w, old);
            RECT client = ClientOf(w);
            AddToUpdate(w, &client, true);
        }
        // Children keep their place in their parent: a dialog's controls.
        int dx = next.left - old.left, dy = next.top - old.top;
        if (dx != 0 || dy != 0)
            for (const auto& child : Layer().windows)
                if (child->parent == hwnd)
                    SetWindowPos(child.get(), nullptr, child->rect.left + dx, child->rect.top + dy,
                                 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOW);
    return TRUE;
}

BOOL SetWindowTextW(HWND hwnd, const wchar_t* text) {
    if (!IsWindow(hwnd)) return FALSE;
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int GetWindowTextW(HWND hwnd, wchar_t* buffer, int maxCount) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || !buffer || maxCount <= 0) return 0;
    size_t n = std::min(w->title.size(), static_cast<size_t>(maxCount - 1));
    std::wmemcpy(buffer, w->title.data(), n);
    buffer[n] = L'\0';
    return static_cast<int>(n);
}

BOOL GetClientRect(HWND hwnd, RECT* r) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || !r) return FALSE;
    *r = ClientOf(w);
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* r) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || !r) return FALSE;
    *r = w->rect;
    return TRUE;
}

HWND GetForegroundWindow() {
    return Layer().foreground;
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    Activate(hwnd);
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return Layer().screen.width;
        case SM_CYSCREEN:
            return Layer().screen.height;
        default:
            return 0;
    }
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = !w->enabled;
    w->enabled = enable != 0;
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    HWND__* w = FindWindowRecord(hwnd);
    return w && w->enabled;
}
