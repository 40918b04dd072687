// The menu bar: a window of its own along the bottom of the screen whose
// menus open upwards, post their commands to the bar's parent and keep
// every tap and key from the windows beneath while open.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "app/construct.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/state.h"
#include "game/status.h"
#include "res/resources.h"
#include "tests/fixture.h"
#include "tests/game_fixture.h"
#include "ui/graphics.h"
#include "ui/scale.h"

namespace {

// A bar with a pop-up, a command of its own and a pop-up too wide to sit
// left-aligned with its item.
const MenuItemResource kFirst[] = {{101, L"Alpha"}, {102, L"Beta"}, {103, L"Gamma"}};
const MenuItemResource kWide[] = {{201, L"An entry far too long to fit"}, {202, L"Short"}};
const MenuBarItemResource kBarItems[] = {
    {L"First", 0, kFirst, 3}, {L"Go", 7, nullptr, 0}, {L"Wide", 0, kWide, 2}};
const MenuResource kMenus[] = {{500, kBarItems, 3}};
const ProgramResources kResources{nullptr, 0, nullptr, 0, nullptr, kMenus, 1, nullptr, 0};
constexpr UINT kTestMenu = 500;

constexpr COLORREF kOwnerColour = RGB(200, 0, 0);
std::vector<std::string> events;

// Paints itself red and notes what reaches it.
LRESULT Owner(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            HBRUSH brush = CreateSolidBrush(kOwnerColour);
            RECT all;
            GetClientRect(hwnd, &all);
            FillRect(dc, &all, brush);
            DeleteObject(brush);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            events.push_back("erase");
            return 1;
        case WM_LBUTTONDOWN:
            events.push_back("down");
            return 0;
        case WM_LBUTTONUP:
            events.push_back("up");
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            events.push_back("key");
            return DefWindowProcW(hwnd, msg, w, l);  // F10 opens the bar's menu
        case WM_COMMAND:
            events.push_back("command " + std::to_string(w) + " " + std::to_string(l));
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, w, l);
    }
}

HWND MakeBar(HWND parent, UINT menu) {
    SHMENUBARINFO info{};
    info.cbSize = 36;
    info.hwndParent = parent;
    info.dwFlags = SHCMBF_HMENU | SHCMBF_HIDESIPBUTTON;
    info.nToolBarId = menu;
    info.hInstRes = GetModuleHandleW(nullptr);
    SHCreateMenuBar(&info);
    HeadlessPump();
    return info.hwndMB;
}

// Runs one step each time a loop waits for input (the menu's, a box's),
// and the rest, if any, from here with the queue pumped after each.
void Drive(std::vector<std::function<void()>> steps) {
    size_t next = 0;
    HeadlessSetInputSource([&] {
        if (next == steps.size()) return false;
        steps[next++]();
        return true;
    });
    while (next < steps.size()) {
        steps[next++]();
        HeadlessPump();
    }
    HeadlessSetInputSource(nullptr);
}

RECT BarItem(const wchar_t* text) {
    RECT r{};
    HWND bar = HeadlessMenuBar();
    EXPECT_TRUE(HeadlessMenuBarItemRect(bar, HeadlessMenuBarItem(bar, text), &r)) << "no bar item";
    return r;
}

RECT MenuItem(const wchar_t* text) {
    RECT r{};
    EXPECT_TRUE(HeadlessMenuItemRect(HeadlessMenuItem(text), &r)) << "no menu item";
    return r;
}

void TapOn(const RECT& r) {
    HeadlessTap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void Key(WPARAM key) {
    HeadlessKey(WM_KEYDOWN, key, 0);
    HeadlessKey(WM_KEYUP, key, 0);
}

constexpr WPARAM kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;

class MenuBarTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        PlatformSetResources(&kResources);
        owner = MakeWindow(Owner);
        bar = MakeBar(owner, kTestMenu);
        events.clear();
    }
    void TearDown() override {
        HeadlessSetInputSource(nullptr);
        RegisterResources();
    }
    HWND owner = nullptr;
    HWND bar = nullptr;
};

TEST_F(MenuBarTest, SitsAlongTheBottomAboveItsParentAtEachDensity) {
    for (int dpi : {96, 128, 192}) {
        StartScreen(dpi);
        owner = MakeWindow(Owner);
        bar = MakeBar(owner, kTestMenu);
        ASSERT_NE(bar, nullptr) << dpi;
        const int width = (240 * dpi + 48) / 96, height = (320 * dpi + 48) / 96;
        const int barHeight = (26 * dpi + 48) / 96;
        RECT r;
        GetWindowRect(bar, &r);
        EXPECT_EQ(r, (RECT{0, height - barHeight, width, height})) << dpi;
        EXPECT_EQ(HeadlessMenuBar(), bar);

        // Labels left to right from the left edge, each the bar's height.
        int left = 0;
        for (const wchar_t* text : {L"First", L"Go", L"Wide"}) {
            RECT item = BarItem(text);
            EXPECT_EQ(item.left, left) << dpi;
            EXPECT_GT(item.right, item.left + (20 * dpi) / 96) << dpi;
            EXPECT_EQ(item.top, r.top);
            EXPECT_EQ(item.bottom, r.bottom);
            left = item.right;
        }
        EXPECT_LE(left, width);

        // The parent's paint stops at the bar, even when all of it is asked for.
        InvalidateRect(owner, nullptr, FALSE);
        HeadlessPump();
        for (int x = 0; x < width; x += 7) {
            EXPECT_EQ(HeadlessPixel(x, r.top - 1), kOwnerColour) << dpi << " x " << x;
            for (int y = r.top; y < r.bottom; ++y)
                ASSERT_NE(HeadlessPixel(x, y), kOwnerColour) << dpi << " at " << x << ", " << y;
        }
    }
}

TEST_F(MenuBarTest, MenusOpenUpwardsAlignedWithTheirItemAndOnScreen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    RECT barRect;
    GetWindowRect(bar, &barRect);
    const struct {
        const wchar_t* item;
        std::vector<const wchar_t*> rows;
        bool atItem;  // else pushed left to stay on the screen
    } kCases[] = {{L"First", {L"Alpha", L"Beta", L"Gamma"}, true},
                  {L"Wide", {L"An entry far too long to fit", L"Short"}, false}};
    for (const auto& c : kCases) {
        const RECT item = BarItem(c.item);
        Drive({[&] { TapOn(item); },
               [&] {
                   ASSERT_EQ(HeadlessOpenMenu(), HeadlessMenuBarItem(bar, c.item));
                   RECT prev = MenuItem(c.rows.front());
                   EXPECT_GT(prev.top, 0);
                   EXPECT_EQ(std::abs(prev.left - item.left) <= 2, c.atItem) << "left-aligned";
                   for (size_t i = 1; i < c.rows.size(); ++i) {
                       RECT r = MenuItem(c.rows[i]);
                       EXPECT_EQ(r.top, prev.bottom) << "in order";
                       prev = r;
                   }
                   EXPECT_LT(prev.bottom, barRect.top) << "just above the bar";
                   EXPECT_GE(prev.bottom, barRect.top - 6);
                   EXPECT_LE(prev.right, width) << "on the screen";
                   EXPECT_GE(prev.right, c.atItem ? 0 : width - 2);
                   EXPECT_EQ(HeadlessMenuItem(L"Nothing"), -1);
               }});
        EXPECT_EQ(HeadlessOpenMenu(), -1) << "closed when input ended";
    }
    EXPECT_TRUE(events.empty()) << events.front();
}

TEST_F(MenuBarTest, TapsPickSwitchAndClose) {
    const struct {
        const char* what;
        std::vector<std::function<void()>> steps;
        std::vector<std::string> events;  // what the parent hears
        std::vector<int> openAfter;       // the open menu after each step
    } kCases[] = {
        {"an item posts its command",
         {[] { TapOn(BarItem(L"First")); }, [] { TapOn(MenuItem(L"Beta")); }},
         {"command 102 0"},
         {0, -1}},
        {"another bar item switches menus",
         {[] { TapOn(BarItem(L"First")); }, [] { TapOn(BarItem(L"Wide")); },
          [] { TapOn(MenuItem(L"Short")); }},
         {"command 202 0"},
         {0, 2, -1}},
        {"the open item again closes it",
         {[] { TapOn(BarItem(L"Wide")); }, [] { TapOn(BarItem(L"Wide")); }},
         {},
         {2, -1}},
        {"a tap outside closes it and is swallowed, press and release",
         {[] { TapOn(BarItem(L"First")); }, [] { HeadlessTap(20, 20); }},
         {},
         {0, -1}},
        {"the next tap outside reaches the window again",
         {[] { TapOn(BarItem(L"First")); }, [] { HeadlessTap(20, 20); },
          [] { HeadlessTap(20, 20); }},
         {"down", "up"},
         {0, -1, -1}},
        {"a command item of the bar posts at once",
         {[] { TapOn(BarItem(L"Go")); }},
         {"command 7 0"},
         {-1}},
        {"a command item reached from an open menu",
         {[] { TapOn(BarItem(L"First")); }, [] { TapOn(BarItem(L"Go")); }},
         {"command 7 0"},
         {0, -1}},
        {"a command item let go elsewhere does nothing",
         {[] {
             RECT go = BarItem(L"Go");
             HeadlessPointer(WM_LBUTTONDOWN, go.left + 2, go.top + 2);
             HeadlessPointer(WM_LBUTTONUP, 20, 20);
         }},
         {},
         {-1}},
        {"a press on a menu item picks it only when let go",
         {[] { TapOn(BarItem(L"First")); },
          [] {
              RECT alpha = MenuItem(L"Alpha");
              HeadlessPointer(WM_LBUTTONDOWN, alpha.left + 4, alpha.top + 4);
          },
          [] { EXPECT_EQ(HeadlessMenuHighlight(), 0); },
          [] {
              RECT gamma = MenuItem(L"Gamma");
              HeadlessPointer(WM_LBUTTONUP, gamma.left + 4, gamma.top + 4);
          }},
         {"command 103 0"},
         {0, 0, 0, -1}},
        {"the bar's empty end opens nothing",
         {[] {
             HeadlessTap(GetSystemMetrics(SM_CXSCREEN) - 3, GetSystemMetrics(SM_CYSCREEN) - 3);
         }},
         {},
         {-1}},
    };
    for (const auto& c : kCases) {
        events.clear();
        std::vector<std::function<void()>> steps;
        std::vector<int> open;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            steps.push_back(c.steps[i]);
            steps.push_back([&open] { open.push_back(HeadlessOpenMenu()); });
        }
        Drive(steps);
        HeadlessPump();
        EXPECT_EQ(open, c.openAfter) << c.what;
        EXPECT_EQ(events, c.events) << c.what;
        EXPECT_EQ(HeadlessOpenMenu(), -1) << c.what;
    }
}

TEST_F(MenuBarTest, CommandsArePostedNotSent) {
    HeadlessSetInputSource([step = 0]() mutable {
        if (step++ > 0) return false;
        TapOn(MenuItem(L"Alpha"));
        return true;
    });
    TapOn(BarItem(L"First"));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageW(&msg);  // the press on the bar: the menu's whole life
    EXPECT_TRUE(events.empty()) << "nothing sent while the menu ran";
    ASSERT_TRUE(PeekMessageW(&msg, owner, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 101u);
    HeadlessPump();
    EXPECT_EQ(events, std::vector<std::string>{"command 101 0"});
}

TEST_F(MenuBarTest, KeysMoveTheHighlightPickAndSwitch) {
    const struct {
        const char* what;
        std::vector<WPARAM> keys;
        std::vector<int> highlights;  // after each key
        std::vector<int> open;
        std::vector<std::string> events;
    } kCases[] = {
        {"down from none takes the first, then wraps",
         {kDown, kDown, kDown, kDown, VK_ESCAPE},
         {0, 1, 2, 0, -1},
         {0, 0, 0, 0, -1},
         {}},
        {"up from none takes the last, then wraps",
         {kUp, kUp, kUp, kUp, VK_RETURN},
         {2, 1, 0, 2, -1},
         {0, 0, 0, 0, -1},
         {"command 103 0"}},
        {"right and left skip the command item and wrap",
         {kRight, kRight, kLeft, kDown, VK_RETURN},
         {0, 0, 0, 1, -1},
         {2, 0, 2, 2, -1},
         {"command 202 0"}},
        {"enter with nothing highlighted picks nothing",
         {VK_RETURN, VK_ESCAPE},
         {-1, -1},
         {0, -1},
         {}},
        {"other keys are swallowed", {'N', VK_F4, VK_ESCAPE}, {-1, -1, -1}, {0, 0, -1}, {}},
    };
    for (const auto& c : kCases) {
        events.clear();
        std::vector<int> highlights, open;
        std::vector<std::function<void()>> steps{[] { TapOn(BarItem(L"First")); }};
        for (WPARAM key : c.keys) {
            steps.push_back([key] { Key(key); });
            steps.push_back([&] {
                highlights.push_back(HeadlessMenuHighlight());
                open.push_back(HeadlessOpenMenu());
            });
        }
        Drive(steps);
        HeadlessPump();
        EXPECT_EQ(highlights, c.highlights) << c.what;
        EXPECT_EQ(open, c.open) << c.what;
        EXPECT_EQ(events, c.events) << c.what;
    }
}

TEST_F(MenuBarTest, F10OpensTheFirstMenuFromTheKeyboard) {
    int open = -2, highlight = -2;
    Drive({[] { Key(0x79); },
           [&] {
               open = HeadlessOpenMenu();
               highlight = HeadlessMenuHighlight();
               Key(kDown);
               Key(VK_RETURN);
           }});
    HeadlessPump();
    EXPECT_EQ(open, 0);
    EXPECT_EQ(highlight, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"key", "command 102 0"}))
        << "only F10 reaches the window";

    CommandBar_Show(bar, FALSE);
    Drive({[] { Key(0x79); }, [&] { open = HeadlessOpenMenu(); }});
    EXPECT_EQ(open, -1) << "a hidden bar does not open";
}

TEST_F(MenuBarTest, AClosedMenuLeavesNoTraceAndErasesNothing) {
    RECT menu{};
    Drive({[] { TapOn(BarItem(L"First")); },
           [&] {
               RECT alpha = MenuItem(L"Alpha"), gamma = MenuItem(L"Gamma");
               menu = {alpha.left, alpha.top, gamma.right, gamma.bottom};
               // Painted already: white rows over the red window.
               EXPECT_NE(HeadlessPixel(menu.left + 2, menu.top + 2), kOwnerColour);
           },
           [] { HeadlessTap(20, 20); }});
    HeadlessPump();
    for (int y = menu.top; y < menu.bottom; y += 3)
        for (int x = menu.left; x < menu.right; x += 3)
            ASSERT_EQ(HeadlessPixel(x, y), kOwnerColour) << x << ", " << y;
    EXPECT_TRUE(events.empty()) << events.front();
}

TEST_F(MenuBarTest, ADisabledBarOpensNothing) {
    int open = -2;
    HeadlessSetInputSource([&, step = 0]() mutable {
        switch (step++) {
            case 0:
                TapOn(BarItem(L"First"));
                return true;
            case 1:
                open = HeadlessOpenMenu();
                HeadlessQueueBoxAnswer(IDOK);
                return true;
            default:
                return false;
        }
    });
    MessageBoxW(owner, L"Busy", L"", MB_OK);
    EXPECT_EQ(open, -1) << "the box disables the bar too";
    EXPECT_TRUE(IsWindowEnabled(bar)) << "and gives it back";

    EnableWindow(owner, FALSE);
    Drive({[] { TapOn(BarItem(L"First")); }, [&] { open = HeadlessOpenMenu(); }});
    EXPECT_EQ(open, -1) << "a bar takes no input while its window does not";
    EnableWindow(owner, TRUE);
    Drive({[] { TapOn(BarItem(L"First")); }, [&] { open = HeadlessOpenMenu(); }});
    EXPECT_EQ(open, 0);
}

TEST_F(MenuBarTest, ACloseRequestClosesTheMenuAtOnce) {
    int openAfter = -2;
    Drive({[] { TapOn(BarItem(L"First")); }, [] { HeadlessRequestClose(); },
           [&] { openAfter = HeadlessOpenMenu(); }});
    EXPECT_EQ(openAfter, -1);
    HeadlessPump();
    EXPECT_FALSE(IsWindow(owner)) << "the window is closed once no modal loop runs";
    EXPECT_FALSE(IsWindow(bar)) << "and its bar goes with it";
}

TEST_F(MenuBarTest, AltF4InAnOpenMenuIsACloseRequest) {
    int openAfter = -2;
    Drive({[] { TapOn(BarItem(L"First")); },
           [] { HeadlessKey(WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN_LPARAM); },
           [&] { openAfter = HeadlessOpenMenu(); }});
    EXPECT_EQ(openAfter, -1);
    HeadlessPump();
    EXPECT_FALSE(IsWindow(owner));
}

TEST_F(MenuBarTest, ShownHiddenAndGoneWithItsParent) {
    EXPECT_TRUE(IsWindowVisible(bar));
    CommandBar_Show(bar, FALSE);
    EXPECT_FALSE(IsWindowVisible(bar));
    EXPECT_EQ(HeadlessMenuBar(), nullptr);
    HeadlessTap(10, GetSystemMetrics(SM_CYSCREEN) - 5);
    HeadlessPump();
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up"})) << "a hidden bar takes nothing";
    CommandBar_Show(bar, TRUE);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(HeadlessShellCalls().back().name, "CommandBar_Show");

    SHMENUBARINFO missing{};
    missing.hwndParent = owner;
    missing.nToolBarId = 999;
    EXPECT_FALSE(SHCreateMenuBar(&missing));
    EXPECT_EQ(missing.hwndMB, nullptr) << "no such menu";

    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(bar));
}

TEST_F(MenuBarTest, TheProgramsBarsPostTheirCommands) {
    RegisterResources();
    DestroyWindow(bar);
    bar = MakeBar(owner, 102);
    const struct {
        const wchar_t* menu;
        const wchar_t* item;
        int command;
    } kItems[] = {{L"Game", L"New", 40012},     {L"Game", L"Statistics", 40015},
                  {L"Game", L"Options", 40014}, {L"Game", L"Exit", 40002},
                  {L"Help", L"Rules", 40013},   {L"Help", L"About", 40003}};
    for (const auto& c : kItems) {
        events.clear();
        Drive({[&] { TapOn(BarItem(c.menu)); }, [&] { TapOn(MenuItem(c.item)); }});
        HeadlessPump();
        EXPECT_EQ(events, std::vector<std::string>{"command " + std::to_string(c.command) + " 0"});
    }
    // The Options page's bar: the one command "OK".
    DestroyWindow(bar);
    bar = MakeBar(owner, 145);
    EXPECT_EQ(HeadlessMenuBarItem(bar, L"Game"), -1);
    EXPECT_FALSE(HeadlessMenuBarItemOpensMenu(bar, 0));
    events.clear();
    Drive({[] { TapOn(BarItem(L"OK")); }});
    EXPECT_EQ(events, std::vector<std::string>{"command 1 0"});
}

// The real program's main window and its bar.
class MenuGameTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        MakeGraphics();
        InvalidateRect(mainWindow, nullptr, FALSE);
        HeadlessPump();
    }
    void TearDown() override {
        HeadlessSetInputSource(nullptr);
        FreeGraphics();
        GameTest::TearDown();
    }
};

TEST_F(MenuGameTest, TheTableNeverPaintsOverTheBar) {
    ASSERT_NE(menuBar, nullptr);
    EXPECT_EQ(HeadlessMenuBar(), menuBar);
    RECT r;
    GetWindowRect(menuBar, &r);
    EXPECT_EQ(r.top, ScaleY(294));
    // A hand long enough to reach under the bar.
    Deal(humanHand,
         "6D 7D 8D 9D TD JD QD KD AD 6H 7H 8H 9H TH JH QH KH AH 6C 7C 8C 9C TC JC QC KC AC 6S 7S",
         SortByRank);
    InvalidateRect(mainWindow, nullptr, FALSE);
    HeadlessPump();
    const COLORREF table = backgroundColours[background];
    EXPECT_NE(HeadlessPixel(ScaleX(16), r.top - 2), table) << "the fifth row's card above";
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = 0; x < r.right; x += 3) {
            const COLORREF c = HeadlessPixel(x, y);
            ASSERT_NE(c, table) << x << ", " << y;
            ASSERT_NE(c, RGB(255, 255, 255)) << x << ", " << y;
        }
}

TEST_F(MenuGameTest, TapsOnTheBarNeverReachTheTable) {
    ShowStatus(L"Status");
    HeadlessPump();
    const uint32_t serial = gameSerial;
    RECT r;
    GetWindowRect(menuBar, &r);
    Drive({[&] { HeadlessTap(r.right - 3, r.bottom - 3); }, [] { TapOn(BarItem(L"Game")); },
           [] { TapOn(BarItem(L"Game")); }, [] { TapOn(BarItem(L"Help")); },
           [] { HeadlessTap(ScaleX(100), ScaleY(90)); }});
    EXPECT_NE(statusText, nullptr) << "no tap reached the window beneath";
    EXPECT_EQ(gameSerial, serial);
    HeadlessTap(ScaleX(100), ScaleY(250));
    HeadlessPump();
    EXPECT_EQ(statusText, nullptr) << "the window takes taps again";
}

// The program run by WinMain, with its own loop and accelerators.
class MenuProgramTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        char pattern[] = "/tmp/velmora-menu-XXXXXX";
        dir = mkdtemp(pattern);
        PlatformSetConfigHome(dir.c_str());
        RegisterResources();
        ConstructProgram();
    }
    void TearDown() override {
        HeadlessSetInputSource(nullptr);
        if (IsWindow(mainWindow)) DestroyWindow(mainWindow);
        HeadlessPump();
        ReleaseProgram();
        PlatformSetConfigHome(nullptr);
        std::filesystem::remove_all(dir);
    }
    std::string dir;
};

TEST_F(MenuProgramTest, NewAndExitFromTheMenuAcceleratorsOnlyWhenClosed) {
    uint32_t serial = 0;
    std::vector<std::function<void()>> steps{
        [&] {
            serial = gameSerial;
            TapOn(BarItem(L"Game"));
        },
        [] { HeadlessKey(WM_SYSKEYDOWN, 'N', KF_ALTDOWN_LPARAM); },
        [&] {
            EXPECT_EQ(gameSerial, serial) << "Alt+N is not translated in the menu";
            EXPECT_EQ(HeadlessOpenMenu(), 0);
            Key(VK_ESCAPE);
        },
        [&] {
            EXPECT_EQ(HeadlessOpenMenu(), -1);
            HeadlessKey(WM_SYSKEYDOWN, 'N', KF_ALTDOWN_LPARAM);
        },
        [&] {
            EXPECT_EQ(gameSerial, serial + 1) << "and is once it has closed";
            TapOn(BarItem(L"Game"));
        },
        [] { TapOn(MenuItem(L"New")); },
        [&] {
            EXPECT_EQ(gameSerial, serial + 2) << "Game > New deals anew";
            EXPECT_EQ(humanHand.count, 6);
            TapOn(BarItem(L"Game"));
        },
        [] { TapOn(MenuItem(L"Exit")); },
    };
    size_t next = 0;
    HeadlessSetInputSource([&] {
        if (next == steps.size()) return false;
        steps[next++]();
        return true;
    });
    EXPECT_EQ(WinMain(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOW), 0);
    EXPECT_EQ(next, steps.size());
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_FALSE(IsWindow(menuBar)) << "the bar goes with the window";
}

}  // namespace
