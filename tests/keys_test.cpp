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
        {VK_F1, true},      {kF12, true},      {VK_RETURN, true}, {VK_TAB, true},
        {VK_CONTROL, true}, {VK_PRIOR, true},  {VK_DOWN, true},   {0, false},
        {'A' - 1, false},   {'Z' + 1, false},  {'0' - 1, false},  {'9' + 1, false},
        {VK_F1 - 1, false}, {kF12 + 1, false}, {0x08, false},     {0x2E, false},
        {0x60, false},      {'a', false},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(IsProgramKey(c.key), c.known) << "key " << c.key;
}

TEST_F(KeysTest, ThePageLeavesTheBrowsersKeysToIt) {
    LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    constexpr unsigned kShift = ChordShift, kCtrl = ChordCtrl, kAlt = ChordAlt, kMeta = ChordMeta;
    constexpr unsigned kCtrlAlt = ChordCtrl | ChordAlt;
    struct Press {
        WPARAM key;
        unsigned chord;
    };
    // The program's: the moves, R and H, its function keys, Alt+N and the
    // modifiers it is told of.
    const Press kTaken[] = {{VK_LEFT, 0},    {VK_SPACE, 0}, {VK_RETURN, 0}, {VK_ESCAPE, 0},
                            {VK_DOWN, 0},    {'T', 0},      {'R', 0},       {'H', 0},
                            {'S', kShift},   {'7', 0},      {VK_F1, 0},     {VK_F1 + 1, 0},
                            {VK_F4, 0},      {kF8, 0},      {VK_F10, 0},    {VK_SHIFT, kShift},
                            {VK_MENU, kAlt}, {'N', kAlt}};
    // The browser's: its chords, its function keys, Tab and what no backend
    // hands over.
    const Press kKept[] = {{VK_CONTROL, kCtrl},
                           {'N', kCtrl},
                           {'Q', kCtrl},
                           {'N', kCtrlAlt},
                           {'N', kMeta},
                           {VK_LEFT, kCtrl},
                           {VK_F4, kAlt},
                           {VK_LEFT, kAlt},
                           {'D', kAlt},
                           {VK_RETURN, kAlt},
                           {kF3, 0},
                           {kF5, 0},
                           {kF6, 0},
                           {kF7, 0},
                           {VK_F11, 0},
                           {kF12, 0},
                           {VK_TAB, 0},
                           {VK_TAB, kShift},
                           {0x2E, 0},
                           {0, 0}};
    for (const Press& p : kTaken)
        EXPECT_TRUE(PageTakesKey(p.key, p.chord)) << "key " << p.key << " chord " << p.chord;
    for (const Press& p : kKept)
        EXPECT_FALSE(PageTakesKey(p.key, p.chord)) << "key " << p.key << " chord " << p.chord;
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
