// The menu bar: a window of its own along the bottom of the screen whose
// menus open upwards, post their commands to the bar's parent and keep
// every tap and key from the windows beneath while open.
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "app/shell.h"
#include "res/resources.h"
#include "tests/fixture.h"

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
    StepInput input(std::move(steps));
    while (!input.Done()) {
        input.RunNext();
        HeadlessPump();
    }
}

// What the parent heard but its paints.
std::vector<std::string> Heard() {
    std::erase(heard, "paint");
    return heard;
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

constexpr WPARAM kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kF10 = 0x79;

// Where a step aims: "bar First", "menu Beta", "outside" (on the parent) or
// "end" (the bar past its last item).
POINT Target(const std::string& where) {
    const std::wstring text(where.begin() + where.find(' ') + 1, where.end());
    if (where.starts_with("bar ")) return CentreOf(BarItem(text.c_str()));
    if (where.starts_with("menu ")) return CentreOf(MenuItem(text.c_str()));
    if (where == "outside") return {20, 20};
    return {GetSystemMetrics(SM_CXSCREEN) - 3, GetSystemMetrics(SM_CYSCREEN) - 3};
}

// One step of a script: "tap", "press" or "release" and a target, "key"
// and a key's name, with "Alt+" if held, "close now" (the close request),
// "box open" (a message box that the following steps run inside, until
// "box answer"), "hide bar" or "disable window".
void Do(const std::string& step) {
    static const std::map<std::string, WPARAM> kKeys = {
        {"Left", kLeft}, {"Up", kUp},          {"Right", kRight},
        {"Down", kDown}, {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE},
        {"F10", kF10},   {"N", 'N'},           {"F4", VK_F4}};
    const std::string verb = step.substr(0, step.find(' ')), arg = step.substr(verb.size() + 1);
    if (verb == "tap") {
        const POINT p = Target(arg);
        HeadlessTap(p.x, p.y);
    } else if (verb == "press" || verb == "release") {
        const POINT p = Target(arg);
        HeadlessPointer(verb == "press" ? WM_LBUTTONDOWN : WM_LBUTTONUP, p.x, p.y);
    } else if (step.starts_with("key Alt+")) {
        HeadlessKey(WM_SYSKEYDOWN, kKeys.at(arg.substr(4)), KF_ALTDOWN_LPARAM);
    } else if (verb == "key") {
        PressKey(kKeys.at(arg));
    } else if (step == "close now") {
        HeadlessRequestClose();
    } else if (step == "box open") {
        MessageBoxW(GetParent(HeadlessMenuBar()), L"Busy", L"", MB_OK);
    } else if (step == "box answer") {
        HeadlessQueueBoxAnswer(IDOK);
    } else if (step == "hide bar") {
        CommandBar_Show(HeadlessMenuBar(), FALSE);
    } else if (step == "disable window") {
        EnableWindow(GetParent(HeadlessMenuBar()), FALSE);
    } else {
        ADD_FAILURE() << "no such step: " << step;
    }
}

class MenuBarTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Restart(96);
    }
    void TearDown() override { RegisterResources(); }
    void Restart(int dpi) {
        StartScreen(dpi);
        PlatformSetResources(&kResources);
        owner = MakeWindow(Recorder);
        bar = MakeBar(owner, kTestMenu);
        heard.clear();
    }
    HWND owner = nullptr;
    HWND bar = nullptr;
};

// At each density: the bar along the bottom with its labels left to right;
// each menu just above it, aligned with its item unless that would leave
// the screen, and gone without a trace once closed.
TEST_F(MenuBarTest, LaidOutAtEachDensity) {
    const struct {
        const wchar_t* item;
        std::vector<const wchar_t*> rows;
        bool atItem;  // else pushed left to stay on the screen
    } kPopups[] = {
        {.item = L"First", .rows = {L"Alpha", L"Beta", L"Gamma"}, .atItem = true},
        {.item = L"Wide", .rows = {L"An entry far too long to fit", L"Short"}, .atItem = false}};
    for (int dpi : {96, 128, 192}) {
        SCOPED_TRACE(dpi);
        Restart(dpi);
        ASSERT_NE(bar, nullptr);
        const int width = (240 * dpi + 48) / 96, height = (320 * dpi + 48) / 96;
        const int barHeight = (26 * dpi + 48) / 96;
        RECT r;
        GetWindowRect(bar, &r);
        EXPECT_EQ(r, (RECT{0, height - barHeight, width, height}));
        EXPECT_EQ(HeadlessMenuBar(), bar);
        int left = 0;
        for (const wchar_t* text : {L"First", L"Go", L"Wide"}) {
            RECT item = BarItem(text);
            EXPECT_EQ(item.left, left);
            EXPECT_GT(item.right, item.left + (20 * dpi) / 96);
            EXPECT_EQ(item.top, r.top);
            EXPECT_EQ(item.bottom, r.bottom);
            left = item.right;
        }
        EXPECT_LE(left, width);

        for (const auto& c : kPopups) {
            const RECT item = BarItem(c.item);
            RECT menu{};
            Drive({[&] { TapCentre(item); },
                   [&] {
                       ASSERT_EQ(HeadlessOpenMenu(), HeadlessMenuBarItem(bar, c.item));
                       menu = MenuItem(c.rows.front());
                       EXPECT_GT(menu.top, 0);
                       EXPECT_EQ(std::abs(menu.left - item.left) <= 2, c.atItem) << "left-aligned";
                       for (size_t i = 1; i < c.rows.size(); ++i) {
                           RECT row = MenuItem(c.rows[i]);
                           EXPECT_EQ(row.top, menu.bottom) << "in order";
                           menu.bottom = row.bottom;
                       }
                       EXPECT_LT(menu.bottom, r.top) << "just above the bar";
                       EXPECT_GE(menu.bottom, r.top - (6 * dpi) / 96);
                       EXPECT_LE(menu.right, width) << "on the screen";
                       EXPECT_GE(menu.right, c.atItem ? 0 : width - 2);
                       EXPECT_EQ(HeadlessMenuItem(L"Nothing"), -1);
                       // Painted already: white rows over the red window.
                       EXPECT_NE(HeadlessPixel(menu.left + 2, menu.top + 2), kRecorderColour);
                   }});
            EXPECT_EQ(HeadlessOpenMenu(), -1) << "closed when input ended";
            HeadlessPump();
            for (int y = menu.top; y < menu.bottom; y += 3)
                for (int x = menu.left; x < menu.right; x += 3)
                    ASSERT_EQ(HeadlessPixel(x, y), kRecorderColour) << x << ", " << y;
        }
        EXPECT_EQ(Heard(), std::vector<std::string>{})
            << "nothing reached the window, nothing erased";
    }
}

// Each script runs on a fresh window and bar. A step is followed by the
// open menu after it and, where given, its highlighted row: "key Down: 0 1".
TEST_F(MenuBarTest, ScriptsOfTapsAndKeys) {
    const struct {
        const char* what;
        std::vector<std::string> steps;
        std::vector<std::string> heard;  // by the parent
    } kCases[] = {
        {.what = "an item posts its command",
         .steps = {"tap bar First: 0", "tap menu Beta: -1"},
         .heard = {"command 102 0"}},
        {.what = "another bar item switches menus",
         .steps = {"tap bar First: 0", "tap bar Wide: 2", "tap menu Short: -1"},
         .heard = {"command 202 0"}},
        {.what = "the open item again closes it",
         .steps = {"tap bar Wide: 2", "tap bar Wide: -1"},
         .heard = {}},
        {.what = "a tap outside closes it and is swallowed with its release; the next one is not",
         .steps = {"tap bar First: 0", "tap outside: -1", "tap outside: -1"},
         .heard = {"down 20,20", "up"}},
        {.what = "a command item of the bar posts at once",
         .steps = {"tap bar Go: -1"},
         .heard = {"command 7 0"}},
        {.what = "a command item reached from an open menu",
         .steps = {"tap bar First: 0", "tap bar Go: -1"},
         .heard = {"command 7 0"}},
        {.what = "a command item let go elsewhere does nothing",
         .steps = {"press bar Go: -1", "release outside: -1"},
         .heard = {}},
        {.what = "a press on a menu item picks it only when let go",
         .steps = {"tap bar First: 0 -1", "press menu Alpha: 0 0", "release menu Gamma: -1"},
         .heard = {"command 103 0"}},
        {.what = "the bar's empty end opens nothing and reaches nothing",
         .steps = {"tap end: -1"},
         .heard = {}},
        {.what = "down from none takes the first, then wraps",
         .steps = {"tap bar First: 0 -1", "key Down: 0 0", "key Down: 0 1", "key Down: 0 2",
                   "key Down: 0 0", "key Escape: -1"},
         .heard = {}},
        {.what = "up from none takes the last, then wraps",
         .steps = {"tap bar First: 0", "key Up: 0 2", "key Up: 0 1", "key Up: 0 0", "key Up: 0 2",
                   "key Enter: -1"},
         .heard = {"command 103 0"}},
        {.what = "right and left skip the command item and wrap",
         .steps = {"tap bar First: 0", "key Right: 2 0", "key Right: 0 0", "key Left: 2 0",
                   "key Down: 2 1", "key Enter: -1"},
         .heard = {"command 202 0"}},
        {.what = "Enter with nothing highlighted picks nothing; other keys are swallowed",
         .steps = {"tap bar First: 0", "key Enter: 0 -1", "key N: 0 -1", "key Alt+N: 0 -1",
                   "key F4: 0 -1", "key Escape: -1"},
         .heard = {}},
        {.what = "F10 on the window opens its first menu; only F10 reaches the window",
         .steps = {"key F10: 0 0", "key Down: 0 1", "key Enter: -1"},
         .heard = {"key 121", "command 102 0"}},
        {.what = "a close request closes the menu, then the window",
         .steps = {"tap bar First: 0", "close now: -1"},
         .heard = {"destroy"}},
        {.what = "Alt+F4 in an open menu is the close request",
         .steps = {"tap bar First: 0", "key Alt+F4: -1"},
         .heard = {"destroy"}},
        {.what = "a box disables the bar, and gives it back",
         .steps = {"box open: -1", "tap bar First: -1", "box answer: -1", "tap bar First: 0",
                   "key Escape: -1"},
         .heard = {"activate 0", "activate 1"}},
        {.what = "a bar takes no input while its window does not",
         .steps = {"disable window: -1", "tap bar First: -1", "key F10: -1"},
         .heard = {}},
        {.what = "a hidden bar takes nothing: taps reach the window, F10 opens nothing",
         .steps = {"hide bar: -1", "tap end: -1", "key F10: -1"},
         .heard = {"down 237,317", "up", "key 121"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        Restart(96);
        std::vector<std::string> seen;
        std::vector<std::function<void()>> steps;
        for (const std::string& step : c.steps) {
            const size_t colon = step.find(':');
            steps.push_back([&, step, colon] { Do(step.substr(0, colon)); });
            steps.push_back([&, step, colon] {
                std::string now = step.substr(0, colon) + ": " + std::to_string(HeadlessOpenMenu());
                if (step.find(' ', colon + 2) != std::string::npos)
                    now += " " + std::to_string(HeadlessMenuHighlight());
                seen.push_back(now);
            });
        }
        Drive(steps);
        HeadlessPump();
        EXPECT_EQ(seen, c.steps);
        EXPECT_EQ(Heard(), c.heard);
        EXPECT_EQ(HeadlessOpenMenu(), -1);
        EXPECT_EQ(IsWindow(bar), IsWindow(owner)) << "the bar goes with its window";
    }
}

TEST_F(MenuBarTest, CommandsArePostedNotSent) {
    StepInput input({[] { Do("tap menu Alpha"); }});
    Do("tap bar First");
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageW(&msg);  // the press on the bar: the menu's whole life
    EXPECT_TRUE(Heard().empty()) << "nothing sent while the menu ran";
    ASSERT_TRUE(PeekMessageW(&msg, owner, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 101u);
    HeadlessPump();
    EXPECT_EQ(Heard(), std::vector<std::string>{"command 101 0"});
}

// The program's own bars are played through whole by the replays; here
// the Options page's: no menus, the one command "OK". A menu the program
// does not have makes no bar.
TEST_F(MenuBarTest, TheOptionsPagesBarIsOneCommand) {
    RegisterResources();
    EXPECT_EQ(MakeBar(owner, 999), nullptr);
    DestroyWindow(bar);
    bar = MakeBar(owner, 145);
    EXPECT_EQ(HeadlessMenuBarItem(bar, L"Game"), -1);
    EXPECT_FALSE(HeadlessMenuBarItemOpensMenu(bar, 0));
    heard.clear();
    Drive({[] { Do("tap bar OK"); }});
    EXPECT_EQ(Heard(), std::vector<std::string>{"command 1 0"});
}

}  // namespace
