// The main window procedure's own messages.
#include "app/shell.h"
#include "tests/game_fixture.h"

namespace {

using WindowProcTest = GameTest;

size_t FullScreenCalls() {
    size_t n = 0;
    for (const ShellCall& c : HeadlessShellCalls())
        n += c.name == "SHFullScreen";
    return n;
}

TEST_F(WindowProcTest, ActivationAndSettingsKeepTheWindowFullScreen) {
    const struct {
        const char* what;
        UINT msg;
        WPARAM wParam;
        size_t calls;
    } kCases[] = {
        {"deactivated: nothing", WM_ACTIVATE, 0, 0},
        {"activated", WM_ACTIVATE, 1, 1},
        {"settings changed in the foreground", WM_SETTINGCHANGE, 0, 1},
    };
    for (const auto& c : kCases) {
        size_t before = FullScreenCalls();
        SendMessageW(mainWindow, c.msg, c.wParam, 0);
        EXPECT_EQ(FullScreenCalls() - before, c.calls) << c.what;
    }
    RECT update;
    EXPECT_FALSE(GetUpdateRect(mainWindow, &update, FALSE)) << "the same size repaints nothing";
}

TEST_F(WindowProcTest, UnknownGameMessagesDoNothing) {
    const uint32_t serial = gameSerial;
    HeadlessClearInvalidations();
    EXPECT_EQ(SendMessageW(mainWindow, WM_USER, 3, 0), 0);
    EXPECT_EQ(SendMessageW(mainWindow, WM_USER, 77, 0), 0);
    EXPECT_EQ(gameSerial, serial);
    EXPECT_TRUE(HeadlessInvalidations().empty());
    EXPECT_EQ(SendMessageW(mainWindow, WM_ERASEBKGND, 0, 0), 1) << "nothing is erased";
}

}  // namespace
