#include <string>

#include "tests/fixture.h"

namespace {

// What the test window procedure saw, in order.
std::vector<std::string> seen;
int sendDepth = 0;

LRESULT Recorder(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
        case WM_USER: {
            // Nests: each level sends the next before it returns.
            seen.push_back("enter " + std::to_string(w));
            ++sendDepth;
            LRESULT inner = w < 3 ? SendMessageW(hwnd, WM_USER, w + 1, 0) : 100;
            --sendDepth;
            seen.push_back("leave " + std::to_string(w));
            return inner + 1;
        }
        case WM_USER + 1:
            seen.push_back("posted " + std::to_string(w));
            return 0;
        case WM_LBUTTONDOWN:
            seen.push_back("down " + std::to_string(GET_X_LPARAM(l)) + "," +
                           std::to_string(GET_Y_LPARAM(l)));
            return 0;
        case WM_LBUTTONUP:
            seen.push_back("up");
            return 0;
        case WM_LBUTTONDBLCLK:
            seen.push_back("double");
            return 0;
        case WM_ACTIVATE:
            seen.push_back("activate " + std::to_string(w));
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            seen.push_back("paint");
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_CREATE:
            seen.push_back("create");
            return 0;
        case WM_DESTROY:
            seen.push_back("destroy");
            return 0;
        case WM_ERASEBKGND:
            seen.push_back("erase");
            return 1;
        default:
            return DefWindowProcW(hwnd, msg, w, l);
    }
}

class MessagesTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        seen.clear();
        window = MakeWindow(Recorder);
        seen.clear();
    }
    HWND window = nullptr;
};

TEST_F(MessagesTest, SendNestsAndReturnsInOrder) {
    EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 104);
    EXPECT_EQ(seen, (std::vector<std::string>{"enter 0", "enter 1", "enter 2", "enter 3", "leave 3",
                                              "leave 2", "leave 1", "leave 0"}));
    EXPECT_EQ(SendMessageW(reinterpret_cast<HWND>(&seen), WM_USER, 0, 0), 0)
        << "an unknown window answers 0";
}

TEST_F(MessagesTest, PaintOnlyAfterPostedAndInputDrain) {
    InvalidateRect(window, nullptr, FALSE);
    PostMessageW(window, WM_USER + 1, 1, 0);
    HeadlessTap(30, 40);
    PostMessageW(window, WM_USER + 1, 2, 0);
    EXPECT_EQ(HeadlessPump(), 5);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"posted 1", "posted 2", "down 30,40", "up", "paint"}));
}

TEST_F(MessagesTest, NoPaintWithoutRegionAndOnlyOneForManyRequests) {
    EXPECT_EQ(HeadlessPump(), 0);
    RECT a{0, 0, 10, 10}, b{50, 50, 60, 60};
    InvalidateRect(window, &a, FALSE);
    InvalidateRect(window, &b, FALSE);
    EXPECT_EQ(HeadlessPump(), 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"paint"}));
}

TEST_F(MessagesTest, BeginPaintHandsOverTheUnionAndValidates) {
    RECT a{0, 0, 10, 10}, b{50, 50, 60, 60}, c{5, 5, 15, 15};
    InvalidateRect(window, &a, FALSE);
    InvalidateRect(window, &b, FALSE);
    InvalidateRect(window, &c, FALSE);
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
    EXPECT_EQ(HeadlessPump(), 0);
    EXPECT_EQ(HeadlessPresentCount() > 0, true);
    DeleteObject(update);
    DeleteObject(clip);
}

TEST_F(MessagesTest, RequestsAreClippedToTheClientButRecordedAsAsked) {
    RECT off{230, 300, 300, 400}, inside{1, 2, 3, 4};
    InvalidateRect(window, &off, FALSE);
    InvalidateRect(window, nullptr, FALSE);
    InvalidateRect(window, &inside, TRUE);
    EXPECT_EQ(InvalidatedRects(),
              (std::vector<RECT>{{230, 300, 300, 400}, {0, 0, 240, 320}, {1, 2, 3, 4}}));
    RECT bounds;
    GetUpdateRect(window, &bounds, FALSE);
    EXPECT_EQ(bounds, (RECT{0, 0, 240, 320}));
    HeadlessPump();
    EXPECT_EQ(seen, (std::vector<std::string>{"erase", "paint"})) << "erase asked, erase sent";
}

TEST_F(MessagesTest, ValidateRectRemovesPartOfTheRegion) {
    RECT a{0, 0, 20, 20}, left{0, 0, 10, 20};
    InvalidateRect(window, &a, FALSE);
    ValidateRect(window, &left);
    RECT bounds;
    EXPECT_TRUE(GetUpdateRect(window, &bounds, FALSE));
    EXPECT_EQ(bounds, (RECT{10, 0, 20, 20}));
    ValidateRect(window, nullptr);
    EXPECT_FALSE(GetUpdateRect(window, &bounds, FALSE));
}

TEST_F(MessagesTest, UpdateWindowPaintsAtOnce) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(seen, (std::vector<std::string>{"paint"}));
    UpdateWindow(window);
    EXPECT_EQ(seen.size(), 1u) << "nothing left to paint";
}

TEST_F(MessagesTest, QuitComesAfterPostedMessagesWithItsCode) {
    PostMessageW(window, WM_USER + 1, 7, 0);
    PostQuitMessage(3);
    PostMessageW(window, WM_USER + 1, 8, 0);
    MSG msg;
    int dispatched = 0;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        DispatchMessageW(&msg);
        ++dispatched;
    }
    EXPECT_EQ(dispatched, 2);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessagesTest, LoopAsksTheSourceOnlyWhenIdleAndEndsWithIt) {
    int asked = 0;
    HeadlessSetInputSource([&] {
        ++asked;
        if (asked > 2) return false;
        HeadlessTap(10 * asked, 5);
        InvalidateRect(window, nullptr, FALSE);
        return true;
    });
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0))
        DispatchMessageW(&msg);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"down 10,5", "up", "paint", "down 20,5", "up", "paint"}));
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE) << "and stays ended";
}

TEST_F(MessagesTest, CreateAndDestroyRunTheirMessages) {
    seen.clear();
    HWND second = MakeWindow(Recorder);
    EXPECT_EQ(seen.front(), "create");
    seen.clear();
    PostMessageW(second, WM_USER + 1, 9, 0);
    EXPECT_TRUE(DestroyWindow(second));
    EXPECT_FALSE(IsWindow(second));
    EXPECT_FALSE(DestroyWindow(second));
    HeadlessPump();
    // The window beneath is repainted where the destroyed one lay; the
    // message posted to the dead window is gone; the window beneath is active.
    EXPECT_EQ(seen, (std::vector<std::string>{"destroy", "activate 1", "paint"}));
    EXPECT_EQ(GetForegroundWindow(), window);
}

LRESULT RefuseCreation(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_CREATE) return -1;
    if (msg == WM_DESTROY) seen.push_back("destroy");
    return DefWindowProcW(hwnd, msg, w, l);
}

TEST_F(MessagesTest, RefusedCreationGivesNoWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RefuseCreation;
    wc.lpszClassName = L"Refuses";
    ASSERT_NE(RegisterClassW(&wc), 0);
    EXPECT_EQ(RegisterClassW(&wc), 0) << "a class name is registered once";
    HWND hwnd = CreateWindowExW(0, L"Refuses", L"", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    EXPECT_EQ(hwnd, nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"destroy"}));
    EXPECT_EQ(
        CreateWindowExW(0, L"NoSuchClass", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
}

TEST_F(MessagesTest, InputGoesToTheTopmostWindowInItsOwnCoordinates) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Recorder;
    wc.lpszClassName = L"Box";
    RegisterClassW(&wc);
    HWND box = CreateWindowExW(0, L"Box", L"", WS_VISIBLE, 100, 100, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
    HeadlessPump();
    seen.clear();
    MSG msg;
    HeadlessPointer(WM_LBUTTONDOWN, 120, 130);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, box);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 20);
    EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 30);
    HeadlessPointer(WM_LBUTTONDOWN, 99, 130);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 99);
}

// Presses with times, on a class with and without the double-click style.
struct PressCase {
    const char* what;
    bool doubleStyle;
    std::vector<std::pair<DWORD, POINT>> presses;
    std::vector<std::string> expected;
};

TEST_F(MessagesTest, QuickSecondPressIsADoubleClickOnlyWhereTheClassAsks) {
    const PressCase cases[] = {
        {"close in time and place",
         true,
         {{1000, {50, 50}}, {1500, {54, 46}}},
         {"down 50,50", "up", "double", "up"}},
        {"a third press is plain again",
         true,
         {{1000, {50, 50}}, {1100, {50, 50}}, {1200, {50, 50}}},
         {"down 50,50", "up", "double", "up", "down 50,50", "up"}},
        {"too late",
         true,
         {{1000, {50, 50}}, {1501, {50, 50}}},
         {"down 50,50", "up", "down 50,50", "up"}},
        {"too far",
         true,
         {{1000, {50, 50}}, {1100, {55, 50}}},
         {"down 50,50", "up", "down 55,50", "up"}},
        {"untimed presses never pair",
         true,
         {{0, {50, 50}}, {0, {50, 50}}},
         {"down 50,50", "up", "down 50,50", "up"}},
        {"class without the style",
         false,
         {{1000, {50, 50}}, {1100, {50, 50}}},
         {"down 50,50", "up", "down 50,50", "up"}},
    };
    for (const PressCase& c : cases) {
        StartScreen(96);
        WNDCLASSW wc{};
        wc.style = c.doubleStyle ? CS_DBLCLKS : 0;
        wc.lpfnWndProc = Recorder;
        wc.lpszClassName = L"Pressed";
        RegisterClassW(&wc);
        CreateWindowExW(0, L"Pressed", L"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                        nullptr);
        HeadlessPump();
        seen.clear();
        for (const auto& [time, pt] : c.presses) {
            HeadlessPointer(WM_LBUTTONDOWN, pt.x, pt.y, time);
            HeadlessPointer(WM_LBUTTONUP, pt.x, pt.y, time + 20);
        }
        HeadlessPump();
        std::erase(seen, "paint");
        EXPECT_EQ(seen, c.expected) << c.what;
    }
}

TEST_F(MessagesTest, CloseRequestAndFocusReachTheFirstWindow) {
    HeadlessFocusGained();
    HeadlessRequestClose();
    HeadlessPump();
    EXPECT_FALSE(IsWindow(window)) << "WM_CLOSE goes to DefWindowProcW, which destroys";
    EXPECT_EQ(seen, (std::vector<std::string>{"activate 1", "destroy"}));
}

TEST_F(MessagesTest, TitleAndScreenAndClock) {
    SetWindowTextW(window, L"Bulk");
    wchar_t title[100];
    EXPECT_EQ(GetWindowTextW(window, title, 100), 4);
    EXPECT_EQ(std::wstring(title), L"Bulk");
    EXPECT_EQ(GetWindowTextW(window, title, 3), 2) << "truncated to the buffer";
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
    HeadlessSetClock(3, 18, 25, 123);
    SYSTEMTIME t;
    GetSystemTime(&t);
    EXPECT_EQ(t.wHour, 3);
    EXPECT_EQ(t.wMilliseconds, 123);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
}

TEST_F(MessagesTest, MovingToTheSameRectangleInvalidatesNothing) {
    SetWindowPos(window, nullptr, 0, 0, 240, 320, SWP_NOZORDER | SWP_SHOWWINDOW);
    RECT bounds;
    EXPECT_FALSE(GetUpdateRect(window, &bounds, FALSE));
    SetWindowPos(window, nullptr, 0, 0, 200, 300, SWP_NOZORDER);
    EXPECT_TRUE(GetUpdateRect(window, &bounds, FALSE));
    EXPECT_EQ(bounds, (RECT{0, 0, 200, 300}));
    EXPECT_TRUE(HeadlessInvalidations().empty()) << "the layer's own repaints are not requests";
}

}  // namespace
