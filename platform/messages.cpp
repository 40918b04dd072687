// The message queue, sending, dispatching and the default procedure.
#include <algorithm>
#include <cstdlib>

#include "platform/backend.h"
#include "platform/internal.h"
#include "platform/menus.h"
#include "platform/store_file.h"

namespace {

bool Matches(const MSG& m, HWND hwnd, UINT lo, UINT hi) {
    if (hwnd && m.hwnd != hwnd) return false;
    if (lo == 0 && hi == 0) return true;
    return m.message >= lo && m.message <= hi;
}

bool TakeFrom(std::vector<MSG>& queue, MSG* out, HWND hwnd, UINT lo, UINT hi, bool remove) {
    auto it = std::find_if(queue.begin(), queue.end(),
                           [&](const MSG& m) { return Matches(m, hwnd, lo, hi); });
    if (it == queue.end()) return false;
    *out = *it;
    if (remove) queue.erase(it);
    return true;
}

// Input is given its window when it is taken, not when it arrives: a box
// opened by one press receives the release queued behind it.
bool Route(MSG& m) {
    PlatformState& s = Layer();
    if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
        for (auto it = s.windows.rbegin(); it != s.windows.rend(); ++it) {
            HWND__* w = it->get();
            if (!w->visible || w->destroying || !PtInRect(&w->rect, m.pt)) continue;
            if (!w->enabled) return false;  // a disabled window swallows the press
            m.hwnd = w;
            m.lParam = MAKELPARAM(m.pt.x - w->rect.left, m.pt.y - w->rect.top);
            return true;
        }
        return false;
    }
    m.hwnd = s.foreground;
    return m.hwnd && m.hwnd->enabled;
}

int Distance4Units() {
    return (4 * Layer().dpiX + 48) / 96;
}

// A timed press on a window whose class takes double clicks becomes one
// when it follows a single press closely enough.
void MakeDoubleClick(MSG& m) {
    auto& last = Layer().lastPress;
    if (m.message != WM_LBUTTONDOWN || m.time == 0 || !m.hwnd->cls ||
        !(m.hwnd->cls->wc.style & CS_DBLCLKS)) {
        if (m.message == WM_LBUTTONDOWN) last = {};
        return;
    }
    bool quick = last.hwnd == m.hwnd && !last.wasDouble && m.time - last.time <= 500 &&
                 std::abs(m.pt.x - last.pt.x) <= Distance4Units() &&
                 std::abs(m.pt.y - last.pt.y) <= Distance4Units();
    last = {m.hwnd, m.time, m.pt, quick};
    if (quick) m.message = WM_LBUTTONDBLCLK;
}

// A key message leaving the queue, taken or dropped, sets the key's state,
// so GetKeyState answers for the moment the message was made.
void NoteKey(const MSG& m) {
    if (m.message < WM_KEYDOWN || m.message > WM_SYSKEYUP || m.wParam > 255) return;
    Layer().keysDown[m.wParam] = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
}

bool TakeInput(MSG* out, HWND hwnd, UINT lo, UINT hi, bool remove) {
    auto& input = Layer().input;
    for (size_t i = 0; i < input.size();) {
        MSG m = input[i];
        if (!Route(m)) {
            NoteKey(m);
            input.erase(input.begin() + static_cast<long>(i));  // nobody takes it
            continue;
        }
        if (Matches(m, hwnd, lo, hi)) {
            if (remove) {
                MakeDoubleClick(m);
                NoteKey(m);
                input.erase(input.begin() + static_cast<long>(i));
            }
            *out = m;
            return true;
        }
        ++i;
    }
    return false;
}

HWND FirstTopLevelWindow() {
    for (const auto& w : Layer().windows)
        if (!w->parent && !w->destroying) return w.get();
    return nullptr;
}

// The device's order: posted messages, then the quit request, then input,
// and a paint only once all of those are drained. A close request waits
// until no modal loop runs.
bool TakeNext(MSG* out, HWND hwnd, UINT lo, UINT hi, bool remove) {
    PlatformState& s = Layer();
    if (TakeFrom(s.posted, out, hwnd, lo, hi, remove)) return true;
    if (s.closePending && s.modalDepth == 0) {
        HWND target = FirstTopLevelWindow();
        if (!target) {
            s.closePending = false;
        } else if (!hwnd || hwnd == target) {
            *out = MSG{target, WM_CLOSE, 0, 0, 0, {0, 0}};
            if (remove) s.closePending = false;
            return true;
        }
    }
    if (s.pendingDpi > 0 && s.modalDepth == 0) {
        HWND target = FirstTopLevelWindow();
        if (target && Matches(MSG{target, WM_DPICHANGED, 0, 0, 0, {}}, hwnd, lo, hi)) {
            static RECT screen;  // lives past the call that reads it
            screen = {0, 0, s.pendingScreen.cx, s.pendingScreen.cy};
            const int dpi = s.pendingDpi;
            *out =
                MSG{target, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&screen),
                    0,      {0, 0}};
            if (remove) s.pendingDpi = 0;
            return true;
        }
    }
    if (s.quitPending) {
        *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0, 0, {0, 0}};
        if (remove) s.quitPending = false;
        return true;
    }
    if (TakeInput(out, hwnd, lo, hi, remove)) return true;
    for (auto it = s.windows.rbegin(); it != s.windows.rend(); ++it) {
        HWND__* w = it->get();
        if (!w->visible || w->update.Empty()) continue;
        if (!s.paintsDispatched) {
            ValidateRect(w, nullptr);
            continue;
        }
        MSG paint{w, WM_PAINT, 0, 0, 0, {0, 0}};
        if (!Matches(paint, hwnd, lo, hi)) continue;
        *out = paint;
        return true;
    }
    return false;
}

void Enqueue(std::vector<MSG>& queue, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
             POINT pt) {
    queue.push_back(MSG{hwnd, message, wParam, lParam, 0, pt});
}

}  // namespace

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || !w->proc) return 0;
    return w->proc(hwnd, msg, wParam, lParam);
}

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !IsWindow(hwnd)) return FALSE;
    Enqueue(Layer().posted, hwnd, msg, wParam, lParam, {0, 0});
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    Layer().quitPending = true;
    Layer().quitCode = exitCode;
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg) return FALSE;
    BackendFetchInput(false);
    for (;;) {
        if (TakeNext(msg, hwnd, filterMin, filterMax, true)) {
            StoreActionBegins();
            return msg->message != WM_QUIT;
        }
        if (!BackendFetchInput(true)) {
            StoreActionBegins();
            // Nothing will ever arrive again: every loop, nested or not, ends.
            *msg = MSG{nullptr, WM_QUIT, 0, 0, 0, {0, 0}};
            return FALSE;
        }
    }
}

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
    if (!msg) return FALSE;
    BackendFetchInput(false);
    const bool remove = (removeMsg & PM_REMOVE) != 0;
    if (!TakeNext(msg, hwnd, filterMin, filterMax, remove)) return FALSE;
    if (remove) StoreActionBegins();
    return TRUE;
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    return SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return 0;
    switch (msg) {
        case WM_SETTEXT: {
            const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
            w->title = text ? text : L"";
            BackendTitleChanged(hwnd);
            return TRUE;
        }
        case WM_PAINT: {
            // A window that does not paint still has its region validated,
            // or the queue would hand out the same paint for ever.
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (wParam == VK_F10) OpenMenuByKey(hwnd);
            return 0;
        default:
            return 0;
    }
}

void PlatformPointerInput(UINT message, int x, int y, DWORD time) {
    WPARAM keys = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
    Enqueue(Layer().input, nullptr, message, keys, 0, {x, y});
    Layer().input.back().time = time;
}

void PlatformRequestClose() {
    Layer().closePending = true;
}

void PlatformFocusGained() {
    if (HWND w = Layer().foreground) PostMessageW(w, WM_ACTIVATE, 1, 0);
}

bool PlatformPressWaiting() {
    const PlatformState& s = Layer();
    if (s.closePending) return true;
    for (const MSG& m : s.input) {
        const bool press = m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONDBLCLK ||
                           m.message == WM_SYSKEYDOWN ||
                           (m.message == WM_KEYDOWN && !(m.lParam & KF_REPEAT_LPARAM));
        if (press) return true;
    }
    return false;
}

BOOL PauseToShow(DWORD ms, const char* what) {
    PlatformState& s = Layer();
    if (!s.pausesOn || ms == 0 || s.modalDepth > 0) return FALSE;
    BackendFetchInput(false);
    if (PlatformPressWaiting()) return FALSE;
    // Topmost first, as the queue hands paints out.
    std::vector<HWND> windows;
    for (auto it = s.windows.rbegin(); it != s.windows.rend(); ++it)
        windows.push_back(it->get());
    for (HWND w : windows)
        if (IsWindow(w) && w->visible && !w->update.Empty()) {
            if (s.paintsDispatched) {
                SendMessageW(w, WM_PAINT, 0, 0);
            } else {
                ValidateRect(w, nullptr);
            }
        }
    return BackendPause(ms, what) ? TRUE : FALSE;
}

SHORT GetKeyState(int key) {
    if (key < 0 || key > 255 || !Layer().keysDown[static_cast<size_t>(key)]) return 0;
    return static_cast<SHORT>(0x8000);
}

void PlatformKeyInput(UINT message, WPARAM key, LPARAM flags) {
    Enqueue(Layer().input, nullptr, message, key, flags, {0, 0});
}
