// The browser backend: the layer's screen on the page's canvas, the page's
// pointer, key and viewport events as input, and the page's ways of
// showing pages and titles. The page's own half is page.js; the two meet
// in the Velmora object it defines. Waiting yields to the browser (the
// build is asyncified), so the program's own message loops stay as they
// are.
#include "platform/web/web.h"

#include <emscripten.h>
#ifdef __wasm_simd128__
#include <wasm_simd128.h>
#endif

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/backend.h"
#include "platform/density.h"
#include "platform/internal.h"
#include "platform/keys.h"
#include "platform/screen_touched.h"

// clang-format off
EM_JS(int, JsPageDensity, (), { return Velmora.density(); });
EM_JS(int, JsViewportWidth, (), { return Velmora.viewport()[0]; });
EM_JS(int, JsViewportHeight, (), { return Velmora.viewport()[1]; });
EM_JS(int, JsFixedClock, (), { return Velmora.clock(); });
EM_JS(int, JsNextEvent, (int32_t* out), { return Velmora.nextEvent(out >> 2); });
EM_ASYNC_JS(void, JsWait, (int ms), { await Velmora.wait(ms); });
EM_JS(void, JsShow, (const uint32_t* rgba, int width, int height, int x, int y, int w, int h), {
    Velmora.show(rgba, width, height, x, y, w, h);
});
EM_JS(void, JsMargin, (int r, int g, int b), { Velmora.margin(r, g, b); });
EM_JS(void, JsTitle, (const char* title), { document.title = UTF8ToString(title); });
EM_JS(int, JsOpen, (const char* address), { return Velmora.open(UTF8ToString(address)); });
EM_JS(void, JsLine, (const char* text, int status), {
    Velmora.line(UTF8ToString(text), status !== 0);
});
EM_JS(void, JsSay, (const char* text), { Velmora.say(UTF8ToString(text)); });
EM_JS(void, JsEnded, (), { Velmora.ended(); });
EM_JS(void, JsFail, (const char* why), { Velmora.fail(UTF8ToString(why)); });
// clang-format on

namespace {

// What page.js queues, each as five numbers.
enum WebEvent { kPointer = 1, kKey = 2, kViewport = 3, kFocus = 4 };

struct WebState {
    bool open = false;
    bool pinned = false;  // the page fixed the density
    bool shown = false;
    // The canvas's pixels as it holds them, R, G, B, A bytes: a repaint
    // redraws much that did not change, and only what did goes to the page.
    std::vector<uint32_t> frame;
    int frameWidth = 0, frameHeight = 0;
    std::vector<int> runsFrom, runsTo;  // a show's rows' written runs
    std::string title;
    COLORREF margin = 0xFFFFFFFF;  // none yet
    // Presented since the page last saw the canvas: the browser shows
    // nothing until the program waits, so each wait puts them on it once.
    std::vector<RECT> pending;
    void (*tell)() = nullptr;
};

WebState& State() {
    static WebState state;
    return state;
}

// The glyphs come first: a density whose glyphs cannot be fetched (the
// page gone offline) leaves the table as it is.
void WantDensity(int width, int height) {
    if (State().pinned) return;
    int dpi = FitPageDensity(width, height);
    std::string error;
    if (dpi != Layer().dpiX && !WebLoadFonts(dpi, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return;
    }
    PlatformDensityFits(dpi);
}

// Moves the page's queued events into the layer; false when there were none.
bool Drain() {
    bool any = false;
    int32_t e[5];
    while (JsNextEvent(e)) {
        any = true;
        switch (e[0]) {
            case kPointer:
                PlatformPointerInput(static_cast<UINT>(e[1]), e[2], e[3],
                                     static_cast<DWORD>(std::max(e[4], 1)));
                break;
            case kKey: {
                bool down = e[1] != 0, alt = e[3] != 0 || e[2] == VK_MENU;
                UINT message =
                    alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
                LPARAM flags = (alt ? KF_ALTDOWN_LPARAM : 0) | (e[4] ? KF_REPEAT_LPARAM : 0);
                PlatformKeyInput(message, static_cast<WPARAM>(e[2]), flags);
                break;
            }
            case kViewport:
                WantDensity(e[1], e[2]);
                break;
            case kFocus:
                PlatformFocusGained();
                break;
            default:
                break;
        }
    }
    return any;
}

void Show(RECT r) {
    const Surface& screen = Layer().screen;
    r = {std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, screen.width),
         std::min<LONG>(r.bottom, screen.height)};
    if (r.right <= r.left || r.bottom <= r.top) return;
    WebState& st = State();
    // A new screen (frameWidth reset) or a canvas of a new size: all of it
    // to be put, the copy cleared, unlike any opaque pixel.
    const bool whole = st.frameWidth != screen.width || st.frameHeight != screen.height;
    if (whole) {
        st.frameWidth = screen.width;
        st.frameHeight = screen.height;
        st.frame.assign(static_cast<size_t>(screen.width) * screen.height, 0);
    }
    // What changed, in bands of rows: a card that moves from a hand to the
    // table changes two strips far apart, and the canvas takes each alone
    // faster than the rows between them.
    constexpr LONG kBandGap = 8;
    LONG left = r.right, top = -1, right = r.left, bottom = -1;
    auto put = [&] {
        if (top >= 0)
            JsShow(st.frame.data(), screen.width, screen.height, left, top, right - left,
                   bottom - top);
        left = r.right, top = -1, right = r.left, bottom = -1;
    };
    // Only the run of each row the layer wrote, which its copies to the
    // screen keep to the pixels that differed.
    st.runsFrom.resize(static_cast<size_t>(r.bottom - r.top));
    st.runsTo.resize(st.runsFrom.size());
    TakeTouched(r, st.runsFrom.data(), st.runsTo.data());
    for (LONG y = r.top; y < r.bottom; ++y) {
        int from = st.runsFrom[static_cast<size_t>(y - r.top)];
        int to = st.runsTo[static_cast<size_t>(y - r.top)];
        if (whole) from = r.left, to = r.right;
        const size_t at = static_cast<size_t>(y) * screen.width;
        const uint32_t* row = &screen.pixels[at];
        uint32_t* out = &st.frame[at];
        LONG first = -1, last = -1, x = from;
#ifdef __wasm_simd128__
        // Sixteen pixels at a time, the red and blue bytes swapped and alpha
        // set: one test for the lot keeps the unchanged runs cheap.
        auto toRgba = [](const uint32_t* p) {
            const v128_t opaque = wasm_i32x4_splat(static_cast<int32_t>(0xFF000000));
            const v128_t v = wasm_v128_load(p);
            return wasm_v128_or(
                wasm_i8x16_shuffle(v, v, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15),
                opaque);
        };
        for (; x + 16 <= to; x += 16) {
            const v128_t a = toRgba(row + x), b = toRgba(row + x + 4), c = toRgba(row + x + 8),
                         d = toRgba(row + x + 12);
            const v128_t same =
                wasm_v128_and(wasm_v128_and(wasm_i32x4_eq(a, wasm_v128_load(out + x)),
                                            wasm_i32x4_eq(b, wasm_v128_load(out + x + 4))),
                              wasm_v128_and(wasm_i32x4_eq(c, wasm_v128_load(out + x + 8)),
                                            wasm_i32x4_eq(d, wasm_v128_load(out + x + 12))));
            if (wasm_i32x4_all_true(same)) continue;
            wasm_v128_store(out + x, a);
            wasm_v128_store(out + x + 4, b);
            wasm_v128_store(out + x + 8, c);
            wasm_v128_store(out + x + 12, d);
            if (first < 0) first = x;
            last = x + 16;
        }
#endif
        for (; x < to; ++x) {
            const uint32_t p = row[x];
            const uint32_t rgba = 0xFF000000 | (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
            if (rgba == out[x]) continue;
            out[x] = rgba;
            if (first < 0) first = x;
            last = x + 1;
        }
        if (first < 0) {
            if (top >= 0 && y - bottom >= kBandGap) put();
            continue;
        }
        left = std::min(left, first);
        right = std::max(right, last);
        if (top < 0) top = y;
        bottom = y + 1;
    }
    put();
}

void ShowAll() {
    State().pending.clear();
    Show({0, 0, Layer().screen.width, Layer().screen.height});
}

long Area(const RECT& r) {
    return static_cast<long>(r.right - r.left) * (r.bottom - r.top);
}

RECT Bounds(const std::vector<RECT>& rects) {
    RECT all = rects[0];
    for (const RECT& r : rects)
        all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
               std::max(all.bottom, r.bottom)};
    return all;
}

// The page's text keeps pace with the canvas: both change at each wait.
void Tell() {
    if (State().tell) State().tell();
}

void ApplyTitle() {
    for (const auto& w : Layer().windows) {
        if (w->parent) continue;
        std::string title;
        if (PlatformToUtf8(w->title, &title) && title != State().title) {
            State().title = title;
            JsTitle(title.c_str());
        }
        return;
    }
}

}  // namespace

// The page asks as each key goes down, to keep the browser from acting on
// the program's keys; the answer never waits, so it is left out of asyncify.
extern "C" EMSCRIPTEN_KEEPALIVE int VelmoraTakesKey(int key, int chord) {
    return PageTakesKey(static_cast<WPARAM>(key), static_cast<unsigned>(chord)) ? 1 : 0;
}

bool WebOpen(std::string* error) {
    WebState& st = State();
    int dpi = JsPageDensity();
    st.pinned = dpi > 0;
    if (!st.pinned) dpi = FitPageDensity(JsViewportWidth(), JsViewportHeight());
    if (!WebLoadFonts(dpi, error)) return false;
    PlatformReset(ScreenWidthAt(dpi), ScreenHeightAt(dpi), dpi, dpi);
    Layer().pausesOn = true;
    KeepScreenTouched(true);
    st.open = true;
    return true;
}

void WebBeforeWait(void (*tell)()) {
    State().tell = tell;
}

void WebAccountLine(const std::wstring& line, bool status) {
    std::string text;
    if (PlatformToUtf8(line, &text)) JsLine(text.c_str(), status ? 1 : 0);
}

void WebSay(const std::wstring& words) {
    std::string text;
    if (PlatformToUtf8(words, &text)) JsSay(text.c_str());
}

void WebEnded() {
    JsEnded();
}

void WebFail(const std::string& why) {
    JsFail(why.c_str());
}

void GetSystemTime(SYSTEMTIME* st) {
    if (!st) return;
    // The page's fixed clock, as milliseconds into the day, or -1.
    const int fixed = JsFixedClock();
    *st = fixed < 0 ? WallClockNow()
                    : FixedTimeOfDay(fixed / 3600000, fixed / 60000 % 60, fixed / 1000 % 60,
                                     fixed % 1000);
}

void WebShowPending() {
    std::vector<RECT>& pending = State().pending;
    if (pending.empty()) return;
    const RECT all = Bounds(pending);
    long sum = 0;
    for (const RECT& r : pending)
        sum += Area(r);
    // Apart when they cover less than their bounds, else at once.
    const std::vector<RECT> parts = sum < Area(all) ? pending : std::vector<RECT>{all};
    pending.clear();
    for (const RECT& r : parts)
        Show(r);
}

bool BackendFetchInput(bool block) {
    while (!Drain() && block) {
        Tell();
        WebShowPending();
        JsWait(-1);
    }
    return true;
}

void BackendNoteInvalidate(HWND, const RECT&) {}

void BackendPresent(const RECT& r) {
    WebState& st = State();
    if (!st.open) return;
    if (!st.shown) {
        st.shown = true;
        ApplyTitle();
        ShowAll();
        return;
    }
    constexpr size_t kMostPending = 64;  // beyond, their bounds will do
    std::vector<RECT>& pending = st.pending;
    pending.push_back(r);
    if (pending.size() > kMostPending) pending.assign(1, Bounds(pending));
}

bool BackendPause(DWORD ms, const char*) {
    const double deadline = emscripten_get_now() + ms;
    for (;;) {
        Drain();
        if (PlatformPressWaiting()) return false;
        const double left = deadline - emscripten_get_now();
        if (left <= 0) return true;
        Tell();
        WebShowPending();
        JsWait(static_cast<int>(left + 0.5));
    }
}

void BackendScreenChanged() {
    WebState& st = State();
    st.frameWidth = 0;  // the next show puts all of the new screen
    if (st.shown) st.pending.assign(1, RECT{0, 0, Layer().screen.width, Layer().screen.height});
}

void BackendMarginTextChanged() {}  // the page shows the account as text of its own

void BackendMarginColour(COLORREF colour) {
    WebState& st = State();
    if (colour == st.margin) return;
    st.margin = colour;
    JsMargin(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF);
}

void BackendTitleChanged(HWND) {
    if (State().open) ApplyTitle();
}

// A box's text is heard as it opens; its keys are the rules page's.
void BackendBoxOpened(const wchar_t* text, const wchar_t*, UINT) {
    if (text) WebSay(text);
}

bool BackendTakeBoxAnswer(int*) {
    return false;
}

// The page is the whole screen already, and full screen is the browser's.
void BackendShellCall(const char*, HWND, DWORD, HWND*) {}

// The rules page lies beside the page, in a new tab.
bool PlatformOpenPage(const std::string& name, const std::string* anchor) {
    std::string address = name;
    if (anchor) address += "#" + *anchor;
    return JsOpen(address.c_str()) != 0;
}

void PlatformSetProgramFolder(const char*) {}
