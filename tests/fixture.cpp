#include "tests/fixture.h"

#include <stdlib.h>

#include <filesystem>
#include <map>

#include "ui/scale.h"

void HeadlessTest::StartScreen(int dpi) {
    HeadlessStartAtDpi(dpi);
    ForgetDensities();
}

HWND HeadlessTest::MakeWindow(WNDPROC proc, UINT classStyle, const RECT* place) {
    static int serial = 0;
    std::wstring name = L"TestWindow" + std::to_wstring(++serial);
    WNDCLASSW wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name.c_str();
    RegisterClassW(&wc);
    const int d = CW_USEDEFAULT;
    const RECT r = place ? *place : RECT{d, d, d, d};
    HWND hwnd = CreateWindowExW(0, name.c_str(), L"test", WS_VISIBLE, r.left, r.top,
                                place ? r.right - r.left : d, place ? r.bottom - r.top : d, nullptr,
                                nullptr, nullptr, nullptr);
    HeadlessPump();
    HeadlessClearInvalidations();
    return hwnd;
}

std::vector<RECT> InvalidatedRects() {
    std::vector<RECT> rects;
    for (const Invalidation& inv : HeadlessInvalidations())
        rects.push_back(inv.rect);
    return rects;
}

std::vector<std::string> heard;

LRESULT Recorder(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    static const std::map<UINT, const char*> kPlain = {{WM_CREATE, "create"},
                                                       {WM_DESTROY, "destroy"},
                                                       {WM_LBUTTONUP, "up"},
                                                       {WM_LBUTTONDBLCLK, "double"}};
    if (auto plain = kPlain.find(msg); plain != kPlain.end()) {
        heard.push_back(plain->second);
        return 0;
    }
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT all;
            GetClientRect(hwnd, &all);
            HBRUSH brush = CreateSolidBrush(kRecorderColour);
            FillRect(dc, &all, brush);
            DeleteObject(brush);
            EndPaint(hwnd, &ps);
            heard.push_back("paint");
            return 0;
        }
        case WM_ERASEBKGND:
            heard.push_back("erase");
            return 1;
        case WM_LBUTTONDOWN:
            heard.push_back("down " + std::to_string(GET_X_LPARAM(l)) + "," +
                            std::to_string(GET_Y_LPARAM(l)));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            heard.push_back("key " + std::to_string(w));
            return DefWindowProcW(hwnd, msg, w, l);  // F10 opens the menu bar's menu
        case WM_COMMAND:
            heard.push_back("command " + std::to_string(w) + " " + std::to_string(l));
            return 0;
        case WM_ACTIVATE:
            heard.push_back("activate " + std::to_string(LOWORD(w)));
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, w, l);
    }
}

StepInput::StepInput(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
    HeadlessSetInputSource([this] {
        if (Done()) return false;
        RunNext();
        return true;
    });
}

TempFolder::TempFolder(std::string pattern) : path(mkdtemp(pattern.data()) ? pattern : "") {
    EXPECT_FALSE(path.empty()) << "no temporary folder";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}
