// Message boxes: a window of the layer's own, centred on the screen, that
// runs a nested message loop until it is answered. While it is open every
// other window is disabled, so only the box takes input. It draws itself:
// a framed white face, a caption bar when there is a caption, a picture,
// the text wrapped to its width and its buttons.
#include <algorithm>

#include "platform/backend.h"
#include "platform/internal.h"

namespace {

constexpr wchar_t kBoxClass[] = L"#VelmoraMessageBox";

constexpr COLORREF kFrame = RGB(64, 64, 64);
constexpr COLORREF kFace = RGB(255, 255, 255);
constexpr COLORREF kCaption = RGB(32, 64, 128);
constexpr COLORREF kButtonFace = RGB(232, 232, 232);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX;

int Scaled(int designUnits, int dpi) {
    return (designUnits * dpi + 48) / 96;
}

// The box's text face: DejaVu Sans of 8 points at the screen's density.
HFONT BoxFont(bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -((8 * Layer().dpiY + 36) / 72);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return CreateFontIndirectW(&lf);
}

int TextHeight(const std::wstring& text, RECT area) {
    HDC mem = CreateCompatibleDC(nullptr);
    HFONT font = BoxFont(false);
    SelectObject(mem, font);
    int height = DrawTextW(mem, text.c_str(), -1, &area, kTextFormat | DT_CALCRECT);
    DeleteDC(mem);
    DeleteObject(font);
    return height;
}

const wchar_t* PictureFor(UINT type) {
    switch (type & 0xF0) {
        case MB_ICONINFORMATION:
            return IDI_INFORMATION;
        case MB_ICONQUESTION:
            return IDI_QUESTION;
        default:
            return nullptr;
    }
}

// The box's place, parts and buttons, in pixels at the screen's density:
// 220 units wide and at least 110 high, taller when its text needs it.
RECT LayOutBox(MessageBox& box) {
    const PlatformState& s = Layer();
    auto x = [&](int units) { return Scaled(units, s.dpiX); };
    auto y = [&](int units) { return Scaled(units, s.dpiY); };
    int width = std::min(s.screen.width - x(16), x(220));
    box.captionHeight = box.caption.empty() ? 0 : y(18);
    int top = box.captionHeight + y(8), left = x(8), pictureSize = x(32);
    if (const wchar_t* picture = PictureFor(box.type)) {
        box.picture = static_cast<HICON>(
            LoadImageW(nullptr, picture, IMAGE_ICON, pictureSize, pictureSize, 0));
        box.picturePlace = {left, top};
        if (box.picture) left += pictureSize + x(8);
    }
    box.textRect = {left, top, width - x(8), top};
    box.textRect.bottom = top + TextHeight(box.text, box.textRect);
    int contentBottom = std::max<int>(box.textRect.bottom, box.picture ? top + pictureSize : 0);

    bool yesNo = (box.type & 0x0F) == MB_YESNO;
    box.buttonCount = yesNo ? 2 : 1;
    box.ids[0] = yesNo ? IDYES : IDOK;
    box.ids[1] = IDNO;
    int bw = x(60), bh = y(22), gap = x(12), below = y(10);
    int height = std::max(y(110), contentBottom + y(8) + bh + below);
    height = std::min(height, s.screen.height);
    int total = box.buttonCount * bw + (box.buttonCount - 1) * gap;
    int bx = (width - total) / 2, by = height - bh - below;
    for (int i = 0; i < box.buttonCount; ++i, bx += bw + gap)
        box.buttons[i] = {bx, by, bx + bw, by + bh};
    int boxLeft = (s.screen.width - width) / 2;
    int boxTop = (s.screen.height - height) / 2;
    return {boxLeft, boxTop, boxLeft + width, boxTop + height};
}

void Fill(HDC hdc, RECT r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

// A rectangle with a frame of the given thickness around a face.
void Framed(HDC hdc, RECT r, int thickness, COLORREF frame, COLORREF face) {
    Fill(hdc, r, frame);
    Fill(hdc, {r.left + thickness, r.top + thickness, r.right - thickness, r.bottom - thickness},
         face);
}

void PaintBox(HWND hwnd, const MessageBox& box) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT all;
    GetClientRect(hwnd, &all);
    Framed(hdc, all, 1, kFrame, kFace);
    HFONT regular = BoxFont(false), bold = BoxFont(true);
    HGDIOBJ oldFont = SelectObject(hdc, bold);
    SetBkMode(hdc, TRANSPARENT);
    if (box.captionHeight > 0) {
        Fill(hdc, {1, 1, all.right - 1, box.captionHeight}, kCaption);
        RECT title{Scaled(8, Layer().dpiX), 1, all.right - 1, box.captionHeight};
        SetTextColor(hdc, kFace);
        DrawTextW(hdc, box.caption.c_str(), -1, &title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (box.picture)
        DrawIconEx(hdc, box.picturePlace.x, box.picturePlace.y, box.picture, 0, 0, 0, nullptr,
                   DI_NORMAL);
    SelectObject(hdc, regular);
    SetTextColor(hdc, kInk);
    RECT text = box.textRect;
    DrawTextW(hdc, box.text.c_str(), -1, &text, kTextFormat);
    for (int i = 0; i < box.buttonCount; ++i) {
        RECT b = box.buttons[i];
        // The first button is the one Enter takes: a heavier frame.
        Framed(hdc, b, i == 0 ? 2 : 1, kFrame, kButtonFace);
        const wchar_t* label = box.ids[i] == IDYES ? L"Yes" : box.ids[i] == IDNO ? L"No" : L"OK";
        DrawTextW(hdc, label, -1, &b, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(hdc, oldFont);
    DeleteObject(regular);
    DeleteObject(bold);
    EndPaint(hwnd, &ps);
}

int SafeAnswer(const MessageBox& box) {
    return box.buttonCount == 2 ? IDNO : IDOK;
}

LRESULT BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MessageBox* box = BoxOf(hwnd);
    if (!box) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_LBUTTONDOWN: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            for (int i = 0; i < box->buttonCount; ++i)
                if (PtInRect(&box->buttons[i], p)) box->answer = box->ids[i];
            return 0;
        }
        case WM_KEYDOWN:
            // A key held since before the box opened answers nothing.
            if (lParam & KF_REPEAT_LPARAM) return 0;
            if (wParam == VK_RETURN) box->answer = box->ids[0];
            if (wParam == VK_ESCAPE) box->answer = SafeAnswer(*box);
            return 0;
        case WM_SYSKEYDOWN:
            if (IsAltF4(msg, wParam, lParam)) box->answer = SafeAnswer(*box);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintBox(hwnd, *box);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void RegisterBoxClass() {
    for (const auto& c : Layer().classes)
        if (c->name == kBoxClass) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = BoxProc;
    wc.lpszClassName = kBoxClass;
    RegisterClassW(&wc);
}

}  // namespace

MessageBox* BoxOf(HWND hwnd) {
    HWND__* w = FindWindowRecord(hwnd);
    if (!w || !w->cls || w->cls->name != kBoxClass) return nullptr;
    return static_cast<MessageBox*>(w->layerData);
}

int MessageBoxW(HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
    RegisterBoxClass();
    MessageBox box;
    box.text = text ? text : L"";
    box.caption = caption ? caption : L"";
    box.type = type;
    RECT r = LayOutBox(box);
    BackendBoxOpened(box.text.c_str(), box.caption.c_str(), type);

    // Only the box takes input while it is open.
    std::vector<HWND> disabled;
    for (const auto& w : Layer().windows)
        if (w->enabled) {
            w->enabled = false;
            disabled.push_back(w.get());
        }
    HWND hwnd =
        CreateWindowExW(0, kBoxClass, box.caption.c_str(), 0, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    if (hwnd) {
        FindWindowRecord(hwnd)->layerData = &box;
        ShowWindow(hwnd, SW_SHOW);
    }

    bool quit = false;
    int quitCode = 0;
    ModalScope modal;
    while (box.answer == 0 && hwnd) {
        if (Layer().closePending) {
            box.answer = SafeAnswer(box);
            break;
        }
        MSG msg;
        // Everything already waiting runs first, paints included.
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(msg.wParam);
                box.answer = SafeAnswer(box);
                break;
            }
            DispatchMessageW(&msg);
            continue;
        }
        if (BackendTakeBoxAnswer(&box.answer)) break;
        // No more input will ever come: the box takes its first button.
        if (!BackendFetchInput(true)) box.answer = box.ids[0];
    }
    if (!hwnd) box.answer = box.ids[0];

    if (hwnd) {
        FindWindowRecord(hwnd)->layerData = nullptr;
        DestroyWindow(hwnd);
    }
    if (box.picture) DestroyIcon(box.picture);
    for (HWND w : disabled)
        if (HWND__* rec = FindWindowRecord(w)) rec->enabled = true;
    if (quit) PostQuitMessage(quitCode);  // the loop outside must end too
    return box.answer;
}
