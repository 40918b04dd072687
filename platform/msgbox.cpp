// Message boxes: a window of the layer's own, centred on the screen, that
// runs a nested message loop until it is answered. While it is open every
// other window is disabled, so only the box takes input.
#include <algorithm>

#include "platform/backend.h"
#include "platform/internal.h"

namespace {

constexpr wchar_t kBoxClass[] = L"#VelmoraMessageBox";

int Scaled(int designUnits, int dpi) {
    return (designUnits * dpi + 48) / 96;
}

LRESULT BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MessageBox* box = BoxOf(hwnd);
    if (!box) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_LBUTTONDOWN: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            for (int i = 0; i < box->buttonCount; ++i)
                if (PtInRect(&box->buttons[i], p)) box->answer = box->ids[i];
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) box->answer = box->ids[0];
            if (wParam == VK_ESCAPE) box->answer = box->buttonCount == 2 ? IDNO : IDOK;
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void RegisterBoxClass() {
    for (const auto& c : Layer().classes)
        if (c->name == kBoxClass) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = BoxProc;
    wc.lpszClassName = kBoxClass;
    RegisterClassW(&wc);
}

// The box's place and its buttons, in pixels at the screen's density.
RECT LayOutBox(MessageBox& box) {
    const PlatformState& s = Layer();
    int width = std::min(s.screen.width - Scaled(16, s.dpiX), Scaled(220, s.dpiX));
    int height = Scaled(110, s.dpiY);
    int left = (s.screen.width - width) / 2;
    int top = (s.screen.height - height) / 2;
    bool yesNo = (box.type & 0x0F) == MB_YESNO;
    box.buttonCount = yesNo ? 2 : 1;
    box.ids[0] = yesNo ? IDYES : IDOK;
    box.ids[1] = IDNO;
    int bw = Scaled(60, s.dpiX), bh = Scaled(22, s.dpiY), gap = Scaled(12, s.dpiX);
    int total = box.buttonCount * bw + (box.buttonCount - 1) * gap;
    int x = (width - total) / 2, y = height - bh - Scaled(10, s.dpiY);
    for (int i = 0; i < box.buttonCount; ++i, x += bw + gap)
        box.buttons[i] = {x, y, x + bw, y + bh};
    return {left, top, left + width, top + height};
}

int SafeAnswer(const MessageBox& box) {
    return box.buttonCount == 2 ? IDNO : IDOK;
}

}  // namespace

MessageBox* BoxOf(HWND hwnd) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || !w->cls || w->cls->name != kBoxClass) return nullptr;
    return static_cast<MessageBox*>(w->layerData);
}

int MessageBoxW(HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
    RegisterBoxClass();
    MessageBox box;
    box.text = text ? text : L"";
    box.caption = caption ? caption : L"";
    box.type = type;
    RECT r = LayOutBox(box);
    BackendBoxOpened(box.text.c_str(), box.caption.c_str(), type);

    // Only the box takes input while it is open.
    std::vector<HWND> disabled;
    for (const auto& w : Layer().windows)
        if (w->enabled) {
            w->enabled = false;
            disabled.push_back(w.get());
        }
    HWND hwnd =
        CreateWindowExW(0, kBoxClass, box.caption.c_str(), 0, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    if (hwnd) {
        FindWindowRecord(hwnd)->layerData = &box;
        ShowWindow(hwnd, SW_SHOW);
    }

    bool quit = false;
    int quitCode = 0;
    while (box.answer == 0 && hwnd) {
        MSG msg;
        // Everything already waiting runs first, paints included.
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(msg.wParam);
                box.answer = SafeAnswer(box);
                break;
            }
            DispatchMessageW(&msg);
            continue;
        }
        if (BackendTakeBoxAnswer(&box.answer)) break;
        // No more input will ever come: the box takes its first button.
        if (!BackendFetchInput(true)) box.answer = box.ids[0];
    }
    if (!hwnd) box.answer = box.ids[0];

    if (hwnd) {
        FindWindowRecord(hwnd)->layerData = nullptr;
        DestroyWindow(hwnd);
    }
    for (HWND w : disabled)
        if (HWND__* rec = FindWindowRecord(w)) rec->enabled = true;
    if (quit) PostQuitMessage(quitCode);  // the loop outside must end too
    return box.answer;
}
