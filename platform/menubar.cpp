// The menu bar: a window of the layer's own along the bottom of the screen,
// child of the window that asked for it, with its items as text labels. A
// command item posts WM_COMMAND to the parent when tapped; a pop-up item
// opens its menu just above the bar. While a menu is open (or a command
// item is held) a nested loop owns every tap and key, so nothing reaches
// the windows beneath: a tap on an item picks it, a tap elsewhere closes
// the menu and is swallowed together with its release.
#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "platform/backend.h"
#include "platform/internal.h"
#include "platform/menus.h"

namespace {

constexpr wchar_t kBarClass[] = L"#VelmoraMenuBar";
constexpr wchar_t kMenuClass[] = L"#VelmoraMenu";

// A dark bar that sits quietly under the green table; light menus over it.
constexpr COLORREF kBarTop = RGB(72, 76, 82);
constexpr COLORREF kBarBottom = RGB(34, 36, 40);
constexpr COLORREF kBarEdge = RGB(128, 132, 138);
constexpr COLORREF kBarSeparator = RGB(96, 100, 106);
constexpr COLORREF kBarInk = RGB(242, 242, 242);
constexpr COLORREF kAccent = RGB(48, 96, 176);
constexpr COLORREF kMenuFrame = RGB(64, 64, 64);
constexpr COLORREF kMenuFace = RGB(255, 255, 255);
constexpr COLORREF kMenuInk = RGB(0, 0, 0);
constexpr COLORREF kAccentInk = RGB(255, 255, 255);

constexpr UINT kMouseMove = 0x0200;
constexpr WPARAM kKeyLeft = 0x25;
constexpr WPARAM kKeyUp = 0x26;
constexpr WPARAM kKeyRight = 0x27;
constexpr WPARAM kKeyDown = 0x28;

struct BarState {
    HWND hwnd = nullptr;
    HWND parent = nullptr;
    const MenuResource* menu = nullptr;
    std::vector<RECT> items;    // client pixels of the bar
    int active = -1;            // the item whose menu is open, or which is held
    HWND popup = nullptr;       // the open menu's window
    std::vector<RECT> rows;     // client pixels of the open menu
    int highlight = -1;         // the open menu's row under the pointer or the keys
    std::vector<UINT> checked;  // commands shown with a check mark
};

// Owned here; a window's layerData points at its record. Records of
// windows dropped by a reset of the layer are let go at the next bar.
std::vector<std::unique_ptr<BarState>>& Bars() {
    static std::vector<std::unique_ptr<BarState>> bars;
    return bars;
}

int Scaled(int designUnits, int dpi) {
    return (designUnits * dpi + 48) / 96;
}
int UnitsX(int n) {
    return Scaled(n, Layer().dpiX);
}
int UnitsY(int n) {
    return Scaled(n, Layer().dpiY);
}

// DejaVu Sans of 8 points at the screen's density, as the message boxes.
HFONT MenuFont(bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -((8 * Layer().dpiY + 36) / 72);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return CreateFontIndirectW(&lf);
}

int TextWidth(const wchar_t* text, bool bold) {
    HDC mem = CreateCompatibleDC(nullptr);
    HFONT font = MenuFont(bold);
    SelectObject(mem, font);
    SIZE size{};
    GetTextExtentPoint32W(mem, text, static_cast<int>(std::wcslen(text)), &size);
    DeleteDC(mem);
    DeleteObject(font);
    return size.cx;
}

bool HasClass(HWND hwnd, const wchar_t* name) {
    HWND__* w = FindWindowRecord(hwnd);
    return w && w->cls && w->cls->name == name;
}

BarState* BarOf(HWND hwnd) {
    if (!HasClass(hwnd, kBarClass)) return nullptr;
    return static_cast<BarState*>(FindWindowRecord(hwnd)->layerData);
}

BarState* MenuOwner(HWND hwnd) {
    if (!HasClass(hwnd, kMenuClass)) return nullptr;
    return static_cast<BarState*>(FindWindowRecord(hwnd)->layerData);
}

BarState* OpenBar() {
    for (const auto& b : Bars())
        if (b->popup && BarOf(b->hwnd) == b.get()) return b.get();
    return nullptr;
}

const MenuBarItemResource& ItemOf(const BarState& bar, int index) {
    return bar.menu->items[index];
}

bool IsPopup(const BarState& bar, int index) {
    return index >= 0 && index < bar.menu->itemCount && ItemOf(bar, index).items;
}

RECT ScreenOf(HWND hwnd, RECT r) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    OffsetRect(&r, window.left, window.top);
    return r;
}

// Left to right from the bar's left edge, each label with room either side.
void LayOutBar(BarState& bar) {
    int x = 0, height = UnitsY(26);
    for (int i = 0; i < bar.menu->itemCount; ++i) {
        int width = std::max(TextWidth(ItemOf(bar, i).text, true) + 2 * UnitsX(12), UnitsX(44));
        bar.items.push_back({x, 0, x + width, height});
        x += width;
    }
}

int HitIndex(const std::vector<RECT>& rects, POINT p) {
    for (size_t i = 0; i < rects.size(); ++i)
        if (PtInRect(&rects[i], p)) return static_cast<int>(i);
    return -1;
}

void Fill(HDC hdc, RECT r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

BYTE Mix(int a, int b, int step, int steps) {
    return static_cast<BYTE>(a + (b - a) * step / std::max(steps, 1));
}

void PaintBar(HWND hwnd, const BarState& bar) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT all;
    GetClientRect(hwnd, &all);
    // A soft vertical gradient, a light edge along the top.
    for (int y = 0; y < all.bottom; ++y) {
        COLORREF c = RGB(Mix(GetRValue(kBarTop), GetRValue(kBarBottom), y, all.bottom - 1),
                         Mix(GetGValue(kBarTop), GetGValue(kBarBottom), y, all.bottom - 1),
                         Mix(GetBValue(kBarTop), GetBValue(kBarBottom), y, all.bottom - 1));
        Fill(hdc, {0, y, all.right, y + 1}, c);
    }
    Fill(hdc, {0, 0, all.right, 1}, kBarEdge);
    HFONT font = MenuFont(true);
    HGDIOBJ oldFont = SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, kBarInk);
    int inset = UnitsY(5);
    for (size_t i = 0; i < bar.items.size(); ++i) {
        RECT r = bar.items[i];
        if (static_cast<int>(i) == bar.active) Fill(hdc, {r.left, 1, r.right, r.bottom}, kAccent);
        Fill(hdc, {r.right - 1, inset, r.right, r.bottom - inset}, kBarSeparator);
        DrawTextW(hdc, ItemOf(bar, static_cast<int>(i)).text, -1, &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(hdc, oldFont);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
}

void PaintMenu(HWND hwnd, const BarState& bar) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT all;
    GetClientRect(hwnd, &all);
    Fill(hdc, all, kMenuFrame);
    Fill(hdc, {1, 1, all.right - 1, all.bottom - 1}, kMenuFace);
    HFONT font = MenuFont(false);
    HGDIOBJ oldFont = SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    const MenuBarItemResource& item = ItemOf(bar, bar.active);
    for (size_t i = 0; i < bar.rows.size() && static_cast<int>(i) < item.itemCount; ++i) {
        RECT row = bar.rows[i];
        bool lit = static_cast<int>(i) == bar.highlight;
        if (lit) Fill(hdc, row, kAccent);
        SetTextColor(hdc, lit ? kAccentInk : kMenuInk);
        RECT text{row.left + UnitsX(12), row.top, row.right, row.bottom};
        DrawTextW(hdc, item.items[i].text, -1, &text, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (std::find(bar.checked.begin(), bar.checked.end(), item.items[i].id) !=
            bar.checked.end()) {
            RECT mark{row.left + UnitsX(2), row.top, text.left, row.bottom};
            DrawTextW(hdc, L"\u2713", -1, &mark, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    SelectObject(hdc, oldFont);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
}

void RepaintItem(BarState& bar, int index) {
    if (index < 0 || index >= static_cast<int>(bar.items.size())) return;
    AddToUpdate(FindWindowRecord(bar.hwnd), &bar.items[index], false);
}

void RepaintRow(BarState& bar, int row) {
    if (!bar.popup || row < 0 || row >= static_cast<int>(bar.rows.size())) return;
    AddToUpdate(FindWindowRecord(bar.popup), &bar.rows[row], false);
}

void SetHighlight(BarState& bar, int row) {
    if (row == bar.highlight) return;
    RepaintRow(bar, bar.highlight);
    bar.highlight = row;
    RepaintRow(bar, row);
}

void ClosePopup(BarState& bar) {
    HWND popup = bar.popup;
    bar.popup = nullptr;
    bar.rows.clear();
    bar.highlight = -1;
    if (HWND__* w = FindWindowRecord(popup)) {
        w->layerData = nullptr;
        DestroyWindow(popup);  // what it covered is repainted, not erased
    }
}

void SetActive(BarState& bar, int index) {
    if (index == bar.active) return;
    ClosePopup(bar);
    RepaintItem(bar, bar.active);
    bar.active = index;
    RepaintItem(bar, index);
}

// The menu of a pop-up item: just above the bar, left-aligned with its
// item and kept on the screen, growing upwards.
void OpenPopup(BarState& bar, int index, int highlight) {
    SetActive(bar, index);
    if (!IsPopup(bar, index) || bar.popup) return;
    const MenuBarItemResource& item = ItemOf(bar, index);
    int rowHeight = UnitsY(22), pad = UnitsY(3), widest = 0;
    for (int i = 0; i < item.itemCount; ++i)
        widest = std::max(widest, TextWidth(item.items[i].text, false));
    int width = std::max(widest + UnitsX(12) + UnitsX(28), UnitsX(96));
    int height = item.itemCount * rowHeight + 2 * pad + 2;
    for (int i = 0; i < item.itemCount; ++i) {
        int top = 1 + pad + i * rowHeight;
        bar.rows.push_back({1, top, width - 1, top + rowHeight});
    }
    const Surface& screen = Layer().screen;
    RECT anchor = ScreenOf(bar.hwnd, bar.items[index]);
    int x = std::clamp<int>(anchor.left, 0, std::max(0, screen.width - width));
    int y = std::max(0, anchor.top - height);
    bar.highlight = highlight;
    HWND popup = CreateWindowExW(0, kMenuClass, item.text, 0, x, y, width, height, bar.hwnd,
                                 nullptr, nullptr, nullptr);
    if (!popup) {
        bar.rows.clear();
        bar.highlight = -1;
        return;
    }
    FindWindowRecord(popup)->layerData = &bar;
    bar.popup = popup;
    ShowWindow(popup, SW_SHOW);
}

// The next pop-up item along the bar in the given direction, or the
// same one when there is no other.
int NeighbourPopup(const BarState& bar, int from, int direction) {
    int n = bar.menu->itemCount;
    for (int step = 1; step < n; ++step) {
        int i = ((from + direction * step) % n + n) % n;
        if (IsPopup(bar, i)) return i;
    }
    return from;
}

bool IsPointer(UINT m) {
    return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
}
bool IsKey(UINT m) {
    return m >= WM_KEYDOWN && m <= WM_SYSKEYUP;
}

struct Tracking {
    bool done = false;
    bool closing = false;  // closed by a press elsewhere: its release is ours too
    UINT command = 0;
};

void Pick(Tracking& t, UINT command) {
    t.command = command;
    t.done = true;
}

void OnPointer(Tracking& t, BarState& bar, const MSG& m) {
    POINT p = m.pt;
    RECT popupRect{}, barRect{};
    GetWindowRect(bar.popup, &popupRect);
    GetWindowRect(bar.hwnd, &barRect);
    bool inPopup = bar.popup && PtInRect(&popupRect, p);
    POINT inMenu{p.x - popupRect.left, p.y - popupRect.top};
    int row = inPopup ? HitIndex(bar.rows, inMenu) : -1;
    int item = PtInRect(&barRect, p)
                   ? HitIndex(bar.items, POINT{p.x - barRect.left, p.y - barRect.top})
                   : -1;
    switch (m.message) {
        case kMouseMove:
            if (inPopup) SetHighlight(bar, row);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (inPopup) {
                SetHighlight(bar, row);
            } else if (item >= 0 && item != bar.active) {
                OpenPopup(bar, item, -1);  // another menu, or a command item held
            } else {
                // Elsewhere, or the open item again: the menu closes.
                SetActive(bar, -1);
                t.closing = true;
            }
            return;
        case WM_LBUTTONUP:
            if (inPopup) {
                if (row >= 0) Pick(t, ItemOf(bar, bar.active).items[row].id);
            } else if (bar.active >= 0 && !IsPopup(bar, bar.active)) {
                // A held command item acts when let go over itself.
                if (item == bar.active) Pick(t, ItemOf(bar, item).id);
                t.done = true;
            }
            return;
        default:
            return;
    }
}

void OnKey(Tracking& t, BarState& bar, const MSG& m) {
    if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) return;
    int rows = static_cast<int>(bar.rows.size());
    switch (m.wParam) {
        case VK_ESCAPE:
            t.done = true;
            return;
        case VK_F4:
            // Alt+F4 is the window's close request, which closes the menu first.
            if (IsAltF4(m.message, m.wParam, m.lParam)) PlatformRequestClose();
            return;
        case VK_RETURN:
            if (bar.popup && bar.highlight >= 0)
                Pick(t, ItemOf(bar, bar.active).items[bar.highlight].id);
            else if (bar.active >= 0 && !IsPopup(bar, bar.active))
                Pick(t, ItemOf(bar, bar.active).id);
            return;
        case kKeyUp:
        case kKeyDown:
            if (rows == 0) return;
            if (bar.highlight < 0)
                SetHighlight(bar, m.wParam == kKeyDown ? 0 : rows - 1);
            else
                SetHighlight(bar, (bar.highlight + (m.wParam == kKeyDown ? 1 : rows - 1)) % rows);
            return;
        case kKeyLeft:
        case kKeyRight: {
            int next = NeighbourPopup(bar, bar.active, m.wParam == kKeyRight ? 1 : -1);
            if (next != bar.active && IsPopup(bar, next)) OpenPopup(bar, next, 0);
            return;
        }
        default:
            return;
    }
}

// The nested loop of an open menu or a held item. Posted messages and
// paints run as usual; input is the menu's own. Ends at once when the
// program is asked to close, or when the bar goes.
void Track(HWND hwnd) {
    ModalScope modal;
    Tracking t;
    while (!t.done) {
        BarState* bar = BarOf(hwnd);
        if (!bar || (bar->active < 0 && !t.closing) || Layer().closePending) break;
        MSG m;
        if (!PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!BackendFetchInput(true)) break;
            continue;
        }
        bool input = IsPointer(m.message) || IsKey(m.message);
        // Once closed, only the release of the closing press is swallowed.
        if (t.closing && input && m.message != WM_LBUTTONUP) break;
        PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));  // the loop outside must end too
            break;
        }
        if (t.closing && input) break;
        if (IsPointer(m.message)) {
            OnPointer(t, *bar, m);
        } else if (IsKey(m.message)) {
            OnKey(t, *bar, m);
        } else {
            DispatchMessageW(&m);
        }
    }
    BarState* bar = BarOf(hwnd);
    if (!bar) return;
    SetActive(*bar, -1);
    if (t.command != 0) PostMessageW(bar->parent, WM_COMMAND, t.command, 0);
}

void OnPress(HWND hwnd, LPARAM lParam) {
    BarState* bar = BarOf(hwnd);
    // A bar takes no input while its window does not.
    if (!bar || !IsWindowEnabled(bar->parent)) return;
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int item = HitIndex(bar->items, p);
    if (item < 0) return;
    OpenPopup(*bar, item, -1);
    Track(hwnd);
}

LRESULT BarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    BarState* bar = BarOf(hwnd);
    if (!bar) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnPress(hwnd, lParam);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintBar(hwnd, *bar);
            return 0;
        case SHCMBM_GETMENU:
            return reinterpret_cast<LRESULT>(bar);
        case WM_DESTROY: {
            ClosePopup(*bar);
            FindWindowRecord(hwnd)->layerData = nullptr;
            std::erase_if(Bars(), [&](const auto& b) { return b.get() == bar; });
            return 0;
        }
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT MenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    BarState* bar = MenuOwner(hwnd);
    if (!bar) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintMenu(hwnd, *bar);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void RegisterLayerClass(const wchar_t* name, WNDPROC proc) {
    for (const auto& c : Layer().classes)
        if (c->name == name) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

bool SameText(const wchar_t* a, const wchar_t* b) {
    if (!a || !b) return false;
    for (; *a && *b; ++a, ++b)
        if (std::towlower(static_cast<wint_t>(*a)) != std::towlower(static_cast<wint_t>(*b)))
            return false;
    return *a == *b;
}

}  // namespace

HWND CreateLayerMenuBar(const SHMENUBARINFO& info) {
    const MenuResource* menu = FindMenuResource(info.hInstRes, info.nToolBarId);
    if (!menu || !IsWindow(info.hwndParent)) return nullptr;
    RegisterLayerClass(kBarClass, BarProc);
    RegisterLayerClass(kMenuClass, MenuProc);
    // Records whose windows went with a reset of the layer.
    std::erase_if(Bars(), [](const auto& b) { return BarOf(b->hwnd) != b.get(); });
    auto state = std::make_unique<BarState>();
    state->parent = info.hwndParent;
    state->menu = menu;
    LayOutBar(*state);
    const Surface& screen = Layer().screen;
    int height = UnitsY(26);
    HWND hwnd = CreateWindowExW(0, kBarClass, L"", 0, 0, screen.height - height, screen.width,
                                height, info.hwndParent, nullptr, nullptr, nullptr);
    if (!hwnd) return nullptr;
    state->hwnd = hwnd;
    FindWindowRecord(hwnd)->layerData = state.get();
    Bars().push_back(std::move(state));
    ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

bool OpenMenuByKey(HWND parent) {
    for (const auto& b : Bars()) {
        BarState* bar = b.get();
        if (bar->parent != parent || BarOf(bar->hwnd) != bar || !IsWindowVisible(bar->hwnd) ||
            !IsWindowEnabled(bar->hwnd) || !IsWindowEnabled(parent))
            continue;
        for (int i = 0; i < bar->menu->itemCount; ++i) {
            if (!IsPopup(*bar, i)) continue;
            OpenPopup(*bar, i, 0);
            Track(bar->hwnd);
            return true;
        }
    }
    return false;
}

bool IsMenuBar(HWND hwnd) {
    return BarOf(hwnd) != nullptr;
}

HWND TopMenuBar() {
    auto& windows = Layer().windows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if ((*it)->visible && !(*it)->destroying && BarOf(it->get())) return it->get();
    return nullptr;
}

int MenuBarFindItem(HWND hwnd, const wchar_t* text) {
    BarState* bar = BarOf(hwnd);
    for (int i = 0; bar && i < bar->menu->itemCount; ++i)
        if (SameText(ItemOf(*bar, i).text, text)) return i;
    return -1;
}

bool MenuBarItemOpensMenu(HWND hwnd, int index) {
    BarState* bar = BarOf(hwnd);
    return bar && IsPopup(*bar, index);
}

bool MenuBarItemRect(HWND hwnd, int index, RECT* rect) {
    BarState* bar = BarOf(hwnd);
    if (!bar || !rect || index < 0 || index >= static_cast<int>(bar->items.size())) return false;
    *rect = ScreenOf(hwnd, bar->items[index]);
    return true;
}

int OpenMenuIndex() {
    BarState* bar = OpenBar();
    return bar ? bar->active : -1;
}

int OpenMenuFindItem(const wchar_t* text) {
    BarState* bar = OpenBar();
    if (!bar) return -1;
    const MenuBarItemResource& item = ItemOf(*bar, bar->active);
    for (int i = 0; i < item.itemCount; ++i)
        if (SameText(item.items[i].text, text)) return i;
    return -1;
}

bool OpenMenuItemRect(int index, RECT* rect) {
    BarState* bar = OpenBar();
    if (!bar || !rect || index < 0 || index >= static_cast<int>(bar->rows.size())) return false;
    *rect = ScreenOf(bar->popup, bar->rows[index]);
    return true;
}

HWND OpenMenuWindow() {
    BarState* bar = OpenBar();
    return bar ? bar->popup : nullptr;
}

int OpenMenuHighlight() {
    BarState* bar = OpenBar();
    return bar ? bar->highlight : -1;
}

DWORD CheckMenuItem(HMENU menu, UINT id, UINT check) {
    for (const auto& b : Bars()) {
        if (reinterpret_cast<HMENU>(b.get()) != menu || !b->menu) continue;
        bool found = false;
        for (int i = 0; i < b->menu->itemCount; ++i) {
            const MenuBarItemResource& item = b->menu->items[i];
            for (int j = 0; j < item.itemCount; ++j)
                found = found || item.items[j].id == id;
        }
        if (!found) break;
        auto at = std::find(b->checked.begin(), b->checked.end(), id);
        const bool was = at != b->checked.end();
        if (was) b->checked.erase(at);
        if (check & MF_CHECKED) b->checked.push_back(id);
        if (b->popup) InvalidateRect(b->popup, nullptr, FALSE);
        return was ? MF_CHECKED : MF_UNCHECKED;
    }
    return static_cast<DWORD>(-1);
}
