// The keys every backend hands the program, and which of a browser's keys
// the page takes for it: the browser keeps its own chords, function keys and
// Tab, except where a dialog moves between its controls with Tab.
#include "platform/keys.h"
#include "app/shell.h"
#include "res/ids.h"
#include "tests/dialog_steps.h"
#include "tests/game_fixture.h"

namespace {

class KeysTest : public GameTest {};

constexpr WPARAM kF3 = VK_F1 + 2, kF5 = VK_F1 + 4, kF6 = VK_F1 + 5, kF7 = VK_F1 + 6;
constexpr WPARAM kF8 = VK_F1 + 7, kF12 = VK_F1 + 11;

TEST_F(KeysTest, TheProgramsKeys) {
    const struct {
        WPARAM key;
        bool known;
    } kCases[] = {
        {'A', true},        {'Z', true},       {'0', true},       {'9', true},
        {VK_F1, true},      {kF12, true},      {VK_RETURN, true}, {VK_ESCAPE, true},
        {VK_TAB, true},     {VK_SPACE, true},  {VK_SHIFT, true},  {VK_CONTROL, true},
        {VK_MENU, true},    {VK_PRIOR, true},  {VK_NEXT, true},   {VK_HOME, true},
        {VK_END, true},     {VK_LEFT, true},   {VK_DOWN, true},   {0, false},
        {'A' - 1, false},   {'Z' + 1, false},  {'0' - 1, false},  {'9' + 1, false},
        {VK_F1 - 1, false}, {kF12 + 1, false}, {0x08, false},     {0x2E, false},
        {0x5B, false},      {0x60, false},     {0xBA, false},     {'a', false},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(IsProgramKey(c.key), c.known) << "key " << c.key;
}

TEST_F(KeysTest, ThePageLeavesTheBrowsersKeysToIt) {
    LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    const struct {
        const char* name;
        WPARAM key;
        unsigned chord;
        bool taken;
    } kCases[] = {
        {"Left", VK_LEFT, 0, true},
        {"Right", VK_RIGHT, 0, true},
        {"Space", VK_SPACE, 0, true},
        {"Enter", VK_RETURN, 0, true},
        {"Escape", VK_ESCAPE, 0, true},
        {"Down", VK_DOWN, 0, true},
        {"T", 'T', 0, true},
        {"S", 'S', 0, true},
        {"R", 'R', 0, true},
        {"H", 'H', 0, true},
        {"Shift+S", 'S', ChordShift, true},
        {"7", '7', 0, true},
        {"F1", VK_F1, 0, true},
        {"F2", VK_F1 + 1, 0, true},
        {"F4", VK_F4, 0, true},
        {"F8", kF8, 0, true},
        {"F10", VK_F10, 0, true},
        {"Shift", VK_SHIFT, ChordShift, true},
        {"Alt", VK_MENU, ChordAlt, true},
        {"Alt+N", 'N', ChordAlt, true},
        {"Ctrl", VK_CONTROL, ChordCtrl, false},
        {"Ctrl+N", 'N', ChordCtrl, false},
        {"Ctrl+Q", 'Q', ChordCtrl, false},
        {"Ctrl+Alt+N", 'N', ChordCtrl | ChordAlt, false},
        {"Meta+N", 'N', ChordMeta, false},
        {"Ctrl+Left", VK_LEFT, ChordCtrl, false},
        {"Alt+F4", VK_F4, ChordAlt, false},
        {"Alt+Left", VK_LEFT, ChordAlt, false},
        {"Alt+D", 'D', ChordAlt, false},
        {"Alt+Enter", VK_RETURN, ChordAlt, false},
        {"F3", kF3, 0, false},
        {"F5", kF5, 0, false},
        {"F6", kF6, 0, false},
        {"F7", kF7, 0, false},
        {"F11", VK_F11, 0, false},
        {"F12", kF12, 0, false},
        {"Tab", VK_TAB, 0, false},
        {"Shift+Tab", VK_TAB, ChordShift, false},
        {"Delete", 0x2E, 0, false},
        {"Backspace", 0x08, 0, false},
        {"a code of no key", 0, 0, false},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(PageTakesKey(c.key, c.chord), c.taken) << c.name;
}

// Inside a dialog Tab moves between its controls, so the page takes it; the
// browser's chords stay the browser's there too.
TEST_F(KeysTest, TabIsTheDialogsWhileOneIsOpen) {
    bool tab = false, shiftTab = false, ctrlTab = false, f5 = true;
    RunCommand(mainWindow, IDM_OPTIONS, {[&] {
                   tab = PageTakesKey(VK_TAB, 0);
                   shiftTab = PageTakesKey(VK_TAB, ChordShift);
                   ctrlTab = PageTakesKey(VK_TAB, ChordCtrl);
                   f5 = PageTakesKey(kF5, 0);
                   PressKey(VK_ESCAPE);
               }});
    EXPECT_TRUE(tab);
    EXPECT_TRUE(shiftTab);
    EXPECT_FALSE(ctrlTab);
    EXPECT_FALSE(f5);
    EXPECT_FALSE(PageTakesKey(VK_TAB, 0)) << "the dialog closed";
}

}  // namespace
