// The main window procedure's own messages.
#include <algorithm>

#include "app/shell.h"
#include "tests/game_fixture.h"

namespace {

using WindowProcTest = GameTest;

// Activation and a change of settings in the foreground keep the window full
// screen; game messages it does not know do nothing; it erases nothing.
// None of them repaints: the window keeps its size and the game.
TEST_F(WindowProcTest, ItsOwnMessages) {
    const auto fullScreenCalls = [] {
        return std::ranges::count(HeadlessShellCalls(), "SHFullScreen", &ShellCall::name);
    };
    const struct {
        const char* what;
        UINT msg;
        WPARAM wParam;
        long calls = 0;
        LRESULT result = 0;
    } kCases[] = {
        {.what = "deactivated", .msg = WM_ACTIVATE, .wParam = 0},
        {.what = "activated", .msg = WM_ACTIVATE, .wParam = 1, .calls = 1},
        {.what = "settings changed", .msg = WM_SETTINGCHANGE, .wParam = 0, .calls = 1},
        {.what = "unknown game message", .msg = WM_USER, .wParam = 3},
        {.what = "another", .msg = WM_USER, .wParam = 77},
        {.what = "erase", .msg = WM_ERASEBKGND, .wParam = 0, .result = 1},
    };
    const uint32_t serial = gameSerial;
    HeadlessClearInvalidations();
    for (const auto& c : kCases) {
        const long before = fullScreenCalls();
        EXPECT_EQ(SendMessageW(mainWindow, c.msg, c.wParam, 0), c.result) << c.what;
        EXPECT_EQ(fullScreenCalls() - before, c.calls) << c.what;
    }
    EXPECT_EQ(gameSerial, serial);
    EXPECT_TRUE(HeadlessInvalidations().empty());
    RECT update;
    EXPECT_FALSE(GetUpdateRect(mainWindow, &update, FALSE));
}

// A density wanted while a box is open waits for the main loop: the box
// never sees its screen change; the last of several wishes wins.
TEST_F(WindowProcTest, RelayoutWaitsForTheBoxToClose) {
    StepInput steps({[] {
                         HeadlessWantDensity(144);
                         HeadlessWantDensity(192);
                     },
                     [] {
                         EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240)
                             << "relaid out under the box";
                         PressKey(VK_RETURN);
                     }});
    MessageBoxW(mainWindow, L"Transfer?", L"", MB_YESNO);
    HeadlessPump();
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
    RECT client;
    GetClientRect(mainWindow, &client);
    EXPECT_EQ(client.right, 480) << "the window keeps the old size";
}

}  // namespace
