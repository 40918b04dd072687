#include "tools/replay/script.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <sstream>
#include <vector>

#include "app/shell.h"
#include "game/state.h"
#include "platform/headless/headless.h"
#include "platform/kept.h"
#include "res/ids.h"
#include "tools/replay/dump.h"
#include "ui/hittest.h"
#include "ui/scale.h"

void (*replayCleanup)() = nullptr;
bool replayKeysUsed = false;
bool replayPauses = false;
bool replayLog = false;
bool replayRestart = false;

namespace {

bool Inside(const RECT& r, int x, int y) {
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

void Tap(int x, int y) {
    HeadlessPointer(WM_LBUTTONDOWN, x, y);
    HeadlessPointer(WM_LBUTTONUP, x, y);
}

void TapMiddle(const RECT& r) {
    Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

// The class of control `id` in the open dialog's template, or null.
const wchar_t* ControlClass(int id) {
    const DLGTEMPLATE* t = OpenDialogTemplate();
    if (!t) return nullptr;
    for (int i = 0; i < t->itemCount; ++i)
        if (t->items[i].id == id) return t->items[i].className;
    return nullptr;
}

bool Is(const wchar_t* a, const wchar_t* b) {
    return a && std::wcscmp(a, b) == 0;
}

constexpr size_t kMaxLine = 4096;
constexpr long kMaxNumber = 0xFFFF;

// A number of a script line: decimal digits only, up to kMaxNumber; -1
// for anything else, so nothing wraps or is cut short.
long ParseNumber(const std::string& word) {
    if (word.empty()) return -1;
    long value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
        if (value > kMaxNumber) return -1;
    }
    return value;
}

}  // namespace

// The next line into line_, without its newline. A NUL or a line past
// kMaxLine bytes stops the reading there, so that neither an endless line
// nor a stream of zeros is read to its end.
ReplayScript::Read ReplayScript::ReadLine() {
    line_.clear();
    bool any = false;
    for (;;) {
        if (taken_ == buffered_) {
            const ssize_t n = read(fd_, buffer_, sizeof buffer_);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                readError_ = errno;
                return Read::kError;
            }
            if (n == 0) return any ? Read::kLine : Read::kEnd;
            buffered_ = static_cast<int>(n);
            taken_ = 0;
        }
        const char c = buffer_[taken_++];
        any = true;
        if (c == '\n') return Read::kLine;
        if (c == '\0') return Read::kNul;
        if (line_.size() == kMaxLine) return Read::kTooLong;
        line_.push_back(c);
    }
}

void ReplayScript::Fail(const std::string& why) const {
    std::fflush(stdout);
    std::fprintf(stderr, "velmora-replay: line %d: %s: %s\n", lineNumber_, why.c_str(),
                 line_.c_str());
    if (replayCleanup) replayCleanup();
    std::_Exit(2);
}

// A point on the card, off the table area and both buttons, where the hit
// test finds that very card.
void ReplayScript::TapCard(int suit, int rank) const {
    int32_t position = 0;
    for (int32_t i = 1; i <= humanHand.count; ++i)
        if (CardAt(humanHand, i).suit == suit && CardAt(humanHand, i).rank == rank) position = i;
    if (position == 0) Fail("the card is not in the hand");
    const Card& c = CardAt(humanHand, position);
    const RECT table = ScaleRect(units::tableArea);
    // The menu bar covers the bottom of a long hand.
    RECT bar{};
    if (!GetWindowRect(menuBar, &bar)) bar = RECT{};
    for (int y = c.y + c.height; y >= c.y; --y) {
        for (int x = c.x - 2; x <= c.x + c.width - 2; ++x) {
            if (Inside(table, x, y) || Inside(lowerButtonRect, x, y) ||
                Inside(upperButtonRect, x, y) || PtInRect(&bar, POINT{x, y}))
                continue;
            if (CardUnder(humanHand, x, y) != position) continue;
            Tap(x, y);
            return;
        }
    }
    Fail("no point of the card can be tapped");
}

// `menu NAME [ITEM]`: a tap on the bar item NAME of the topmost bar; once
// its menu is open, a tap on ITEM. Names are the texts in lower case.
void ReplayScript::OpenMenu(std::istringstream& words) {
    std::string name, extra;
    if (!(words >> name)) Fail("expected a menu");
    menuItem_.clear();
    words >> menuItem_;
    if (words >> extra) Fail("expected a menu and at most one item");
    HWND bar = HeadlessMenuBar();
    int index = HeadlessMenuBarItem(bar, Wide(name).c_str());
    RECT r{};
    if (index < 0 || !HeadlessMenuBarItemRect(bar, index, &r)) Fail("no such menu");
    const bool opens = HeadlessMenuBarItemOpensMenu(bar, index);
    if (!opens && !menuItem_.empty()) Fail("the menu has no items");
    // A tap on the open menu's own item would close it.
    if (opens && HeadlessOpenMenu() == index) {
        menuPending_ = true;
        FinishMenu();
        return;
    }
    TapMiddle(r);
    menuPending_ = opens;
}

// Runs once the tap on the bar has been handled: false when nothing was
// left to do for the `menu` line.
bool ReplayScript::FinishMenu() {
    menuPending_ = false;
    if (HeadlessOpenMenu() < 0) Fail("the menu did not open");
    if (menuItem_.empty()) return false;
    RECT r{};
    if (!HeadlessMenuItemRect(HeadlessMenuItem(Wide(menuItem_).c_str()), &r)) Fail("no such item");
    TapMiddle(r);
    return true;
}

// `control ID check|uncheck|select N|click`: taps on a control of the open
// dialog, as a player would make them.
void ReplayScript::WorkControl(std::istringstream& words) {
    long id = -1;
    std::string verb, extra;
    if (!(words >> id) || !(words >> verb)) Fail("expected a control and what to do");
    if (HeadlessOpenDialog() < 0) Fail("no dialog is open");
    RECT r{};
    const int control = static_cast<int>(id);
    if (id < 0 || id >= 0xFFFF || !HeadlessControlRect(control, &r)) Fail("no such control");
    if (verb == "check" || verb == "uncheck") {
        if (words >> extra) Fail("expected nothing after the verb");
        int state = HeadlessControlState(control);
        if (!Is(ControlClass(control), L"BUTTON") || state < 0)
            Fail("the control is not a check box");
        if (state != (verb == "check" ? 1 : 0)) TapMiddle(r);
    } else if (verb == "click") {
        if (words >> extra) Fail("expected nothing after the verb");
        TapMiddle(r);
    } else if (verb == "select") {
        long n = -1;
        if (!(words >> n) || (words >> extra) || n < 0 || n > 0xFFFF)
            Fail("expected one item number from 0");
        const int item = static_cast<int>(n);
        const wchar_t* kind = ControlClass(control);
        RECT shown{};
        if (Is(kind, L"LISTBOX")) {
            if (!HeadlessListItemRect(control, item, &shown)) Fail("no such item shown");
            TapMiddle(shown);
        } else if (Is(kind, L"COMBOBOX")) {
            selectCombo_ = control;
            selectItem_ = item;
            // An open list would close at a tap on its combo.
            if (HeadlessListItemRect(control, 0, &shown))
                FinishSelect();
            else
                TapMiddle(r);
        } else {
            Fail("the control is not a list");
        }
    } else {
        Fail("unknown control verb");
    }
}

void ReplayScript::FinishSelect() {
    const int combo = selectCombo_;
    selectCombo_ = -1;
    RECT r{};
    if (!HeadlessListItemRect(combo, 0, &r)) Fail("the list did not open");
    if (!HeadlessListItemRect(combo, selectItem_, &r)) Fail("no such item shown");
    TapMiddle(r);
}

// `key NAME`: pressed and let go; ctrl+, alt+ and shift+ hold that key
// around it.
void ReplayScript::PressKey(const std::string& name) const {
    static constexpr struct {
        const char* name;
        WPARAM key;
    } kKeys[] = {{"left", VK_LEFT},     {"right", VK_RIGHT}, {"up", VK_UP},
                 {"down", VK_DOWN},     {"space", VK_SPACE}, {"enter", VK_RETURN},
                 {"escape", VK_ESCAPE}, {"f1", VK_F1},       {"f2", VK_F2},
                 {"f4", VK_F4},         {"f10", VK_F10},     {"f11", VK_F11}};
    std::string rest = name;
    const bool alt = rest.rfind("alt+", 0) == 0, ctrl = rest.rfind("ctrl+", 0) == 0;
    const bool shift = rest.rfind("shift+", 0) == 0;
    if (alt || ctrl) rest.erase(0, alt ? 4 : 5);
    if (shift) rest.erase(0, 6);
    WPARAM key = 0;
    if (rest.size() == 1 && rest[0] >= 'a' && rest[0] <= 'z')
        key = static_cast<WPARAM>(rest[0] - 'a' + 'A');
    for (const auto& k : kKeys)
        if (rest == k.name) key = k.key;
    if (key == 0) Fail("unknown key");
    if (!alt) replayKeysUsed = true;
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN, up = alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM flags = alt ? KF_ALTDOWN_LPARAM : 0;
    if (ctrl) HeadlessKey(WM_KEYDOWN, VK_CONTROL, 0);
    if (shift) HeadlessKey(WM_KEYDOWN, VK_SHIFT, 0);
    HeadlessKey(down, key, flags);
    HeadlessKey(up, key, flags);
    if (shift) HeadlessKey(WM_KEYUP, VK_SHIFT, 0);
    if (ctrl) HeadlessKey(WM_KEYUP, VK_CONTROL, 0);
}

// `dialog ok|cancel`: Enter or Escape, the keys that close a dialog.
void ReplayScript::CloseDialog(std::istringstream& words) {
    std::string word, extra;
    if (!(words >> word) || (words >> extra)) Fail("expected ok or cancel");
    WPARAM key = word == "ok" ? VK_RETURN : word == "cancel" ? VK_ESCAPE : 0;
    if (key == 0) Fail("expected ok or cancel");
    if (HeadlessOpenDialog() < 0) Fail("no dialog is open");
    HeadlessKey(WM_KEYDOWN, key, 0);
    HeadlessKey(WM_KEYUP, key, 0);
}

bool ReplayScript::Next() {
    if (menuPending_ && FinishMenu()) return true;
    if (selectCombo_ >= 0) {
        FinishSelect();
        return true;
    }
    for (;;) {
        const Read got = ReadLine();
        if (got == Read::kEnd) return false;
        ++lineNumber_;
        if (got == Read::kTooLong) {
            line_.resize(40);
            line_ += "...";
            Fail("the line is longer than " + std::to_string(kMaxLine) + " bytes");
        }
        if (got == Read::kNul) Fail("the line holds a NUL byte");
        if (got == Read::kError)
            Fail(std::string("cannot read the script: ") + std::strerror(readError_));
        std::istringstream words(line_);
        std::string verb;
        if (!(words >> verb) || verb[0] == '#') continue;
        std::vector<long> numbers;
        std::string word, extra;
        auto numbersOnly = [&](size_t n) {
            while (words >> word) {
                long v = ParseNumber(word);
                if (v < 0) Fail(word + " is not a number from 0 to " + std::to_string(kMaxNumber));
                numbers.push_back(v);
            }
            if (numbers.size() != n) Fail("expected " + std::to_string(n) + " numbers");
        };
        if (verb == "tap" || verb == "down" || verb == "up" || verb == "dbltap") {
            numbersOnly(2);
            int x = static_cast<int>(numbers[0]), y = static_cast<int>(numbers[1]);
            if (verb == "tap") Tap(x, y);
            if (verb == "down") HeadlessPointer(WM_LBUTTONDOWN, x, y);
            if (verb == "up") HeadlessPointer(WM_LBUTTONUP, x, y);
            if (verb == "dbltap") {
                Tap(x, y);
                HeadlessPointer(WM_LBUTTONDBLCLK, x, y);
                HeadlessPointer(WM_LBUTTONUP, x, y);
            }
        } else if (verb == "table") {
            // The same place at every density: the middle of the table area.
            if (words >> extra) Fail("table takes nothing");
            TapMiddle(ScaleRect(units::tableArea));
        } else if (verb == "button") {
            if (!(words >> word) || (words >> extra)) Fail("expected lower or upper");
            if (word != "lower" && word != "upper") Fail("expected lower or upper");
            TapMiddle(word == "lower" ? lowerButtonRect : upperButtonRect);
        } else if (verb == "card") {
            numbersOnly(2);
            TapCard(static_cast<int>(numbers[0]), static_cast<int>(numbers[1]));
        } else if (verb == "command") {
            numbersOnly(1);
            // A box's or a dialog's own loop has no menu to take it from.
            if (HeadlessOpenBoxes() == 0 && HeadlessOpenDialog() < 0)
                PostMessageW(mainWindow, WM_COMMAND, static_cast<WPARAM>(numbers[0]), 0);
        } else if (verb == "density") {
            // As a window resized to fit the screen at that density.
            numbersOnly(1);
            if (numbers[0] < 24 || numbers[0] > 960) Fail("expected a density from 24 to 960");
            HeadlessWantDensity(static_cast<int>(numbers[0]));
        } else if (verb == "menu") {
            OpenMenu(words);
        } else if (verb == "control") {
            WorkControl(words);
        } else if (verb == "dialog") {
            CloseDialog(words);
        } else if (verb == "key") {
            if (!(words >> word) || (words >> extra)) Fail("expected one key");
            PressKey(word);
        } else if (verb == "answer") {
            if (!(words >> word) || (words >> extra)) Fail("expected one answer");
            int id = word == "yes"      ? IDYES
                     : word == "no"     ? IDNO
                     : word == "ok"     ? IDOK
                     : word == "cancel" ? IDCANCEL
                                        : 0;
            if (id == 0) Fail("unknown answer");
            HeadlessQueueBoxAnswer(id);
        } else if (verb == "screenshot") {
            // The rest of the line is the file: the screen as a player sees it.
            std::string path;
            std::getline(words >> std::ws, path);
            if (path.empty()) Fail("expected a file");
            if (!HeadlessSaveScreenshot(path.c_str())) Fail("cannot write the screenshot");
        } else if (verb == "restart") {
            if (words >> extra) Fail("restart takes nothing");
            replayRestart = true;
            // Inside a box or a dialog it stops the program where it is:
            // nothing more is saved, and every loop ends as input ends.
            if (HeadlessOpenBoxes() > 0 || HeadlessOpenDialog() >= 0) {
                PlatformFreezeSaves(true);
                return false;
            }
            PostMessageW(mainWindow, WM_COMMAND, IDM_EXIT, 0);
        } else if (verb == "dump") {
            if (words >> extra) Fail("dump takes nothing");
            std::printf("%s\n", DumpState().c_str());
            std::fflush(stdout);
        } else {
            Fail("unknown command");
        }
        return true;
    }
}
