// Dialog controls: static text, push buttons, check boxes, list boxes and
// drop-down list combo boxes. Each is a child window of its dialog that
// paints itself with the dialog's font and takes presses and the keys the
// dialog hands it.
#include <algorithm>

#include "platform/dialog_internal.h"

namespace {

constexpr wchar_t kControlClass[] = L"#VelmoraControl";

Dialog* DialogFor(const Control& c) {
    return DialogOf(c.dialog);
}

const std::wstring& TextOf(const Control& c) {
    static const std::wstring none;
    HWND__* w = FindWindowRecord(c.hwnd);
    return w ? w->title : none;
}

RECT ClientOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

RECT ScreenRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

bool IsList(const Control& c) {
    return c.kind == ControlKind::ListBox || c.kind == ControlKind::DropList;
}

// Lists and combo boxes: a frame that turns the caption's colour with the
// focus. One line only, so a list shows the rows its template was made for.
int Inset() {
    return LineWidth();
}

int ItemHeight(const Dialog& d) {
    return d.units.baseY;
}

int ScrollWidth(const Dialog& d) {
    return d.units.baseY;
}

// The rows a list shows and whether it needs a scroll bar.
struct ListLayout {
    RECT items;    // client pixels of the item area
    RECT scroll;   // the scroll bar; empty when none
    int rows = 1;  // whole rows shown
    int itemHeight = 1;
};

ListLayout LayOutList(const Control& c, const Dialog& d) {
    ListLayout l;
    RECT client = ClientOf(c.hwnd);
    l.itemHeight = std::max(1, ItemHeight(d));
    l.items = {Inset(), Inset(), client.right - Inset(), client.bottom - Inset()};
    l.rows = std::max(1, (l.items.bottom - l.items.top) / l.itemHeight);
    l.scroll = {};
    if (static_cast<int>(c.items.size()) > l.rows) {
        l.scroll = {l.items.right - ScrollWidth(d), l.items.top, l.items.right, l.items.bottom};
        l.items.right = l.scroll.left;
    }
    return l;
}

int MaxTop(const Control& c, const ListLayout& l) {
    return std::max(0, static_cast<int>(c.items.size()) - l.rows);
}

void ShowItem(Control& c, int n) {
    Dialog* d = DialogFor(c);
    if (!d || n < 0) return;
    ListLayout l = LayOutList(c, *d);
    if (n < c.top) c.top = n;
    if (n >= c.top + l.rows) c.top = n - l.rows + 1;
    c.top = std::clamp(c.top, 0, MaxTop(c, l));
}

void Notify(const Control& c, WORD code) {
    if (c.id < 0) return;
    WPARAM w = static_cast<WPARAM>(static_cast<WORD>(c.id)) | (static_cast<WPARAM>(code) << 16);
    SendMessageW(c.dialog, WM_COMMAND, w, reinterpret_cast<LPARAM>(c.hwnd));
}

// Sets a list's or a combo box's choice; a change made by the player
// (notify) tells the dialog.
void Choose(Control& c, int n, bool notify) {
    if (n < -1 || n >= static_cast<int>(c.items.size())) return;
    bool changed = c.selection != n;
    c.selection = n;
    if (c.kind == ControlKind::ListBox) ShowItem(c, n);
    InvalidateRect(c.hwnd, nullptr, FALSE);
    if (!notify || !changed) return;
    if (c.kind == ControlKind::ListBox && (c.style & LBS_NOTIFY)) Notify(c, LBN_SELCHANGE);
    if (c.kind == ControlKind::ComboBox) Notify(c, CBN_SELCHANGE);
}

void DownTriangle(HDC hdc, RECT box, COLORREF color) {
    int w = box.right - box.left, h = box.bottom - box.top;
    int half = std::max(2, std::min(w, h) / 4);
    int cx = box.left + w / 2, top = box.top + (h - half) / 2;
    for (int i = 0; i < half; ++i)
        FillBox(hdc, {cx - (half - i), top + i, cx + (half - i), top + i + 1}, color);
}

void UpTriangle(HDC hdc, RECT box, COLORREF color) {
    int w = box.right - box.left, h = box.bottom - box.top;
    int half = std::max(2, std::min(w, h) / 4);
    int cx = box.left + w / 2, top = box.top + (h - half) / 2;
    for (int i = 0; i < half; ++i)
        FillBox(hdc, {cx - i - 1, top + i, cx + i + 1, top + i + 1}, color);
}

// The scroll bar's arrows and its thumb, in client pixels.
struct ScrollParts {
    RECT up, down, track, thumb;
};

ScrollParts ScrollPartsOf(const Control& c, const ListLayout& l) {
    ScrollParts p;
    int side = l.scroll.right - l.scroll.left;
    p.up = {l.scroll.left, l.scroll.top, l.scroll.right, l.scroll.top + side};
    p.down = {l.scroll.left, l.scroll.bottom - side, l.scroll.right, l.scroll.bottom};
    p.track = {l.scroll.left, p.up.bottom, l.scroll.right, p.down.top};
    int count = std::max(1, static_cast<int>(c.items.size()));
    int span = std::max(0, p.track.bottom - p.track.top);
    int length = std::max(side / 2, span * l.rows / count);
    length = std::min(length, span);
    int range = std::max(1, MaxTop(c, l));
    int offset = (span - length) * c.top / range;
    p.thumb = {l.scroll.left, p.track.top + offset, l.scroll.right, p.track.top + offset + length};
    return p;
}

void PaintScrollBar(HDC hdc, const Control& c, const ListLayout& l) {
    if (IsRectEmpty(&l.scroll)) return;
    ScrollParts p = ScrollPartsOf(c, l);
    int line = LineWidth();
    FillBox(hdc, l.scroll, kDialogButtonFace);
    for (const RECT& r : {p.up, p.down}) {
        FrameBox(hdc, r, line, kDialogFrame);
    }
    UpTriangle(hdc, p.up, kDialogInk);
    DownTriangle(hdc, p.down, kDialogInk);
    RECT thumb = p.thumb;
    InflateBy(&thumb, -line, 0);
    FillBox(hdc, thumb, kDialogShade);
}

void PaintItems(HDC hdc, const Control& c, const Dialog& d, const ListLayout& l, int marked,
                bool caret) {
    FillBox(hdc, l.items, kDialogFace);
    int pad = d.units.baseX / 2;
    for (int row = 0; row < l.rows; ++row) {
        int n = c.top + row;
        if (n >= static_cast<int>(c.items.size())) break;
        RECT item{l.items.left, l.items.top + row * l.itemHeight, l.items.right,
                  l.items.top + (row + 1) * l.itemHeight};
        bool on = n == marked;
        if (on) FillBox(hdc, item, kDialogCaption);
        SetTextColor(hdc, on ? kDialogFace : kDialogInk);
        RECT text{item.left + pad, item.top, item.right - pad, item.bottom};
        DrawTextW(hdc, c.items[n].c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        int caretItem = marked >= 0 ? marked : 0;
        if (caret && n == caretItem) DottedFrame(hdc, item, on ? kDialogFace : kDialogInk);
    }
}

// The frame of a list or a combo box.
void PaintWell(HDC hdc, RECT client, bool focused) {
    FrameBox(hdc, client, LineWidth(), focused ? kDialogCaption : kDialogFrame);
}

int CheckSize(const Dialog& d) {
    return (d.units.baseY * 3 + 2) / 4;
}

void PaintCheckMark(HDC hdc, RECT box) {
    int s = box.right - box.left;
    int t = std::max(2, s / 6);
    int x0 = box.left + s / 5, y0 = box.top + s / 2;
    int x1 = box.left + s * 2 / 5, y1 = box.bottom - s / 4 - t / 2;
    int x2 = box.right - s / 5 - t / 2, y2 = box.top + s / 5;
    Stroke(hdc, x0, y0, x1, y1, t, kDialogInk);
    Stroke(hdc, x1, y1, x2, y2, t, kDialogInk);
}

// Statics draw no background of their own over their neighbours: where
// two overlap, each paints the other's text too, so the colon column of a
// label never hides the first digits of the count beside it.
void PaintStatic(HDC hdc, const Control& c, const Dialog& d) {
    RECT client = ClientOf(c.hwnd);
    FillBox(hdc, client, kDialogFace);
    RECT mine = ScreenRectOf(c.hwnd);
    SetTextColor(hdc, kDialogInk);
    for (const auto& other : d.controls) {
        if (other->kind != ControlKind::Static || !IsWindowVisible(other->hwnd)) continue;
        RECT theirs = ControlTextRect(*other), overlap;
        if (!IntersectRect(&overlap, &theirs, &mine)) continue;
        OffsetRect(&theirs, -mine.left, -mine.top);
        DrawTextW(hdc, TextOf(*other).c_str(), -1, &theirs, ControlTextFormat(*other));
    }
}

void PaintButton(HDC hdc, const Control& c, bool focused) {
    RECT client = ClientOf(c.hwnd);
    int line = LineWidth();
    FrameBox(hdc, client, line, kDialogFrame);
    RECT face = client;
    InflateBy(&face, -line, -line);
    FillBox(hdc, face, kDialogButtonFace);
    SetTextColor(hdc, kDialogInk);
    RECT text = face;
    DrawTextW(hdc, TextOf(c).c_str(), -1, &text, ControlTextFormat(c));
    if (focused) {
        InflateBy(&face, -line, -line);
        DottedFrame(hdc, face, kDialogInk);
    }
}

void PaintCheckBox(HDC hdc, const Control& c, const Dialog& d, bool focused) {
    RECT client = ClientOf(c.hwnd);
    FillBox(hdc, client, kDialogFace);
    int size = CheckSize(d), line = LineWidth();
    int top = (client.bottom - size) / 2;
    RECT box{0, top, size, top + size};
    FrameBox(hdc, box, line, kDialogFrame);
    if (c.checked) PaintCheckMark(hdc, box);
    RECT text = ControlTextRect(c), screen = ScreenRectOf(c.hwnd);
    OffsetRect(&text, -screen.left, -screen.top);
    SetTextColor(hdc, kDialogInk);
    UINT format = ControlTextFormat(c);
    RECT used = text;
    DrawTextW(hdc, TextOf(c).c_str(), -1, &used, format | DT_CALCRECT);
    int height = used.bottom - used.top;
    // Several lines sit in the middle of the box as one line does.
    if (!(format & DT_SINGLELINE)) OffsetRect(&text, 0, (text.bottom - text.top - height) / 2);
    DrawTextW(hdc, TextOf(c).c_str(), -1, &text, format);
    if (focused) {
        RECT mark{text.left - line, text.top, text.left + (used.right - used.left) + line,
                  text.top + height};
        if (format & DT_SINGLELINE) {
            mark.top = (client.bottom - height) / 2;
            mark.bottom = mark.top + height;
        }
        IntersectRect(&mark, &mark, &client);
        DottedFrame(hdc, mark, kDialogInk);
    }
}

void PaintCombo(HDC hdc, const Control& c, const Dialog& d, bool focused) {
    RECT client = ClientOf(c.hwnd);
    PaintWell(hdc, client, focused);
    int inset = Inset();
    RECT field{inset, inset, client.right - inset, client.bottom - inset};
    int side = field.bottom - field.top;
    RECT arrow{field.right - side, field.top, field.right, field.bottom};
    field.right = arrow.left;
    FillBox(hdc, field, kDialogFace);
    FillBox(hdc, arrow, kDialogButtonFace);
    FillBox(hdc, {arrow.left, arrow.top, arrow.left + LineWidth(), arrow.bottom}, kDialogFrame);
    DownTriangle(hdc, arrow, kDialogInk);
    if (c.selection >= 0) {
        SetTextColor(hdc, kDialogInk);
        RECT text{field.left + d.units.baseX / 2, field.top, field.right, field.bottom};
        DrawTextW(hdc, c.items[c.selection].c_str(), -1, &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

void PaintControl(HWND hwnd, Control& c) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    Dialog* d = DialogFor(c);
    if (d) {
        HGDIOBJ oldFont = SelectObject(hdc, d->font);
        SetBkMode(hdc, TRANSPARENT);
        bool focused = d->focus == &c;
        switch (c.kind) {
            case ControlKind::Static:
                PaintStatic(hdc, c, *d);
                break;
            case ControlKind::PushButton:
                PaintButton(hdc, c, focused);
                break;
            case ControlKind::CheckBox:
                PaintCheckBox(hdc, c, *d, focused);
                break;
            case ControlKind::ListBox:
            case ControlKind::DropList: {
                RECT client = ClientOf(hwnd);
                if (c.kind == ControlKind::ListBox) {
                    PaintWell(hdc, client, focused);
                } else {
                    FrameBox(hdc, client, LineWidth(), kDialogFrame);
                }
                ListLayout l = LayOutList(c, *d);
                int marked = c.kind == ControlKind::ListBox ? c.selection : c.highlight;
                PaintItems(hdc, c, *d, l, marked, focused);
                PaintScrollBar(hdc, c, l);
                break;
            }
            case ControlKind::ComboBox:
                PaintCombo(hdc, c, *d, focused);
                break;
        }
        SelectObject(hdc, oldFont);
    }
    EndPaint(hwnd, &ps);
}

// A press on a list: the scroll bar scrolls, an item is chosen.
void PressList(Control& c, POINT p) {
    Dialog* d = DialogFor(c);
    if (!d) return;
    ListLayout l = LayOutList(c, *d);
    if (!IsRectEmpty(&l.scroll) && PtInRect(&l.scroll, p)) {
        ScrollParts parts = ScrollPartsOf(c, l);
        int top = c.top;
        if (PtInRect(&parts.up, p))
            --top;
        else if (PtInRect(&parts.down, p))
            ++top;
        else if (p.y < parts.thumb.top)
            top -= l.rows;
        else if (p.y >= parts.thumb.bottom)
            top += l.rows;
        c.top = std::clamp(top, 0, MaxTop(c, l));
        InvalidateRect(c.hwnd, nullptr, FALSE);
        return;
    }
    if (!PtInRect(&l.items, p)) return;
    int n = c.top + (p.y - l.items.top) / l.itemHeight;
    if (n >= static_cast<int>(c.items.size())) return;
    if (c.kind == ControlKind::DropList) {
        c.highlight = n;
        if (c.owner) CloseDropList(*c.owner, true);
        return;
    }
    Choose(c, n, true);
}

// Moves a list's choice (or a drop list's mark) by a key; true when taken.
bool MoveInList(Control& c, WPARAM key, int current, int* next) {
    Dialog* d = DialogFor(c);
    int count = static_cast<int>(c.items.size());
    if (!d || count == 0) return false;
    int page = 1;
    if (c.kind != ControlKind::ComboBox) page = std::max(1, LayOutList(c, *d).rows - 1);
    int n = current;
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            n = current < 0 ? 0 : current - 1;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            n = current < 0 ? 0 : current + 1;
            break;
        case VK_PRIOR:
            n = current < 0 ? 0 : current - page;
            break;
        case VK_NEXT:
            n = current < 0 ? 0 : current + page;
            break;
        case VK_HOME:
            n = 0;
            break;
        case VK_END:
            n = count - 1;
            break;
        default:
            return false;
    }
    *next = std::clamp(n, 0, count - 1);
    return true;
}

LRESULT AddItem(Control& c, LPARAM text) {
    const wchar_t* s = reinterpret_cast<const wchar_t*>(text);
    c.items.emplace_back(s ? s : L"");
    InvalidateRect(c.hwnd, nullptr, FALSE);
    return static_cast<LRESULT>(c.items.size() - 1);
}

LRESULT SetChoice(Control& c, WPARAM n, LRESULT error) {
    int index = static_cast<int>(static_cast<intptr_t>(n));
    if (index < -1 || index >= static_cast<int>(c.items.size())) return error;
    Choose(c, index, false);
    return index < 0 ? error : index;
}

void InvalidateStaticText(Control& c) {
    InvalidateRect(c.hwnd, nullptr, FALSE);
    Dialog* d = DialogFor(c);
    if (!d) return;
    RECT text = ControlTextRect(c);
    for (const auto& other : d->controls) {
        if (other.get() == &c || other->kind != ControlKind::Static) continue;
        RECT theirs = ScreenRectOf(other->hwnd), overlap;
        if (!IntersectRect(&overlap, &theirs, &text)) continue;
        OffsetRect(&overlap, -theirs.left, -theirs.top);
        InvalidateRect(other->hwnd, &overlap, FALSE);
    }
}

LRESULT ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Control* c = ControlOf(hwnd);
    if (!c) return DefWindowProcW(hwnd, msg, wParam, lParam);
    bool list = c->kind == ControlKind::ListBox, combo = c->kind == ControlKind::ComboBox;
    switch (msg) {
        case WM_PAINT:
            PaintControl(hwnd, *c);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT: {
            LRESULT done = DefWindowProcW(hwnd, msg, wParam, lParam);
            if (c->kind == ControlKind::Static)
                InvalidateStaticText(*c);
            else
                InvalidateRect(hwnd, nullptr, FALSE);
            return done;
        }
        case WM_LBUTTONDOWN: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            Dialog* d = DialogFor(*c);
            if (d && (c->style & WS_TABSTOP)) FocusControl(*d, c);
            switch (c->kind) {
                case ControlKind::PushButton:
                case ControlKind::CheckBox:
                    PressControl(*c);
                    break;
                case ControlKind::ListBox:
                case ControlKind::DropList:
                    PressList(*c, p);
                    break;
                case ControlKind::ComboBox:
                    if (c->dropped)
                        CloseDropList(*c, false);
                    else
                        OpenDropList(*c);
                    break;
                case ControlKind::Static:
                    break;
            }
            return 0;
        }
        case BM_GETCHECK:
            return c->checked ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            c->checked = wParam == BST_CHECKED;
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case LB_ADDSTRING:
        case CB_ADDSTRING:
            if ((msg == LB_ADDSTRING && !list) || (msg == CB_ADDSTRING && !combo)) break;
            return AddItem(*c, lParam);
        case LB_GETCURSEL:
        case CB_GETCURSEL:
            if (!list && !combo) break;
            return c->selection;
        case LB_SETCURSEL:
            if (!list) break;
            return SetChoice(*c, wParam, LB_ERR);
        case CB_SETCURSEL:
            if (!combo) break;
            return SetChoice(*c, wParam, CB_ERR);
        case LB_GETCOUNT:
        case CB_GETCOUNT:
            if (!list && !combo) break;
            return static_cast<LRESULT>(c->items.size());
        case CB_SHOWDROPDOWN:
            if (!combo) break;
            if (wParam && !c->dropped) OpenDropList(*c);
            if (!wParam && c->dropped) CloseDropList(*c, false);
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return c->dropped != nullptr;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

ControlKind KindOf(const DialogItemTemplate& item) {
    std::wstring cls = item.className ? item.className : L"";
    if (cls == L"BUTTON")
        return (item.style & 0x0F) == BS_AUTOCHECKBOX ? ControlKind::CheckBox
                                                      : ControlKind::PushButton;
    if (cls == L"LISTBOX") return ControlKind::ListBox;
    if (cls == L"COMBOBOX") return ControlKind::ComboBox;
    return ControlKind::Static;
}

}  // namespace

int LineWidth() {
    return std::max(1, Layer().dpiX / 96);
}

void FillBox(HDC hdc, const RECT& r, COLORREF color) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

void FrameBox(HDC hdc, const RECT& r, int thickness, COLORREF color) {
    FillBox(hdc, {r.left, r.top, r.right, r.top + thickness}, color);
    FillBox(hdc, {r.left, r.bottom - thickness, r.right, r.bottom}, color);
    FillBox(hdc, {r.left, r.top, r.left + thickness, r.bottom}, color);
    FillBox(hdc, {r.right - thickness, r.top, r.right, r.bottom}, color);
}

void DottedFrame(HDC hdc, const RECT& r, COLORREF color) {
    for (int x = r.left; x < r.right; x += 2) {
        SetPixel(hdc, x, r.top, color);
        SetPixel(hdc, x, r.bottom - 1, color);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        SetPixel(hdc, r.left, y, color);
        SetPixel(hdc, r.right - 1, y, color);
    }
}

void Stroke(HDC hdc, int x0, int y0, int x1, int y1, int thickness, COLORREF color) {
    int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    int half = thickness / 2;
    for (int i = 0; i <= steps; ++i) {
        int x = steps ? x0 + (x1 - x0) * i / steps : x0;
        int y = steps ? y0 + (y1 - y0) * i / steps : y0;
        FillBox(hdc, {x - half, y - half, x - half + thickness, y - half + thickness}, color);
    }
}

void InflateBy(RECT* r, int dx, int dy) {
    r->left -= dx;
    r->right += dx;
    r->top -= dy;
    r->bottom += dy;
}

Control* ControlOf(HWND hwnd) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || !w->cls || w->cls->name != kControlClass) return nullptr;
    return static_cast<Control*>(w->layerData);
}

void RegisterControlClasses() {
    for (const auto& c : Layer().classes)
        if (c->name == kControlClass) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = ControlProc;
    wc.lpszClassName = kControlClass;
    RegisterClassW(&wc);
}

Control* CreateControl(Dialog& d, const DialogItemTemplate& item) {
    auto c = std::make_unique<Control>();
    c->kind = KindOf(item);
    c->id = item.id == IDC_STATIC ? -1 : item.id;
    c->style = item.style;
    c->dialog = d.hwnd;
    POINT o = ContentOrigin(d);
    int left = o.x + d.units.X(item.x), right = o.x + d.units.X(item.x + item.cx);
    int top = o.y + d.units.Y(item.y), bottom = o.y + d.units.Y(item.y + item.cy);
    if (c->kind == ControlKind::ComboBox) {
        // The template's height includes the list; the closed field is
        // twelve units high and the list hangs below it when open.
        int field = d.units.Y(item.y + 12) - d.units.Y(item.y);
        c->dropHeight = bottom - top - field;
        bottom = top + field;
    }
    c->hwnd =
        CreateWindowExW(0, kControlClass, item.text, (item.style & ~WS_VISIBLE) | WS_CHILD, left,
                        top, right - left, bottom - top, d.hwnd, nullptr, nullptr, nullptr);
    if (!c->hwnd) return nullptr;
    FindWindowRecord(c->hwnd)->layerData = c.get();
    d.controls.push_back(std::move(c));
    return d.controls.back().get();
}

RECT ControlTextRect(const Control& c) {
    RECT r = ScreenRectOf(c.hwnd);
    Dialog* d = DialogFor(c);
    if (!d) return r;
    int line = LineWidth();
    switch (c.kind) {
        case ControlKind::CheckBox:
            r.left += CheckSize(*d) + d->units.baseX / 2;
            break;
        case ControlKind::PushButton:
            InflateBy(&r, -line, -line);
            break;
        default:
            break;
    }
    return r;
}

UINT ControlTextFormat(const Control& c) {
    switch (c.kind) {
        case ControlKind::PushButton:
            return DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        case ControlKind::CheckBox:
            return (c.style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
        default:
            // Labels wrap at words and keep their runs of spaces; each line
            // is set to the side the style names.
            if (c.style & SS_RIGHT) return DT_WORDBREAK | DT_RIGHT;
            if (c.style & SS_CENTER) return DT_WORDBREAK | DT_CENTER;
            return DT_WORDBREAK;
    }
}

bool ListItemRect(const Control& c, int n, RECT* out) {
    const Control* list = &c;
    if (c.kind == ControlKind::ComboBox) list = c.dropped ? ControlOf(c.dropped) : nullptr;
    Dialog* d = list ? DialogFor(*list) : nullptr;
    if (!d || !IsList(*list) || n < list->top || n >= static_cast<int>(list->items.size()))
        return false;
    ListLayout l = LayOutList(*list, *d);
    int row = n - list->top;
    if (row >= l.rows) return false;
    RECT screen = ScreenRectOf(list->hwnd);
    *out = {screen.left + l.items.left, screen.top + l.items.top + row * l.itemHeight,
            screen.left + l.items.right, screen.top + l.items.top + (row + 1) * l.itemHeight};
    return true;
}

void PressControl(Control& c) {
    if (c.kind == ControlKind::CheckBox) {
        c.checked = !c.checked;
        InvalidateRect(c.hwnd, nullptr, FALSE);
    }
    if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::PushButton) Notify(c, BN_CLICKED);
}

bool ControlKey(Control& c, WPARAM key) {
    if (c.kind == ControlKind::ListBox) {
        int n;
        if (!MoveInList(c, key, c.selection, &n)) return false;
        Choose(c, n, true);
        return true;
    }
    if (c.kind != ControlKind::ComboBox) return false;
    if (Control* list = c.dropped ? ControlOf(c.dropped) : nullptr) {
        if (key == VK_RETURN || key == VK_ESCAPE || key == VK_F4) {
            CloseDropList(c, key != VK_ESCAPE);
            return true;
        }
        int n;
        if (!MoveInList(*list, key, list->highlight, &n)) return false;
        list->highlight = n;
        ShowItem(*list, n);
        InvalidateRect(list->hwnd, nullptr, FALSE);
        return true;
    }
    if (key == VK_F4) {
        OpenDropList(c);
        return true;
    }
    int n;
    if (!MoveInList(c, key, c.selection, &n)) return false;
    Choose(c, n, true);
    return true;
}

void OpenDropList(Control& combo) {
    Dialog* d = DialogFor(combo);
    if (!d || combo.dropped || combo.kind != ControlKind::ComboBox) return;
    auto list = std::make_unique<Control>();
    list->kind = ControlKind::DropList;
    list->dialog = combo.dialog;
    list->owner = &combo;
    list->items = combo.items;
    list->highlight = combo.selection;
    // As many rows as the template leaves room for, and no more than needed.
    int rows = std::max(1, (combo.dropHeight - 2 * Inset()) / ItemHeight(*d));
    rows = std::min(rows, std::max(1, static_cast<int>(combo.items.size())));
    RECT field = ScreenRectOf(combo.hwnd);
    int height = rows * ItemHeight(*d) + 2 * Inset();
    int top = field.bottom;
    if (top + height > Layer().screen.height && field.top - height >= 0) top = field.top - height;
    HWND hwnd =
        CreateWindowExW(0, kControlClass, L"", WS_CHILD, field.left, top, field.right - field.left,
                        height, combo.dialog, nullptr, nullptr, nullptr);
    if (!hwnd) return;
    list->hwnd = hwnd;
    FindWindowRecord(hwnd)->layerData = list.get();
    ShowItem(*list, list->highlight);
    combo.dropped = hwnd;
    combo.dropList = std::move(list);
    ShowWindow(hwnd, SW_SHOW);
}

void CloseDropList(Control& combo, bool pick) {
    if (!combo.dropped) return;
    int picked = combo.dropList ? combo.dropList->highlight : -1;
    HWND hwnd = combo.dropped;
    combo.dropped = nullptr;
    if (HWND__* w = FindWindowRecord(hwnd)) w->layerData = nullptr;
    DestroyWindow(hwnd);
    combo.dropList.reset();
    if (pick && picked >= 0) Choose(combo, picked, true);
}
