// Dialogs from templates: dialog units, the drawn controls, the keyboard,
// the close box, and the modal loop that alone takes input while paints go on.
#include <functional>
#include <string>
#include <utility>

#include "platform/dialog_internal.h"
#include "res/resources.h"
#include "tests/fixture.h"

namespace {

std::vector<std::string> events;
std::vector<std::pair<int, int>> commands;  // (id, notification)

LRESULT Owner(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            events.push_back("paint");
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            events.push_back("owner tapped");
            return 0;
        case WM_KEYDOWN:
            events.push_back("owner key");
            return 0;
        case WM_ACTIVATE:
            events.push_back(LOWORD(w) ? "owner active" : "owner inactive");
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, w, l);
    }
}

constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

// The check box comes last in the template but first on screen.
const DialogItemTemplate kItems[] = {
    {L"LISTBOX", L"", 102, kList, 4, 20, 60, 30},
    {L"COMBOBOX", L"", 103, WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 70, 20, 60, 60},
    {L"BUTTON", L"Reset", 104, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 4, 56, 40, 14},
    {L"STATIC", L"Label", IDC_STATIC, WS_CHILD | WS_VISIBLE, 50, 58, 40, 8},
    {L"BUTTON", L"Sound", 101, kCheck, 4, 4, 80, 11},
};
const DLGTEMPLATE kTest{
    WS_POPUP | WS_CAPTION | DS_MODALFRAME, 10, 10, 140, 80, L"Test", L"System", 8, kItems, 5};

bool ignoreCancel = false;

INT_PTR TestProc(HWND dialog, UINT msg, WPARAM w, LPARAM) {
    if (msg == WM_INITDIALOG) {
        for (int i = 0; i < 8; ++i) {
            std::wstring item = L"Item " + std::to_wstring(i);
            SendDlgItemMessageW(dialog, 102, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(item.c_str()));
        }
        for (const wchar_t* choice : {L"North", L"East", L"South", L"West"})
            SendDlgItemMessageW(dialog, 103, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
        SendDlgItemMessageW(dialog, 103, CB_SETCURSEL, 1, 0);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    commands.emplace_back(LOWORD(w), HIWORD(w));
    if (LOWORD(w) == IDOK || (LOWORD(w) == IDCANCEL && !ignoreCancel)) {
        EndDialog(dialog, LOWORD(w));
        return TRUE;
    }
    return FALSE;
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void TapControl(int id) {
    RECT r{};
    ASSERT_TRUE(HeadlessControlRect(id, &r)) << id;
    POINT p = Centre(r);
    HeadlessTap(p.x, p.y);
}

void TapItem(int id, int n) {
    RECT r{};
    ASSERT_TRUE(HeadlessListItemRect(id, n, &r)) << id << " item " << n;
    POINT p = Centre(r);
    HeadlessTap(p.x, p.y);
}

void Key(WPARAM key) {
    HeadlessKey(WM_KEYDOWN, key, 0);
    HeadlessKey(WM_KEYUP, key, 0);
}

class DialogTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        RegisterResources();
        Restart(96);
    }
    void Restart(int dpi) {
        StartScreen(dpi);
        owner = MakeWindow(Owner);
        events.clear();
        commands.clear();
        ignoreCancel = false;
    }
    // Runs the dialog with a source that feeds the steps one per idle turn;
    // when they run out, input ends.
    INT_PTR Run(const DLGTEMPLATE* t, DLGPROC proc, std::vector<std::function<void()>> steps) {
        size_t next = 0;
        HeadlessSetInputSource([&] {
            if (next == steps.size()) return false;
            steps[next++]();
            return true;
        });
        INT_PTR result = DialogBoxIndirectParamW(nullptr, t, owner, proc, 0);
        HeadlessSetInputSource(nullptr);
        return result;
    }
    HWND owner = nullptr;
};

// The dialog's own font and base units, worked out here from the font.
struct Base {
    int x, y;
};
Base BaseAt(int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -((8 * dpi + 36) / 72);
    HFONT font = CreateFontIndirectW(&lf);
    HDC mem = CreateCompatibleDC(nullptr);
    SelectObject(mem, font);
    SIZE all{};
    GetTextExtentPoint32W(mem, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &all);
    TEXTMETRICW tm{};
    GetTextMetricsW(mem, &tm);
    DeleteDC(mem);
    DeleteObject(font);
    return {static_cast<int>(all.cx + 26) / 52, static_cast<int>(tm.tmHeight)};
}

int Round(int num, int den) {
    return (2 * num + den) / (2 * den);
}

RECT ControlRect(int id) {
    RECT r{};
    HeadlessControlRect(id, &r);
    return r;
}

TEST_F(DialogTest, TemplatesConvertThroughTheFontsBaseUnits) {
    for (int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        Restart(dpi);
        Base b = BaseAt(dpi);
        RECT dialog{}, check{}, list{}, combo{}, button{};
        Run(&kTest, TestProc, {[&] {
            GetWindowRect(GetForegroundWindow(), &dialog);
            check = ControlRect(101), list = ControlRect(102);
            combo = ControlRect(103), button = ControlRect(104);
            Key(VK_ESCAPE);
        }});
        // Sizes and distances: x * baseX / 4 and y * baseY / 8, to the
        // nearest pixel; the frame (one pixel each side) is in the window.
        EXPECT_EQ(dialog.right - dialog.left, Round(140 * b.x, 4) + 2);
        EXPECT_EQ(dialog.left, Round(10 * b.x, 4));
        EXPECT_EQ(check.right - check.left, Round(84 * b.x, 4) - Round(4 * b.x, 4));
        EXPECT_EQ(list.bottom - list.top, Round(50 * b.y, 8) - Round(20 * b.y, 8));
        EXPECT_EQ(combo.left - list.left, Round(70 * b.x, 4) - Round(4 * b.x, 4));
        EXPECT_EQ(button.top - check.top, Round(56 * b.y, 8) - Round(4 * b.y, 8));
        // The combo box is its closed field; its list hangs below when open.
        EXPECT_EQ(combo.bottom - combo.top, Round(32 * b.y, 8) - Round(20 * b.y, 8));
        // The caption, tall enough for a line of text, and the frame are
        // counted in the window beside the content.
        int contentTop = check.top - Round(4 * b.y, 8);
        EXPECT_GE(contentTop - dialog.top - 1, b.y);
        EXPECT_EQ(dialog.bottom - contentTop, Round(80 * b.y, 8) + 1);
    }
}

INT_PTR FillLikeOptions(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG) return FALSE;
    const wchar_t* text = nullptr;
    for (UINT id = 300; id <= 305; ++id)
        if (LoadStringW(nullptr, id, reinterpret_cast<wchar_t*>(&text), 0) > 0)
            SendDlgItemMessageW(dialog, 1015, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    for (UINT id = 319; id <= 328; ++id)
        if (LoadStringW(nullptr, id, reinterpret_cast<wchar_t*>(&text), 0) > 0)
            SendDlgItemMessageW(dialog, id < 324 ? 1003 : 1006, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(text));
    SetDlgItemTextW(dialog, 1005, L"888\n888");
    return TRUE;
}

const DLGTEMPLATE* Template(UINT id) {
    return static_cast<const DLGTEMPLATE*>(LockResource(
        LoadResource(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG))));
}

// Every text of both templates, and every entry of the lists, fits its
// control whole at each density.
TEST_F(DialogTest, NoTemplateTextIsClipped) {
    for (int dpi : {96, 144, 192})
        for (UINT id : {130u, 131u}) {
            SCOPED_TRACE(std::to_string(dpi) + " dpi, dialog " + std::to_string(id));
            Restart(dpi);
            int measured = 0;
            Run(Template(id), FillLikeOptions, {[&] {
                    Dialog* d = TopDialog();
                    ASSERT_NE(d, nullptr);
                    HDC mem = CreateCompatibleDC(nullptr);
                    SelectObject(mem, d->font);
                    for (const auto& c : d->controls) {
                        wchar_t text[100];
                        GetWindowTextW(c->hwnd, text, 100);
                        RECT room = ControlTextRect(*c), need = room;
                        DrawTextW(mem, text, -1, &need, ControlTextFormat(*c) | DT_CALCRECT);
                        EXPECT_LE(need.right - need.left, room.right - room.left) << c->id;
                        EXPECT_LE(need.bottom - need.top, room.bottom - room.top) << c->id;
                        RECT list{}, item{};
                        GetWindowRect(c->hwnd, &list);
                        for (const std::wstring& entry : c->items) {
                            SIZE size{};
                            GetTextExtentPoint32W(mem, entry.c_str(),
                                                  static_cast<int>(entry.size()), &size);
                            // Padding each side, and a combo box's arrow.
                            int arrow =
                                c->kind == ControlKind::ComboBox ? list.bottom - list.top : 0;
                            EXPECT_LE(size.cx + d->units.baseX + arrow, list.right - list.left);
                            ++measured;
                        }
                        if (c->kind == ControlKind::ListBox) {
                            // Every entry is shown without scrolling.
                            EXPECT_TRUE(
                                ListItemRect(*c, static_cast<int>(c->items.size()) - 1, &item));
                        }
                        measured += text[0] != 0;
                    }
                    DeleteDC(mem);
                    Key(VK_ESCAPE);
                }});
            EXPECT_EQ(measured, id == 130 ? 5 + 6 + 10 : 4);
        }
}

int InkIn(int left, int top, int right, int bottom) {
    int ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            COLORREF c = HeadlessPixel(x, y);
            ink += GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
        }
    return ink;
}

TEST_F(DialogTest, MultiLineCheckBoxWrapsAndLabelsKeepTheirSpaces) {
    for (int dpi : {96, 192}) {
        SCOPED_TRACE(dpi);
        Restart(dpi);
        Run(Template(130), FillLikeOptions, {[&] {
                Dialog* d = TopDialog();
                ASSERT_NE(d, nullptr);
                int cell = d->units.baseY;
                // "Hide the number of the opponent's cards" takes two lines,
                // both drawn inside its box.
                RECT hide = ControlRect(1014), text{};
                for (const auto& c : d->controls)
                    if (c->id == 1014) text = ControlTextRect(*c);
                int mid = (hide.top + hide.bottom) / 2;
                EXPECT_GT(InkIn(text.left, mid - cell, text.right, mid), 0);
                EXPECT_GT(InkIn(text.left, mid, text.right, mid + cell), 0);
                // The label over the lists keeps its fourteen spaces: a gap
                // at least thirteen spaces wide between its two words.
                RECT label{};
                for (const auto& c : d->controls) {
                    wchar_t name[100];
                    GetWindowTextW(c->hwnd, name, 100);
                    if (std::wstring(name).starts_with(L"Card back"))
                        GetWindowRect(c->hwnd, &label);
                }
                HDC mem = CreateCompatibleDC(nullptr);
                SelectObject(mem, d->font);
                SIZE space{};
                GetTextExtentPoint32W(mem, L" ", 1, &space);
                DeleteDC(mem);
                int widest = 0, gap = 0;
                for (int x = label.left; x < label.right; ++x) {
                    gap = InkIn(x, label.top, x + 1, label.bottom) ? 0 : gap + 1;
                    if (x > label.left + 4 * space.cx) widest = std::max(widest, gap);
                }
                EXPECT_GE(widest, 13 * space.cx);
                EXPECT_LT(widest, 16 * space.cx);
                Key(VK_ESCAPE);
            }});
    }
}

// Where two labels overlap, neither hides the other: the count's first
// digit lies under the colon column of the Statistics page.
TEST_F(DialogTest, OverlappingLabelsBothShow) {
    Run(Template(131), FillLikeOptions, {[&] {
            Dialog* d = TopDialog();
            ASSERT_NE(d, nullptr);
            RECT counts = ControlRect(1005);
            int colonRight = counts.left + d->units.X(83) - d->units.X(79);
            EXPECT_GT(InkIn(counts.left, counts.top, colonRight, counts.top + d->units.baseY), 0);
            Key(VK_ESCAPE);
        }});
}

struct KeyCase {
    const char* what;
    std::vector<WPARAM> keys;  // VK_SHIFT toggles the shift key
    int focus;
    int check;
    int list;
    int combo;
    std::vector<std::pair<int, int>> commands;
};

const KeyCase kKeys[] = {
    {"starts on the first control on screen", {}, 101, 0, -1, 1, {}},
    {"Tab follows the screen, not the template", {VK_TAB}, 102, 0, -1, 1, {}},
    {"Tab reaches the combo box", {VK_TAB, VK_TAB}, 103, 0, -1, 1, {}},
    {"Tab wraps round", {VK_TAB, VK_TAB, VK_TAB, VK_TAB}, 101, 0, -1, 1, {}},
    {"Shift+Tab goes back", {VK_SHIFT, VK_TAB, VK_SHIFT}, 104, 0, -1, 1, {}},
    {"Space checks", {VK_SPACE}, 101, 1, -1, 1, {{101, BN_CLICKED}}},
    {"Space again unchecks", {VK_SPACE, VK_SPACE}, 101, 0, -1, 1, {{101, 0}, {101, 0}}},
    {"arrows on a check box move on", {VK_DOWN}, 102, 0, -1, 1, {}},
    {"Down in a list without a choice takes the first",
     {VK_TAB, VK_DOWN},
     102,
     0,
     0,
     1,
     {{102, LBN_SELCHANGE}}},
    {"Down moves on",
     {VK_TAB, VK_DOWN, VK_DOWN, VK_DOWN},
     102,
     0,
     2,
     1,
     {{102, 1}, {102, 1}, {102, 1}}},
    {"End and Up", {VK_TAB, VK_END, VK_UP}, 102, 0, 6, 1, {{102, 1}, {102, 1}}},
    {"Up stops at the top", {VK_TAB, VK_HOME, VK_UP}, 102, 0, 0, 1, {{102, 1}}},
    {"Down in the closed combo box",
     {VK_TAB, VK_TAB, VK_DOWN},
     103,
     0,
     -1,
     2,
     {{103, CBN_SELCHANGE}}},
    {"F4 opens, Down and Enter pick, the dialog stays",
     {VK_TAB, VK_TAB, VK_F4, VK_DOWN, VK_DOWN, VK_RETURN},
     103,
     0,
     -1,
     3,
     {{103, 1}}},
    {"Escape closes an open list only",
     {VK_TAB, VK_TAB, VK_F4, VK_DOWN, VK_ESCAPE},
     103,
     0,
     -1,
     1,
     {}},
    {"Space presses a button", {VK_SHIFT, VK_TAB, VK_SHIFT, VK_SPACE}, 104, 0, -1, 1, {{104, 0}}},
};

TEST_F(DialogTest, Keyboard) {
    for (const KeyCase& k : kKeys) {
        SCOPED_TRACE(k.what);
        Restart(96);
        int focus = 0, check = 0, list = 0, combo = 0;
        std::vector<std::pair<int, int>> seen;
        std::vector<std::function<void()>> steps;
        bool held = false;
        for (WPARAM key : k.keys) {
            UINT message = WM_KEYDOWN;
            if (key == VK_SHIFT) message = (held = !held) ? WM_KEYDOWN : WM_KEYUP;
            steps.push_back([key, message] { HeadlessKey(message, key, 0); });
        }
        steps.push_back([&] {
            focus = HeadlessFocusedControl();
            check = HeadlessControlState(101);
            list = HeadlessControlState(102);
            combo = HeadlessControlState(103);
            seen = commands;
            Key(VK_ESCAPE);
        });
        EXPECT_EQ(Run(&kTest, TestProc, steps), IDCANCEL);
        EXPECT_EQ(focus, k.focus);
        EXPECT_EQ(check, k.check);
        EXPECT_EQ(list, k.list);
        EXPECT_EQ(combo, k.combo);
        EXPECT_EQ(seen, k.commands);
    }
}

struct EndCase {
    const char* what;
    std::function<void()> input;
    INT_PTR result;
};

TEST_F(DialogTest, EnterEscapeAndTheCloseBoxEndIt) {
    const EndCase cases[] = {
        {"Enter is OK, whatever has the focus", [] { Key(VK_RETURN); }, IDOK},
        {"Escape cancels", [] { Key(VK_ESCAPE); }, IDCANCEL},
        {"the caption's close box cancels",
         [] {
             RECT box{};
             ASSERT_TRUE(HeadlessDialogCloseBox(&box));
             HeadlessTap(Centre(box).x, Centre(box).y);
         },
         IDCANCEL},
        {"Alt+F4 cancels", [] { HeadlessKey(WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN_LPARAM); }, IDCANCEL},
        {"input ends: cancelled", [] {}, IDCANCEL},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.what);
        Restart(96);
        EXPECT_EQ(Run(&kTest, TestProc, {[] { TapControl(102); }, c.input}), c.result);
        EXPECT_EQ(HeadlessOpenDialog(), -1);
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(commands.back(), std::make_pair(static_cast<int>(c.result), 0));
    }
}

TEST_F(DialogTest, PressesWorkTheControls) {
    int check = 0, list = 0, combo = 0, openCombo = 0;
    bool firstShown = true, dropped = false;
    Run(&kTest, TestProc,
        {[] { TapControl(101); }, [] { TapItem(102, 1); },
         [] {
             // The scroll bar's lower arrow scrolls the list by one.
             RECT r = ControlRect(102);
             HeadlessTap(r.right - 3, r.bottom - 3);
         },
         [&] {
             RECT item;
             firstShown = HeadlessListItemRect(102, 0, &item);
             TapControl(103);
         },
         [&] {
             RECT item;
             dropped = HeadlessListItemRect(103, 0, &item);
             TapItem(103, 3);
         },
         [] { TapControl(103); },
         [&] {
             openCombo = HeadlessControlState(103);
             // A press outside the open list closes it and does nothing else.
             TapControl(101);
         },
         [&] {
             check = HeadlessControlState(101);
             list = HeadlessControlState(102);
             combo = HeadlessControlState(103);
             Key(VK_ESCAPE);
         }});
    EXPECT_FALSE(firstShown);
    EXPECT_TRUE(dropped);
    EXPECT_EQ(openCombo, 3);
    EXPECT_EQ(check, 1) << "the press outside the list did not reach the check box";
    EXPECT_EQ(list, 1);
    EXPECT_EQ(combo, 3);
    std::vector<std::pair<int, int>> expected{
        {101, BN_CLICKED}, {102, LBN_SELCHANGE}, {103, CBN_SELCHANGE}, {IDCANCEL, 0}};
    EXPECT_EQ(commands, expected);
}

TEST_F(DialogTest, OnlyTheDialogTakesInputAndPaintsGoOnUnderIt) {
    HWND bar = nullptr, dialog = nullptr, control = nullptr, parent = nullptr;
    RECT where{};
    static HWND madeBar;
    madeBar = nullptr;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"DialogTestBar";
    RegisterClassW(&wc);
    auto proc = [](HWND d, UINT msg, WPARAM w, LPARAM l) -> INT_PTR {
        if (msg == WM_INITDIALOG) {
            // A window made while the dialog starts (its menu bar) stays enabled.
            madeBar = CreateWindowExW(0, L"DialogTestBar", L"bar", WS_VISIBLE, 0, 300, 240, 20,
                                      nullptr, nullptr, nullptr, nullptr);
        }
        return TestProc(d, msg, w, l);
    };
    Run(&kTest, proc,
        {[&] {
             events.clear();
             dialog = GetForegroundWindow();
             GetWindowRect(dialog, &where);
             control = GetDlgItem(dialog, 104);
             parent = GetParent(dialog);
             HeadlessTap(where.left + 2, where.bottom + 20);  // the owner, outside the dialog
             HeadlessKey(WM_KEYDOWN, VK_SPACE, 0);            // to the dialog: the check box
             InvalidateRect(owner, nullptr, FALSE);
         },
         [&] {
             bar = madeBar;
             Key(VK_ESCAPE);
         }});
    EXPECT_EQ(parent, owner);
    EXPECT_EQ(GetParent(control), nullptr) << "gone with its dialog";
    EXPECT_EQ(commands.front(), std::make_pair(101, 0)) << "Space reached the dialog";
    EXPECT_EQ(std::count(events.begin(), events.end(), "paint"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "owner tapped"), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "owner key"), 0);
    EXPECT_TRUE(IsWindowEnabled(bar));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetForegroundWindow(), owner) << "not the bar left on screen";
    DestroyWindow(bar);
}

TEST_F(DialogTest, TheOwnerIsActiveAgainAfterwards) {
    Run(&kTest, TestProc, {[] { Key(VK_RETURN); }});
    EXPECT_EQ(GetForegroundWindow(), owner);
    std::vector<std::string> expected{"owner inactive", "owner active"};
    std::vector<std::string> activations;
    for (const std::string& e : events)
        if (e.starts_with("owner a") || e.starts_with("owner i")) activations.push_back(e);
    EXPECT_EQ(activations, expected);
}

TEST_F(DialogTest, CloseRequestCancelsEvenAProcedureThatIgnoresIt) {
    for (bool ignore : {false, true}) {
        SCOPED_TRACE(ignore);
        Restart(96);
        ignoreCancel = ignore;
        EXPECT_EQ(Run(&kTest, TestProc, {[] { HeadlessRequestClose(); }}), IDCANCEL);
        ASSERT_EQ(commands.size(), 1u);
        EXPECT_EQ(commands[0].first, IDCANCEL);
        EXPECT_EQ(HeadlessOpenDialog(), -1);
        // Once the dialog is gone, the owner is asked to close.
        MSG msg;
        ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(msg.message, WM_CLOSE);
        EXPECT_EQ(msg.hwnd, owner);
    }
}

TEST_F(DialogTest, TemplatesAreFoundAmongTheResources) {
    const DLGTEMPLATE* statistics = Template(131);
    ASSERT_NE(statistics, nullptr);
    EXPECT_EQ(statistics->cx, 111);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(132), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(131), MAKEINTRESOURCEW(4)), nullptr);
    int open = 0;
    Run(statistics, FillLikeOptions, {[&] {
            open = HeadlessOpenDialog();
            Key(VK_ESCAPE);
        }});
    EXPECT_EQ(open, 131);
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, nullptr, owner, TestProc, 0), -1);
}

}  // namespace
