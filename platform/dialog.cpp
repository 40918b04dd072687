// Modal dialogs: a window of the layer's own, built from a template in
// dialog units, with its controls as child windows and a nested message
// loop that runs until the dialog procedure ends it. While it runs every
// other window is disabled. The layer's window procedure draws the frame
// and the caption with its close box, hands WM_INITDIALOG and WM_COMMAND to
// the dialog procedure and does the keyboard: Tab and Shift+Tab move the
// focus, arrows move in lists, Space presses, Enter is IDOK, Escape IDCANCEL.
#include <algorithm>

#include "platform/backend.h"
#include "platform/dialog_internal.h"

namespace {

constexpr wchar_t kDialogClass[] = L"#VelmoraDialog";
constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The dialog font: DejaVu Sans of 8 points at the screen's density.
HFONT DialogFont(bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -((8 * Layer().dpiY + 36) / 72);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return CreateFontIndirectW(&lf);
}

DialogUnits UnitsOf(HFONT font) {
    HDC mem = CreateCompatibleDC(nullptr);
    SelectObject(mem, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(mem, &tm);
    SIZE size{};
    GetTextExtentPoint32W(mem, kAlphabet, 52, &size);
    DeleteDC(mem);
    DialogUnits u;
    u.baseX = std::max(1, static_cast<int>((size.cx + 26) / 52));
    u.baseY = std::max(1, static_cast<int>(tm.tmHeight));
    return u;
}

WPARAM CommandOf(int id, WORD code) {
    return static_cast<WPARAM>(static_cast<WORD>(id)) | (static_cast<WPARAM>(code) << 16);
}

void SendCommand(const Dialog& d, int id) {
    SendMessageW(d.hwnd, WM_COMMAND, CommandOf(id, 0), 0);
}

// The controls Tab visits, in the order a player reads them: top to
// bottom, then left to right (the template's order is not what one sees).
std::vector<Control*> TabRing(const Dialog& d) {
    std::vector<Control*> ring;
    for (const auto& c : d.controls)
        if ((c->style & WS_TABSTOP) && IsWindowVisible(c->hwnd)) ring.push_back(c.get());
    std::stable_sort(ring.begin(), ring.end(), [](const Control* a, const Control* b) {
        RECT ra, rb;
        GetWindowRect(a->hwnd, &ra);
        GetWindowRect(b->hwnd, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return ring;
}

Control* FirstTabStop(const Dialog& d) {
    std::vector<Control*> ring;
    for (const auto& c : d.controls)
        if (c->style & WS_TABSTOP) ring.push_back(c.get());
    std::stable_sort(ring.begin(), ring.end(), [](const Control* a, const Control* b) {
        RECT ra, rb;
        GetWindowRect(a->hwnd, &ra);
        GetWindowRect(b->hwnd, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return ring.empty() ? nullptr : ring.front();
}

void MoveFocus(Dialog& d, int step) {
    std::vector<Control*> ring = TabRing(d);
    if (ring.empty()) return;
    auto at = std::find(ring.begin(), ring.end(), d.focus);
    int n = static_cast<int>(ring.size());
    int i = at == ring.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - ring.begin());
    FocusControl(d, ring[static_cast<size_t>(((i + step) % n + n) % n)]);
}

Control* OpenCombo(const Dialog& d) {
    for (const auto& c : d.controls)
        if (c->dropped) return c.get();
    return nullptr;
}

bool IsListKey(WPARAM key) {
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_HOME ||
           key == VK_END || key == VK_PRIOR || key == VK_NEXT;
}

void DialogKey(Dialog& d, WPARAM key) {
    if (Control* combo = OpenCombo(d)) {
        // An open list takes the keys that move in it and the ones that close it.
        if ((IsListKey(key) || key == VK_RETURN || key == VK_ESCAPE || key == VK_F4) &&
            ControlKey(*combo, key))
            return;
        CloseDropList(*combo, false);
    }
    switch (key) {
        case VK_TAB:
            MoveFocus(d, d.shiftDown ? -1 : 1);
            return;
        case VK_RETURN:
            SendCommand(d, IDOK);
            return;
        case VK_ESCAPE:
            SendCommand(d, IDCANCEL);
            return;
        case VK_SPACE:
            if (d.focus) PressControl(*d.focus);
            return;
        default:
            break;
    }
    if (d.focus && ControlKey(*d.focus, key)) return;
    // Arrows on a button or a check box step through the controls.
    if (key == VK_UP || key == VK_LEFT) MoveFocus(d, -1);
    if (key == VK_DOWN || key == VK_RIGHT) MoveFocus(d, 1);
}

void PaintDialog(HWND hwnd, const Dialog& d) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT all;
    GetClientRect(hwnd, &all);
    FrameBox(hdc, all, d.frame, kDialogFrame);
    FillBox(hdc, {d.frame, d.frame + d.captionHeight, all.right - d.frame, all.bottom - d.frame},
            kDialogFace);
    RECT caption{d.frame, d.frame, all.right - d.frame, d.frame + d.captionHeight};
    FillBox(hdc, caption, kDialogCaption);
    RECT close = CloseBoxOf(d);
    HGDIOBJ oldFont = SelectObject(hdc, d.boldFont);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, kDialogFace);
    RECT title{caption.left + d.units.baseX, caption.top, close.left, caption.bottom};
    HWND__* w = FindWindowRecord(hwnd);
    DrawTextW(hdc, w->title.c_str(), -1, &title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(hdc, oldFont);
    // The close box: a cross in the caption's right end.
    int side = close.right - close.left;
    int arm = side * 3 / 10, t = std::max(2, side / 9);
    int cx = close.left + side / 2, cy = close.top + (close.bottom - close.top) / 2;
    Stroke(hdc, cx - arm, cy - arm, cx + arm, cy + arm, t, kDialogFace);
    Stroke(hdc, cx - arm, cy + arm, cx + arm, cy - arm, t, kDialogFace);
    EndPaint(hwnd, &ps);
}

LRESULT DialogWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* d = DialogOf(hwnd);
    if (!d) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_PAINT:
            PaintDialog(hwnd, *d);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT: {
            LRESULT done = DefWindowProcW(hwnd, msg, wParam, lParam);
            RECT caption;
            GetClientRect(hwnd, &caption);
            caption.bottom = d->frame + d->captionHeight;
            InvalidateRect(hwnd, &caption, FALSE);
            return done;
        }
        case WM_LBUTTONDOWN: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT close = CloseBoxOf(*d);
            if (PtInRect(&close, p)) SendCommand(*d, IDCANCEL);
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SHIFT)
                d->shiftDown = true;
            else
                DialogKey(*d, wParam);
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SHIFT) d->shiftDown = false;
            return 0;
        case WM_SYSKEYDOWN:
            // Alt+F4 closes the dialog as its close box does.
            if (IsAltF4(msg, wParam, lParam)) SendCommand(*d, IDCANCEL);
            return 0;
        case WM_COMMAND:
            return d->proc(hwnd, msg, wParam, lParam);
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void RegisterDialogClass() {
    for (const auto& c : Layer().classes)
        if (c->name == kDialogClass) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DialogWindowProc;
    wc.lpszClassName = kDialogClass;
    RegisterClassW(&wc);
}

bool IsPress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
}

// A press anywhere but on an open drop list closes the list and is spent.
bool PressClosesList(Dialog& d, const MSG& msg) {
    if (!IsPress(msg.message)) return false;
    Control* combo = OpenCombo(d);
    if (!combo || msg.hwnd == combo->dropped) return false;
    CloseDropList(*combo, false);
    return true;
}

// The close request and the end of input end the dialog as Cancel does:
// the procedure hears IDCANCEL and, if it does not end the dialog, the
// layer ends it anyway.
void CancelDialog(Dialog& d) {
    SendCommand(d, IDCANCEL);
    if (!d.ended) {
        d.ended = true;
        d.result = IDCANCEL;
    }
}

void RunLoop(Dialog& d, bool* quit, int* quitCode) {
    ModalScope modal;
    while (!d.ended) {
        if (!IsWindow(d.hwnd)) {
            d.result = IDCANCEL;  // destroyed under its loop
            break;
        }
        if (Layer().closePending) {
            CancelDialog(d);
            break;
        }
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                *quit = true;
                *quitCode = static_cast<int>(msg.wParam);
                CancelDialog(d);
                break;
            }
            // No accelerators here: the dialog's keys are its own.
            if (!PressClosesList(d, msg)) DispatchMessageW(&msg);
            continue;
        }
        if (!BackendFetchInput(true)) CancelDialog(d);
    }
}

}  // namespace

Dialog* DialogOf(HWND hwnd) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || !w->cls || w->cls->name != kDialogClass) return nullptr;
    return static_cast<Dialog*>(w->layerData);
}

Dialog* TopDialog() {
    auto& windows = Layer().windows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (Dialog* d = DialogOf(it->get()); d && !(*it)->destroying) return d;
    return nullptr;
}

RECT CloseBoxOf(const Dialog& d) {
    RECT all{};
    GetClientRect(d.hwnd, &all);
    return {all.right - d.frame - d.captionHeight, d.frame, all.right - d.frame,
            d.frame + d.captionHeight};
}

POINT ContentOrigin(const Dialog& d) {
    RECT r{};
    GetWindowRect(d.hwnd, &r);
    return {r.left + d.frame, r.top + d.frame + d.captionHeight};
}

void FocusControl(Dialog& d, Control* c) {
    if (d.focus == c) return;
    if (d.focus) InvalidateRect(d.focus->hwnd, nullptr, FALSE);
    d.focus = c;
    if (c) InvalidateRect(c->hwnd, nullptr, FALSE);
}

HRSRC FindResourceW(HINSTANCE module, const wchar_t* name, const wchar_t* type) {
    if (type != RT_DIALOG) return nullptr;
    auto id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    // The resource's record stands for it.
    const DialogResource* found = FindDialogResource(module, id);
    return reinterpret_cast<HRSRC>(const_cast<DialogResource*>(found));
}

HGLOBAL LoadResource(HINSTANCE, HRSRC resource) {
    if (!resource) return nullptr;
    const auto* found = reinterpret_cast<const DialogResource*>(resource);
    return const_cast<DLGTEMPLATE*>(found->dialog);
}

void* LockResource(HGLOBAL data) {
    return data;
}

INT_PTR DialogBoxIndirectParamW(HINSTANCE, const DLGTEMPLATE* t, HWND owner, DLGPROC proc,
                                LPARAM param) {
    if (!t || !proc) return -1;
    RegisterDialogClass();
    RegisterControlClasses();
    Dialog d;
    d.dialogTemplate = t;
    d.resourceId = DialogResourceId(t);
    d.proc = proc;
    d.owner = IsWindow(owner) ? owner : nullptr;
    d.font = DialogFont(false);
    d.boldFont = DialogFont(true);
    d.units = UnitsOf(d.font);
    d.captionHeight = (18 * Layer().dpiY + 48) / 96;

    // Only the dialog takes input while it runs; what it makes while
    // starting (its own menu bar) stays enabled.
    std::vector<HWND> disabled;
    for (const auto& w : Layer().windows)
        if (w->enabled) {
            w->enabled = false;
            disabled.push_back(w.get());
        }
    RECT place{};
    if (d.owner) GetWindowRect(d.owner, &place);
    int x = place.left + d.units.X(t->x), y = place.top + d.units.Y(t->y);
    int width = d.units.X(t->cx) + 2 * d.frame;
    int height = d.units.Y(t->cy) + d.captionHeight + 2 * d.frame;
    d.hwnd = CreateWindowExW(0, kDialogClass, t->caption, t->style & ~WS_VISIBLE, x, y, width,
                             height, nullptr, nullptr, nullptr, nullptr);
    INT_PTR result = -1;
    bool quit = false;
    int quitCode = 0;
    if (d.hwnd) {
        FindWindowRecord(d.hwnd)->layerData = &d;
        for (int i = 0; i < t->itemCount; ++i)
            CreateControl(d, t->items[i]);
        d.focus = FirstTabStop(d);
        d.proc(d.hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(d.focus ? d.focus->hwnd : nullptr),
               param);
        if (!d.ended && IsWindow(d.hwnd)) {
            ShowWindow(d.hwnd, SW_SHOW);
            for (const auto& c : d.controls)
                if (c->style & WS_VISIBLE) ShowWindow(c->hwnd, SW_SHOW);
            RunLoop(d, &quit, &quitCode);
        }
        result = d.result;
        for (const auto& c : d.controls)
            if (c->dropped) CloseDropList(*c, false);
        for (const auto& c : d.controls)
            if (HWND__* w = FindWindowRecord(c->hwnd)) w->layerData = nullptr;
        if (HWND__* w = FindWindowRecord(d.hwnd)) w->layerData = nullptr;
    }
    // The owner takes input again before it hears that it is active.
    for (HWND w : disabled)
        if (HWND__* rec = FindWindowRecord(w)) rec->enabled = true;
    if (d.hwnd) DestroyWindow(d.hwnd);
    // Whatever else the dialog left on screen, its owner comes back to the front.
    if (IsWindowVisible(d.owner)) SetForegroundWindow(d.owner);
    DeleteObject(d.font);
    DeleteObject(d.boldFont);
    if (quit) PostQuitMessage(quitCode);  // the loop outside must end too
    return result;
}

BOOL EndDialog(HWND hwnd, INT_PTR result) {
    Dialog* d = DialogOf(hwnd);
    if (!d) return FALSE;
    d->ended = true;
    d->result = result;
    return TRUE;
}

HWND GetDlgItem(HWND hwnd, int id) {
    Dialog* d = DialogOf(hwnd);
    if (!d) return nullptr;
    for (const auto& c : d->controls)
        if (c->id == id && c->id >= 0) return c->hwnd;
    return nullptr;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageW(item, msg, wParam, lParam) : 0;
}

BOOL SetDlgItemTextW(HWND dialog, int id, const wchar_t* text) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowTextW(item, text) : FALSE;
}

HWND GetParent(HWND hwnd) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w) return nullptr;
    if (w->parent) return w->parent;
    Dialog* d = DialogOf(hwnd);
    return d ? d->owner : nullptr;
}

BOOL SHInitDialog(SHINITDLGINFO* info) {
    if (!info || !IsWindow(info->hDlg)) return FALSE;
    BackendShellCall("SHInitDialog", info->hDlg, info->dwFlags, nullptr);
    return TRUE;
}
