// Dialogs from templates: dialog units, the drawn controls, the keyboard,
// the close box, and the modal loop that alone takes input while paints go on.
#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

#include "platform/dialog_internal.h"
#include "res/resources.h"
#include "tests/dialog_steps.h"

namespace {

std::vector<std::pair<int, int>> commands;  // (id, notification)

constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

// The check box comes second in the template but first on screen.
const DialogItemTemplate kItems[] = {
    {L"LISTBOX", L"", 102, kList, 4, 20, 60, 30},
    {L"BUTTON", L"Sound", 101, kCheck, 4, 4, 80, 11},
    {L"COMBOBOX", L"", 103, WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 70, 20, 60, 60},
    {L"BUTTON", L"Reset", 104, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 4, 56, 40, 14},
    {L"STATIC", L"Label", IDC_STATIC, WS_CHILD | WS_VISIBLE, 50, 58, 40, 8},
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

class DialogTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        RegisterResources();
        Restart(96);
    }
    void Restart(int dpi) {
        StartScreen(dpi);
        owner = MakeWindow(Recorder);
        heard.clear();
        commands.clear();
        ignoreCancel = false;
    }
    // Runs the dialog with the steps fed one per idle turn; when they run
    // out, input ends.
    INT_PTR Run(const DLGTEMPLATE* t, DLGPROC proc, std::vector<std::function<void()>> steps) {
        StepInput input(std::move(steps));
        return DialogBoxIndirectParamW(nullptr, t, owner, proc, 0);
    }
    HWND owner = nullptr;
};

// The dialog's base units (x, y), worked out here from its font.
POINT BaseAt(int dpi) {
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
    return {(all.cx + 26) / 52, tm.tmHeight};
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
        POINT b = BaseAt(dpi);
        RECT dialog{}, check{}, list{}, combo{}, button{};
        Run(&kTest, TestProc, {[&] {
            GetWindowRect(GetForegroundWindow(), &dialog);
            check = ControlRect(101), list = ControlRect(102);
            combo = ControlRect(103), button = ControlRect(104);
            PressKey(VK_ESCAPE);
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

int InkIn(int left, int top, int right, int bottom) {
    int ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            COLORREF c = HeadlessPixel(x, y);
            ink += GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
        }
    return ink;
}

// The Options page: every text and list entry fits its control whole, the
// multi-line check box wraps inside its box and a label keeps its spaces.
void LookAtOptions(Dialog* d, HDC mem) {
    int measured = 0;
    for (const auto& c : d->controls) {
        wchar_t text[100];
        GetWindowTextW(c->hwnd, text, 100);
        RECT room = ControlTextRect(*c), need = room, box{};
        DrawTextW(mem, text, -1, &need, ControlTextFormat(*c) | DT_CALCRECT);
        EXPECT_LE(need.right - need.left, room.right - room.left) << c->id;
        EXPECT_LE(need.bottom - need.top, room.bottom - room.top) << c->id;
        measured += text[0] != 0;
        GetWindowRect(c->hwnd, &box);
        for (const std::wstring& entry : c->items) {
            SIZE size{};
            GetTextExtentPoint32W(mem, entry.c_str(), static_cast<int>(entry.size()), &size);
            // Padding each side, and a combo box's arrow.
            int arrow = c->kind == ControlKind::ComboBox ? box.bottom - box.top : 0;
            EXPECT_LE(size.cx + d->units.baseX + arrow, box.right - box.left) << c->id;
            ++measured;
        }
        if (c->kind == ControlKind::ListBox) {
            RECT item{};
            EXPECT_TRUE(ListItemRect(*c, static_cast<int>(c->items.size()) - 1, &item))
                << "every entry is shown without scrolling";
        }
        // "Hide the number of the opponent's cards" takes two lines.
        const int cell = d->units.baseY, mid = (box.top + box.bottom) / 2;
        if (c->id == 1014) {
            EXPECT_GT(InkIn(room.left, mid - cell, room.right, mid), 0);
            EXPECT_GT(InkIn(room.left, mid, room.right, mid + cell), 0);
        }
        // The label over the lists keeps its fourteen spaces: a gap at least
        // thirteen spaces wide between its two words.
        if (std::wstring(text).starts_with(L"Card back")) {
            SIZE space{};
            GetTextExtentPoint32W(mem, L" ", 1, &space);
            int widest = 0, gap = 0;
            for (int x = box.left; x < box.right; ++x) {
                gap = InkIn(x, box.top, x + 1, box.bottom) ? 0 : gap + 1;
                if (x > box.left + 4 * space.cx) widest = std::max(widest, gap);
            }
            EXPECT_GE(widest, 13 * space.cx);
            EXPECT_LT(widest, 16 * space.cx);
        }
    }
    EXPECT_EQ(measured, 5 + 6 + 10);
}

// The Statistics page: where two labels overlap, neither hides the other;
// the count's first digit lies under the colon column.
void LookAtStatistics(Dialog* d) {
    RECT counts = ControlRect(1005);
    int colonRight = counts.left + d->units.X(83) - d->units.X(79);
    EXPECT_GT(InkIn(counts.left, counts.top, colonRight, counts.top + d->units.baseY), 0);
}

TEST_F(DialogTest, TheProgramsDialogsShowAllTheirText) {
    for (int dpi : {96, 144, 192})
        for (UINT id : {130u, 131u}) {
            SCOPED_TRACE(std::to_string(dpi) + " dpi, dialog " + std::to_string(id));
            Restart(dpi);
            Run(Template(id), FillLikeOptions, {[&] {
                    EXPECT_EQ(HeadlessOpenDialog(), static_cast<int>(id));
                    Dialog* d = TopDialog();
                    ASSERT_NE(d, nullptr);
                    HDC mem = CreateCompatibleDC(nullptr);
                    SelectObject(mem, d->font);
                    id == 130 ? LookAtOptions(d, mem) : LookAtStatistics(d);
                    DeleteDC(mem);
                    PressKey(VK_ESCAPE);
                }});
        }
    // Only dialog templates of the program's own are found.
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(133), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(131), MAKEINTRESOURCEW(4)), nullptr);
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, nullptr, owner, TestProc, 0), -1);
}

std::string Changes() {
    std::string out;
    for (auto [name, now, start] : {std::tuple{"focus", HeadlessFocusedControl(), 101},
                                    {"check", HeadlessControlState(101), 0},
                                    {"list", HeadlessControlState(102), -1},
                                    {"combo", HeadlessControlState(103), 1}})
        if (now != start)
            out += (out.empty() ? "" : " ") + std::string(name) + " " + std::to_string(now);
    out += ";";
    for (auto [id, code] : commands)
        out += " " + std::to_string(id) + ":" + std::to_string(code);
    return out;
}

// What taps and keys changed from the start (focus on 101, nothing checked
// or chosen in the list, East in the combo box), then the commands heard as
// id:notification. Some steps look at the lists on the way.
TEST_F(DialogTest, TapsAndKeysWorkTheControls) {
    using Step = std::function<void()>;
    const auto key = [](WPARAM k, UINT message = WM_KEYDOWN) -> Step {
        return [=] { HeadlessKey(message, k, 0); };
    };
    const auto tap = [](int id) -> Step { return [id] { TapControl(id); }; };
    const auto item = [](int id, int n) -> Step { return [=] { TapItem(id, n); }; };
    // Whether item n of a list, or of a combo box's open list, is shown.
    const auto shown = [](int id, int n, bool is) -> Step {
        return [=] {
            RECT r;
            EXPECT_EQ(HeadlessListItemRect(id, n, &r), is) << id << " item " << n;
        };
    };
    const Step tab = key(VK_TAB), down = key(VK_DOWN), up = key(VK_UP), space = key(VK_SPACE);
    const Step shift = key(VK_SHIFT), unshift = key(VK_SHIFT, WM_KEYUP), f4 = key(VK_F4);
    const Step home = key(VK_HOME), end = key(VK_END), enter = key(VK_RETURN);
    const Step arrow = [] {  // the list's scroll bar, its lower arrow
        RECT r = ControlRect(102);
        HeadlessTap(r.right - 3, r.bottom - 3);
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
        const char* after;
    } kCases[] = {
        {.what = "starts on the first control on screen", .steps = {}, .after = ";"},
        {.what = "Tab follows the screen, not the template", .steps = {tab}, .after = "focus 102;"},
        {.what = "Tab wraps round", .steps = {tab, tab, tab, tab}, .after = ";"},
        {.what = "Shift+Tab goes back", .steps = {shift, tab, unshift}, .after = "focus 104;"},
        {.what = "Space checks", .steps = {space}, .after = "check 1; 101:0"},
        {.what = "Space again unchecks", .steps = {space, space}, .after = "; 101:0 101:0"},
        {.what = "arrows on a check box move on", .steps = {down}, .after = "focus 102;"},
        {.what = "Down in a list without a choice takes the first",
         .steps = {tab, down},
         .after = "focus 102 list 0; 102:1"},
        {.what = "Down moves on",
         .steps = {tab, down, down, down},
         .after = "focus 102 list 2; 102:1 102:1 102:1"},
        {.what = "End and Up", .steps = {tab, end, up}, .after = "focus 102 list 6; 102:1 102:1"},
        {.what = "Up stops at the top",
         .steps = {tab, home, up},
         .after = "focus 102 list 0; 102:1"},
        {.what = "Down in the closed combo box",
         .steps = {tab, tab, down},
         .after = "focus 103 combo 2; 103:1"},
        {.what = "F4 opens, Down and Enter pick, the dialog stays",
         .steps = {tab, tab, f4, down, down, enter},
         .after = "focus 103 combo 3; 103:1"},
        {.what = "Escape closes an open list only",
         .steps = {tab, tab, f4, down, key(VK_ESCAPE), shown(103, 0, false)},
         .after = "focus 103;"},
        {.what = "Space presses a button",
         .steps = {shift, tab, unshift, space},
         .after = "focus 104; 104:0"},
        {.what = "a tap checks the box", .steps = {tap(101)}, .after = "check 1; 101:0"},
        {.what = "a tap on an item", .steps = {item(102, 1)}, .after = "focus 102 list 1; 102:1"},
        {.what = "the scroll bar's lower arrow scrolls the list by one",
         .steps = {shown(102, 0, true), arrow, shown(102, 0, false), shown(102, 1, true)},
         .after = "focus 102;"},
        {.what = "a tap drops the combo box's list, one on an item picks it",
         .steps = {tap(103), shown(103, 0, true), item(103, 3), shown(103, 0, false)},
         .after = "focus 103 combo 3; 103:1"},
        {.what = "a press outside the open list closes it, picks nothing and presses nothing",
         .steps = {tap(103), down, tap(101), shown(103, 0, false)},
         .after = "focus 103;"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        Restart(96);
        std::string after;
        std::vector<Step> steps = c.steps;
        steps.push_back([&] {
            after = Changes();
            PressKey(VK_ESCAPE);
        });
        EXPECT_EQ(Run(&kTest, TestProc, steps), IDCANCEL);
        EXPECT_EQ(after, c.after);
    }
}

// Each ends the dialog after a tap on the list, before any more input is
// asked for; only a close request then asks the owner to close, once the
// dialog is gone, even when the procedure ignores the cancel.
TEST_F(DialogTest, EnterEscapeTheCloseBoxAndTheCloseRequestEndIt) {
    const auto closeBox = [] {
        RECT box{};
        ASSERT_TRUE(HeadlessDialogCloseBox(&box));
        TapCentre(box);
    };
    const struct {
        const char* what;
        std::function<void()> input = nullptr;  // null: input ends
        INT_PTR result = IDCANCEL;
        bool ignoreCancel = false;
        bool closesOwner = false;
    } kCases[] = {
        {.what = "Enter is OK, whatever has the focus",
         .input = [] { PressKey(VK_RETURN); },
         .result = IDOK},
        {.what = "Escape cancels", .input = [] { PressKey(VK_ESCAPE); }},
        {.what = "the caption's close box cancels", .input = closeBox},
        {.what = "Alt+F4 cancels",
         .input = [] { HeadlessKey(WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN_LPARAM); }},
        {.what = "input ends: cancelled"},
        {.what = "a close request cancels", .input = HeadlessRequestClose, .closesOwner = true},
        {.what = "a close request ends a procedure that ignores the cancel",
         .input = HeadlessRequestClose,
         .ignoreCancel = true,
         .closesOwner = true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        Restart(96);
        ignoreCancel = c.ignoreCancel;
        std::vector<std::function<void()>> steps{[] { TapControl(102); }};
        if (c.input) steps.insert(steps.end(), {c.input, [] { ADD_FAILURE() << "still open"; }});
        EXPECT_EQ(Run(&kTest, TestProc, steps), c.result);
        EXPECT_EQ(HeadlessOpenDialog(), -1);
        EXPECT_EQ(std::count(commands.begin(), commands.end(),
                             std::make_pair(static_cast<int>(c.result), 0)),
                  1);
        MSG msg{};
        EXPECT_EQ(PeekMessageW(&msg, owner, WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0, c.closesOwner);
    }
}

TEST_F(DialogTest, OnlyTheDialogTakesInputAndPaintsGoOnUnderIt) {
    static HWND bar;  // made while the dialog starts, as its menu bar is: stays enabled
    auto proc = [](HWND d, UINT msg, WPARAM w, LPARAM l) -> INT_PTR {
        const RECT place{0, 300, 240, 320};
        if (msg == WM_INITDIALOG) bar = MakeWindow(DefWindowProcW, 0, &place);
        return TestProc(d, msg, w, l);
    };
    HWND control = nullptr;
    Run(&kTest, proc,
        {[&] {
             HWND dialog = GetForegroundWindow();
             EXPECT_EQ(GetParent(dialog), owner);
             control = GetDlgItem(dialog, 104);
             RECT where{};
             GetWindowRect(dialog, &where);
             HeadlessTap(where.left + 2, where.bottom + 20);  // the owner
             HeadlessKey(WM_KEYDOWN, VK_SPACE, 0);            // the dialog's check box
             InvalidateRect(owner, nullptr, FALSE);
         },
         [] { PressKey(VK_ESCAPE); }});
    EXPECT_EQ(GetParent(control), nullptr) << "gone with its dialog";
    EXPECT_EQ(commands.front(), std::make_pair(101, 0)) << "Space reached the dialog";
    // No tap or key reached the owner; it was painted, and is active again.
    EXPECT_EQ(heard, (std::vector<std::string>{"activate 0", "paint", "activate 1"}));
    EXPECT_TRUE(IsWindowEnabled(bar));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetForegroundWindow(), owner) << "not the bar left on screen";
}

}  // namespace
