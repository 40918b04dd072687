#include <functional>
#include <string>
#include <tuple>

#include "tests/fixture.h"

namespace {

// Records what was posted to it, and the rest as Recorder does.
LRESULT Posted(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg != WM_USER) return Recorder(hwnd, msg, w, l);
    heard.push_back("posted " + std::to_string(w));
    return 0;
}

LRESULT RefuseCreation(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_CREATE) return -1;
    if (msg == WM_DESTROY) heard.push_back("destroy");
    return DefWindowProcW(hwnd, msg, w, l);
}

class MessagesTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        window = MakeWindow(Posted);
        heard.clear();
    }
    HWND window = nullptr;
};

// Each case acts on the window; then the queue is pumped.
TEST_F(MessagesTest, WhatRunsWhen) {
    const struct {
        const char* what;
        std::function<void(HWND)> act;
        int pumped;  // messages the pump then dispatched
        std::vector<std::string> heard;
    } kCases[] = {
        {.what = "posted messages first, then input, the paint last",
         .act =
             [](HWND w) {
                 InvalidateRect(w, nullptr, FALSE);
                 PostMessageW(w, WM_USER, 1, 0);
                 HeadlessTap(30, 40);
                 PostMessageW(w, WM_USER, 2, 0);
             },
         .pumped = 5,
         .heard = {"posted 1", "posted 2", "down 30,40", "up", "paint"}},
        {.what = "UpdateWindow paints at once, and only what is left",
         .act =
             [](HWND w) {
                 InvalidateRect(w, nullptr, FALSE);
                 UpdateWindow(w);
                 UpdateWindow(w);
             },
         .pumped = 0,
         .heard = {"paint"}},
        {.what = "the quit comes after the posted messages, with its code",
         .act =
             [](HWND w) {
                 PostMessageW(w, WM_USER, 7, 0);
                 PostQuitMessage(3);
                 PostMessageW(w, WM_USER, 8, 0);
                 MSG msg;
                 while (GetMessageW(&msg, nullptr, 0, 0))
                     DispatchMessageW(&msg);
                 EXPECT_EQ(msg.message, WM_QUIT);
                 EXPECT_EQ(msg.wParam, 3u);
             },
         .pumped = 0,
         .heard = {"posted 7", "posted 8"}},
        {.what = "the loop asks the source only when idle, and ends with it",
         .act =
             [](HWND w) {
                 int asked = 0;
                 HeadlessSetInputSource([&] {
                     if (++asked > 2) return false;
                     HeadlessTap(10 * asked, 5);
                     InvalidateRect(w, nullptr, FALSE);
                     return true;
                 });
                 MSG msg;
                 while (GetMessageW(&msg, nullptr, 0, 0))
                     DispatchMessageW(&msg);
                 EXPECT_EQ(asked, 3);
                 EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE) << "and stays ended";
                 HeadlessSetInputSource(nullptr);
             },
         .pumped = 0,
         .heard = {"down 10,5", "up", "paint", "down 20,5", "up", "paint"}},
        {.what = "the close request and focus reach the first window; DefWindowProcW destroys",
         .act =
             [](HWND) {
                 HeadlessFocusGained();
                 HeadlessRequestClose();
             },
         .pumped = 2,
         .heard = {"activate 1", "destroy"}},
        {.what = "a window made, then destroyed: the one beneath is active and repainted, and what "
                 "was posted to the dead one is dropped",
         .act =
             [](HWND w) {
                 HWND second = MakeWindow(Posted);
                 PostMessageW(second, WM_USER, 9, 0);
                 EXPECT_TRUE(DestroyWindow(second));
                 EXPECT_FALSE(IsWindow(second));
                 EXPECT_FALSE(DestroyWindow(second));
                 EXPECT_EQ(SendMessageW(second, WM_USER, 0, 0), 0) << "a window gone answers 0";
                 EXPECT_EQ(GetForegroundWindow(), w);
             },
         .pumped = 1,
         .heard = {"create", "activate 0", "activate 1", "erase", "paint", "destroy", "activate 1",
                   "paint"}},
        {.what = "a press on a disabled window is swallowed, not passed to the one beneath",
         .act =
             [](HWND) {
                 const RECT place{100, 100, 150, 150};
                 EnableWindow(MakeWindow(Recorder, 0, &place), FALSE);
                 heard.clear();
                 HeadlessTap(120, 130);
             },
         .pumped = 0,
         .heard = {}},
        {.what = "a creation refused: no window, but its end is heard",
         .act =
             [](HWND) {
                 WNDCLASSW wc{};
                 wc.lpfnWndProc = RefuseCreation;
                 wc.lpszClassName = L"Refuses";
                 ASSERT_NE(RegisterClassW(&wc), 0);
                 EXPECT_EQ(RegisterClassW(&wc), 0) << "a class name is registered once";
                 EXPECT_EQ(CreateWindowExW(0, L"Refuses", L"", WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                           nullptr, nullptr, nullptr),
                           nullptr);
                 EXPECT_EQ(CreateWindowExW(0, L"NoSuchClass", L"", 0, 0, 0, 1, 1, nullptr, nullptr,
                                           nullptr, nullptr),
                           nullptr);
             },
         .pumped = 0,
         .heard = {"destroy"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.act(window);
        EXPECT_EQ(HeadlessPump(), c.pumped);
        EXPECT_EQ(heard, c.heard);
    }
}

// Requests are recorded as asked but clipped to the client; the region is
// their union, which BeginPaint hands over and validates.
TEST_F(MessagesTest, TheUpdateRegion) {
    const RECT a{0, 0, 10, 10}, b{50, 50, 60, 60}, c{5, 5, 15, 15}, off{230, 300, 300, 400};
    for (const RECT& r : {a, b, c, off})
        InvalidateRect(window, &r, FALSE);
    EXPECT_EQ(InvalidatedRects(), (std::vector<RECT>{a, b, c, off}));
    const RECT corner{200, 280, 240, 320};
    ValidateRect(window, &corner);  // all that is left of off once clipped
    RECT bounds;
    EXPECT_TRUE(GetUpdateRect(window, &bounds, FALSE));
    EXPECT_EQ(bounds, (RECT{0, 0, 60, 60}));

    HRGN update = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(window, update, FALSE), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(update, 12, 12));
    EXPECT_FALSE(PtInRegion(update, 12, 2)) << "the union, not its bounding box";
    EXPECT_FALSE(PtInRegion(update, 30, 30));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(ps.rcPaint, (RECT{0, 0, 60, 60}));
    EXPECT_FALSE(ps.fErase);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, clip), 1);
    EXPECT_TRUE(EqualRgn(clip, update)) << "the context is clipped to the handed-over region";
    EXPECT_FALSE(GetUpdateRect(window, &bounds, FALSE)) << "validated by BeginPaint";
    EndPaint(window, &ps);
    EXPECT_GT(HeadlessPresentCount(), 0);
    DeleteObject(update);
    DeleteObject(clip);

    InvalidateRect(window, &a, FALSE);
    ValidateRect(window, nullptr);
    EXPECT_FALSE(GetUpdateRect(window, &bounds, FALSE));
    InvalidateRect(window, nullptr, TRUE);
    EXPECT_EQ(InvalidatedRects().back(), (RECT{0, 0, 240, 320}));
    HeadlessPump();
    EXPECT_EQ(heard, (std::vector<std::string>{"erase", "paint"})) << "erase asked, erase sent";

    const size_t asked = HeadlessInvalidations().size();
    SetWindowPos(window, nullptr, 0, 0, 200, 300, SWP_NOZORDER);
    EXPECT_TRUE(GetUpdateRect(window, &bounds, FALSE));
    EXPECT_EQ(bounds, (RECT{0, 0, 200, 300}));
    EXPECT_EQ(HeadlessInvalidations().size(), asked) << "the layer's own repaints are not requests";
}

// Presses (time, x, y) on a class with or without the double-click style,
// and the presses the window heard.
TEST_F(MessagesTest, QuickSecondPressIsADoubleClickOnlyWhereTheClassAsks) {
    const struct {
        const char* what;
        UINT style = CS_DBLCLKS;
        std::vector<std::tuple<DWORD, int, int>> presses;
        const char* heard;
    } kCases[] = {
        {.what = "close in time and place",
         .presses = {{1000, 50, 50}, {1500, 54, 46}},
         .heard = "down double"},
        {.what = "a third press is plain again",
         .presses = {{1000, 50, 50}, {1100, 50, 50}, {1200, 50, 50}},
         .heard = "down double down"},
        {.what = "too late", .presses = {{1000, 50, 50}, {1501, 50, 50}}, .heard = "down down"},
        {.what = "too far", .presses = {{1000, 50, 50}, {1100, 55, 50}}, .heard = "down down"},
        {.what = "too far up", .presses = {{1000, 50, 50}, {1100, 50, 45}}, .heard = "down down"},
        {.what = "untimed", .presses = {{0, 50, 50}, {0, 50, 50}}, .heard = "down down"},
        {.what = "class without the style",
         .style = 0,
         .presses = {{1000, 50, 50}, {1100, 50, 50}},
         .heard = "down down"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        StartScreen(96);
        MakeWindow(Recorder, c.style);
        heard.clear();
        for (const auto& [time, x, y] : c.presses) {
            HeadlessPointer(WM_LBUTTONDOWN, x, y, time);
            HeadlessPointer(WM_LBUTTONUP, x, y, time + 20);
        }
        HeadlessPump();
        std::string said;
        for (const std::string& h : heard)
            if (h != "paint" && h != "up")
                said += (said.empty() ? "" : " ") + h.substr(0, h.find(' '));
        EXPECT_EQ(said, c.heard);
    }
}

TEST_F(MessagesTest, TheTitleIsCutToTheBuffer) {
    SetWindowTextW(window, L"Bulk");
    wchar_t title[100];
    EXPECT_EQ(GetWindowTextW(window, title, 3), 2);
    EXPECT_EQ(std::wstring(title), L"Bu");
}

}  // namespace
