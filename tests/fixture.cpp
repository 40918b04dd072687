#include "tests/fixture.h"

#include "ui/scale.h"

void HeadlessTest::StartScreen(int dpi) {
    HeadlessStartAtDpi(dpi);
    ForgetDensities();
}

HWND HeadlessTest::MakeWindow(WNDPROC proc) {
    static int serial = 0;
    std::wstring name = L"TestWindow" + std::to_wstring(++serial);
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name.c_str();
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, name.c_str(), L"test", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
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
