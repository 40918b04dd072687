#include "platform/sdl/sdl.h"

#include <SDL.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/density.h"
#include "platform/gdi_internal.h"
#include "platform/internal.h"
#include "platform/keys.h"

namespace {

// The desktop entry's name: the X class and the Wayland application id.
constexpr const char* kAppId = "io.github.velmora.Velmora";
constexpr int kProgramIcon = 101;
constexpr int kWindowIconSize = 64;
// Room left for a window frame, in the display's points.
constexpr int kDecorationWidth = 16;
constexpr int kDecorationHeight = 64;
// What the window manager shows after the program's own title.
constexpr const char* kTitleTail = " \u2014 Velmora";

struct SdlState {
    SDL_Window* window = nullptr;
    SDL_Surface* screen = nullptr;  // wraps the layer's screen pixels
    bool shown = false;
    bool trace = false;
    POINT offset{};  // where the screen lies in the window, in pixels
    double pixelsPerPoint = 1.0;
    uint32_t margin = 0x202020;  // 0xRRGGBB, until the program names its own
    bool pinned = false;         // VELMORA_DPI fixes the density
    bool wholePending = false;   // the margins want painting at the next present
    bool panelPending = false;   // the margin's lines changed since they were shown
    SdlWindowState windowed;     // the size out of full screen, in points
    SdlWindowState started;      // as the window started
    std::string title;
    SDL_Point least{};  // the minimum size last given to SDL, in points
};

SdlState& State() {
    static SdlState state;
    return state;
}

bool Tracing() {
    const char* t = std::getenv("VELMORA_TRACE");
    return t && std::strcmp(t, "1") == 0;
}

std::string Utf8(const std::wstring& text) {
    char* s = SDL_iconv_string("UTF-8", "WCHAR_T", reinterpret_cast<const char*>(text.c_str()),
                               (text.size() + 1) * sizeof(wchar_t));
    std::string out = s ? s : "";
    SDL_free(s);
    return out;
}

void SetIcon(SDL_Window* window) {
    const IconResource* icon = FindIconResource(nullptr, kProgramIcon);
    if (!icon) return;
    // Grows with the screen above 192 dpi: the smallest image at least the
    // size wanted (the desktop scales it down), else the largest.
    const int dpi = Layer().dpiX;
    const int wanted = dpi > 192 ? kWindowIconSize * dpi / 192 : kWindowIconSize;
    const IconImageResource* best = nullptr;
    const IconImageResource* largest = nullptr;
    for (int i = 0; i < icon->imageCount; ++i) {
        const IconImageResource* image = &icon->images[i];
        if (!largest || image->width > largest->width) largest = image;
        if (image->width >= wanted && (!best || image->width < best->width)) best = image;
    }
    if (!best) best = largest;
    Surface pixels;
    std::vector<BYTE> alpha;
    if (!best || !PlatformDecodePng(best->png, best->size, &pixels, &alpha)) return;
    std::vector<uint32_t> argb(pixels.pixels.size());
    for (size_t i = 0; i < argb.size(); ++i)
        argb[i] = static_cast<uint32_t>(alpha[i]) << 24 | (pixels.pixels[i] & 0xFFFFFF);
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
        argb.data(), pixels.width, pixels.height, 32, pixels.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return;
    SDL_SetWindowIcon(window, s);
    SDL_FreeSurface(s);
}

// The layer's screen pixels as an SDL surface, made again whenever they move.
bool WrapScreen() {
    SdlState& st = State();
    if (st.screen) SDL_FreeSurface(st.screen);
    Surface& screen = Layer().screen;
    st.screen =
        SDL_CreateRGBSurfaceWithFormatFrom(screen.pixels.data(), screen.width, screen.height, 32,
                                           screen.width * 4, SDL_PIXELFORMAT_RGB888);
    return st.screen != nullptr;
}

// The window's surface, with the screen centred on the fill.
SDL_Surface* WindowSurface() {
    SdlState& st = State();
    SDL_Surface* target = SDL_GetWindowSurface(st.window);
    if (!target) return nullptr;
    st.offset = {std::max(0, (target->w - st.screen->w) / 2),
                 std::max(0, (target->h - st.screen->h) / 2)};
    int windowW = 0, windowH = 0;
    SDL_GetWindowSize(st.window, &windowW, &windowH);
    st.pixelsPerPoint = windowW > 0 ? static_cast<double>(target->w) / windowW : 1.0;
    return target;
}

// The margin's panel: beside the screen when the window is wider, below
// it when taller; empty when the window is the screen's size.
SDL_Rect PanelPlace(const SDL_Surface* target) {
    const SdlState& st = State();
    const int beside = target->w - st.screen->w, below = target->h - st.screen->h;
    if (beside >= below) {
        const int x = st.offset.x + st.screen->w;
        return {x, 0, target->w - x, target->h};
    }
    const int y = st.offset.y + st.screen->h;
    return {0, y, target->w, target->h - y};
}

// Paints the panel over the margin's fill; false when none is shown.
bool PaintPanel(SDL_Surface* target, SDL_Rect* place) {
    State().panelPending = false;
    *place = PanelPlace(target);
    Surface panel;
    if (!PaintMarginText(place->w, place->h, &panel)) return false;
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormatFrom(panel.pixels.data(), panel.width, panel.height, 32,
                                           panel.width * 4, SDL_PIXELFORMAT_RGB888);
    if (!s) return false;
    SDL_BlitSurface(s, nullptr, target, place);
    SDL_FreeSurface(s);
    return true;
}

void FillMargin(SDL_Surface* target, const SDL_Rect* area) {
    const uint32_t m = State().margin;
    SDL_FillRect(target, area,
                 SDL_MapRGB(target->format, static_cast<Uint8>(m >> 16), static_cast<Uint8>(m >> 8),
                            static_cast<Uint8>(m)));
}

// The panel again by itself, when only its lines changed.
void PresentPanel() {
    SdlState& st = State();
    SDL_Surface* target = WindowSurface();
    if (!target || !st.screen) return;
    SDL_Rect place = PanelPlace(target);
    if (place.w <= 0 || place.h <= 0) {
        st.panelPending = false;
        return;
    }
    FillMargin(target, &place);
    PaintPanel(target, &place);
    SDL_UpdateWindowSurfaceRects(st.window, &place, 1);
}

void Present(SDL_Rect area, bool all) {
    SdlState& st = State();
    SDL_Surface* target = WindowSurface();
    if (!target) return;
    if (all) {
        FillMargin(target, nullptr);
        SDL_Rect place;
        PaintPanel(target, &place);
        area = {0, 0, st.screen->w, st.screen->h};
    }
    SDL_Rect to{area.x + st.offset.x, area.y + st.offset.y, area.w, area.h};
    SDL_BlitSurface(st.screen, &area, target, &to);
    if (all) {
        SDL_UpdateWindowSurface(st.window);
    } else {
        SDL_UpdateWindowSurfaceRects(st.window, &to, 1);
    }
}

// The least size, in points, for a screen of w x h pixels.
SDL_Point InPoints(int w, int h) {
    const double scale = State().pixelsPerPoint;
    return {static_cast<int>(std::ceil(w / scale)), static_cast<int>(std::ceil(h / scale))};
}

// The window is never smaller than the screen at 96 dpi, nor, while a box,
// dialog or menu is open, than the screen as it is: the density waits for
// the modal loop to end, so a smaller window would cut off its buttons.
SDL_Point LeastWindow() {
    const Surface& screen = Layer().screen;
    int w = ScreenWidthAt(96), h = ScreenHeightAt(96);
    if (Layer().modalDepth > 0) {
        w = std::max(w, screen.width);
        h = std::max(h, screen.height);
    }
    return InPoints(w, h);
}

void SyncLeastWindow() {
    SdlState& st = State();
    if (!st.window) return;
    const SDL_Point least = LeastWindow();
    if (least.x == st.least.x && least.y == st.least.y) return;
    st.least = least;
    SDL_SetWindowMinimumSize(st.window, least.x, least.y);
}

POINT ToScreen(int x, int y) {
    const SdlState& st = State();
    return {static_cast<LONG>(x * st.pixelsPerPoint) - st.offset.x,
            static_cast<LONG>(y * st.pixelsPerPoint) - st.offset.y};
}

// SDL's keys as virtual keys; what is not one of the program's keys
// (platform/keys.h) is dropped.
WPARAM KeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<WPARAM>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<WPARAM>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<WPARAM>(VK_F1 + (key - SDLK_F1));
    static constexpr struct {
        SDL_Keycode sdl;
        WPARAM vk;
    } kKeys[] = {
        {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE},
        {SDLK_TAB, VK_TAB},       {SDLK_SPACE, VK_SPACE},     {SDLK_LSHIFT, VK_SHIFT},
        {SDLK_RSHIFT, VK_SHIFT},  {SDLK_LCTRL, VK_CONTROL},   {SDLK_RCTRL, VK_CONTROL},
        {SDLK_LALT, VK_MENU},     {SDLK_RALT, VK_MENU},       {SDLK_PAGEUP, VK_PRIOR},
        {SDLK_PAGEDOWN, VK_NEXT}, {SDLK_END, VK_END},         {SDLK_HOME, VK_HOME},
        {SDLK_LEFT, VK_LEFT},     {SDLK_UP, VK_UP},           {SDLK_RIGHT, VK_RIGHT},
        {SDLK_DOWN, VK_DOWN},
    };
    for (const auto& k : kKeys)
        if (k.sdl == key) return k.vk;
    return 0;
}

void Key(const SDL_KeyboardEvent& e) {
    WPARAM key = KeyOf(e.keysym.sym);
    if (!IsProgramKey(key)) return;
    bool down = e.type == SDL_KEYDOWN;
    bool alt = (e.keysym.mod & KMOD_ALT) != 0 || key == VK_MENU;
    UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM flags = (alt ? KF_ALTDOWN_LPARAM : 0) | (e.repeat ? KF_REPEAT_LPARAM : 0);
    PlatformKeyInput(message, key, flags);
}

void Button(const SDL_MouseButtonEvent& e) {
    // Touch comes as the mouse events SDL makes of it, never as fingers too.
    if (e.button != SDL_BUTTON_LEFT) return;
    POINT p = ToScreen(e.x, e.y);
    DWORD time = std::max<Uint32>(e.timestamp, 1);
    PlatformPointerInput(e.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP, p.x, p.y,
                         time);
}

// The largest density whose screen fits the window asks for a relayout,
// which the layer hands the program once no box, dialog or menu is open;
// until then the old screen stays centred.
void WantDensityForWindow() {
    SdlState& st = State();
    if (!(SDL_GetWindowFlags(st.window) & SDL_WINDOW_FULLSCREEN_DESKTOP))
        SDL_GetWindowSize(st.window, &st.windowed.width, &st.windowed.height);
    if (st.pinned) return;
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(st.window, &w, &h);
    PlatformDensityFits(FitDensity(w, h));
}

void Window(const SDL_WindowEvent& e) {
    switch (e.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            PlatformFocusGained();
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            // Not every window manager heeds the minimum it was given.
            if (!(SDL_GetWindowFlags(State().window) & SDL_WINDOW_FULLSCREEN_DESKTOP) &&
                (e.data1 < State().least.x || e.data2 < State().least.y)) {
                SDL_SetWindowSize(State().window, std::max(e.data1, State().least.x),
                                  std::max(e.data2, State().least.y));
                break;
            }
            WantDensityForWindow();
            if (State().shown) Present({}, true);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            if (State().shown) Present({}, true);
            break;
        default:
            break;
    }
}

void Handle(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:  // the close button, Alt+F4 from the desktop, SIGINT, SIGTERM
            PlatformRequestClose();
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            Key(e.key);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            Button(e.button);
            break;
        case SDL_WINDOWEVENT:
            Window(e.window);
            break;
        default:
            break;
    }
}

// The program's window: the first top-level one.
bool IsMainWindow(HWND hwnd) {
    for (const auto& w : Layer().windows)
        if (!w->parent) return w.get() == hwnd;
    return false;
}

void ApplyTitle() {
    SdlState& st = State();
    for (const auto& w : Layer().windows) {
        if (w->parent) continue;
        // The game type, then the program's name.
        std::string title = Utf8(w->title);
        title = title.empty() ? "Velmora" : title + kTitleTail;
        if (title != st.title) {
            st.title = title;
            // Xlib writes a title beyond ASCII into _NET_WM_NAME only under a
            // UTF-8 locale; the program itself keeps the C one.
            const std::string kept = std::setlocale(LC_CTYPE, nullptr);
            std::setlocale(LC_CTYPE, "C.UTF-8");
            SDL_SetWindowTitle(st.window, title.c_str());
            std::setlocale(LC_CTYPE, kept.c_str());
        }
        return;
    }
}

// One line on standard error when VELMORA_DPI is set to something the
// density choice ignores; control bytes are shown as '?' to keep it one line.
void WarnOfBadDensity(const char* text) {
    if (DensityOverride(text) >= 0) return;
    std::string shown = text;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    std::fprintf(stderr, "velmora: VELMORA_DPI=%s is not a whole number from %d to %d; ignored\n",
                 shown.c_str(), kMinDensity, kMaxDensity);
}

}  // namespace

bool SdlOpen(std::string* error, const SdlWindowState& remembered) {
    SdlState& st = State();
    st.trace = Tracing();
    // Said before the display is looked for, so it is heard even without one.
    WarnOfBadDensity(std::getenv("VELMORA_DPI"));
    // The desktop entry's name, unless the user set their own.
    setenv("SDL_VIDEO_X11_WMCLASS", kAppId, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", kAppId, 0);
    // The window surface through the display's own shared memory: a GL
    // renderer behind it costs far more to start than it saves.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    // Asked before SDL looks, whose probes print messages of their own.
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    if (!set("SDL_VIDEODRIVER")) {
        if (!set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
            *error = "cannot open a window: no display (set DISPLAY or WAYLAND_DISPLAY)";
            return false;
        }
        // Only the display servers named in the environment are tried, never
        // SDL's drivers that show nothing.
        std::string drivers = set("DISPLAY") ? "x11" : "";
        if (set("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        *error = std::string("cannot open a window: ") + SDL_GetError();
        if (set("DISPLAY")) *error += std::string(" (DISPLAY is ") + std::getenv("DISPLAY") + ")";
        return false;
    }
    SDL_StopTextInput();  // no on-screen keyboard: the game takes no text
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
    SDL_EventState(SDL_FINGERMOTION, SDL_IGNORE);

    st.window = SDL_CreateWindow(
        "Velmora", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ScreenWidthAt(96),
        ScreenHeightAt(96), SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE);
    if (!st.window) {
        *error = std::string("cannot open a window: ") + SDL_GetError();
        SDL_Quit();
        return false;
    }
    // Densities count the display's physical pixels, which a scaled desktop
    // gives more of than points.
    int pixelsW = 0, pixelsH = 0;
    SDL_GetWindowSizeInPixels(st.window, &pixelsW, &pixelsH);
    double scale = pixelsW > 0 ? pixelsW / static_cast<double>(ScreenWidthAt(96)) : 1.0;
    SDL_Rect usable{};
    bool known = SDL_GetDisplayUsableBounds(0, &usable) == 0;
    int dpi = ChooseDensity(
        known ? static_cast<int>(usable.w * scale) : 0,
        known ? static_cast<int>(usable.h * scale) : 0, static_cast<int>(kDecorationWidth * scale),
        static_cast<int>(kDecorationHeight * scale), std::getenv("VELMORA_DPI"));
    int width = ScreenWidthAt(dpi), height = ScreenHeightAt(dpi);
    st.pinned = DensityOverride(std::getenv("VELMORA_DPI")) > 0;
    int windowW = static_cast<int>(width / scale + 0.5);
    int windowH = static_cast<int>(height / scale + 0.5);
    st.pixelsPerPoint = scale;
    const SDL_Point least = InPoints(ScreenWidthAt(96), ScreenHeightAt(96));
    if (remembered.width > 0 && remembered.height > 0) {
        // The size of the last run, within what this display offers now.
        windowW =
            std::max(least.x, known ? std::min(remembered.width, usable.w) : remembered.width);
        windowH =
            std::max(least.y, known ? std::min(remembered.height, usable.h) : remembered.height);
        if (!st.pinned) {
            dpi = FitDensity(static_cast<int>(windowW * scale), static_cast<int>(windowH * scale));
            width = ScreenWidthAt(dpi);
            height = ScreenHeightAt(dpi);
        }
    }
    st.least = least;
    SDL_SetWindowMinimumSize(st.window, least.x, least.y);
    SDL_SetWindowSize(st.window, windowW, windowH);
    SDL_SetWindowPosition(st.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    if (remembered.fullScreen) SDL_SetWindowFullscreen(st.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    st.windowed = {windowW, windowH, false};
    st.started = {windowW, windowH, remembered.fullScreen};

    PlatformReset(width, height, dpi, dpi);
    Layer().pausesOn = true;
    if (!WrapScreen()) {
        *error = std::string("cannot make the screen: ") + SDL_GetError();
        SdlClose();
        return false;
    }
    return true;
}

SdlWindowState SdlWindowNow() {
    const SdlState& st = State();
    SdlWindowState now = st.windowed;
    now.fullScreen = st.window && (SDL_GetWindowFlags(st.window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    return now;
}

bool SdlWindowChanged() {
    const SdlWindowState now = SdlWindowNow(), &was = State().started;
    return now.width != was.width || now.height != was.height || now.fullScreen != was.fullScreen;
}

void SdlClose() {
    SdlState& st = State();
    if (st.screen) SDL_FreeSurface(st.screen);
    st.screen = nullptr;
    // The window and SDL itself stay until the process ends: SDL may have
    // queued a wake-up for the window on its second X connection, and if the
    // window were destroyed first that request fails and Xlib exits with 1.
    // Ending the process closes both connections cleanly.
    if (!st.window) SDL_Quit();
}

namespace {

// VELMORA_CLOCK=HH:MM:SS.mmm: the time of day the clock reads, so that a
// deal can be had again (the same as velmora-replay --clock).
bool FixedClock(SYSTEMTIME* st) {
    static const char* text = std::getenv("VELMORA_CLOCK");
    if (!text) return false;
    int h = 0, m = 0, s = 0, ms = 0;
    if (!ParseClockText(text, &h, &m, &s, &ms)) {
        static bool said = false;
        if (!said)
            std::fprintf(stderr, "velmora: VELMORA_CLOCK=%s is not HH:MM:SS.mmm; ignored\n", text);
        said = true;
        return false;
    }
    *st = FixedTimeOfDay(h, m, s, ms);
    return true;
}

}  // namespace

void GetSystemTime(SYSTEMTIME* st) {
    if (st && !FixedClock(st)) *st = WallClockNow();
}

bool BackendFetchInput(bool block) {
    SDL_Event e;
    // The panel's lines are shown before any wait, as the paints are.
    if (block && State().shown && State().panelPending) PresentPanel();
    if (block) SyncLeastWindow();
    if (block) {
        if (!SDL_WaitEvent(&e)) return false;
        Handle(e);
    }
    while (SDL_PollEvent(&e))
        Handle(e);
    return true;
}

void BackendNoteInvalidate(HWND, const RECT&) {}

void BackendPresent(const RECT& r) {
    SdlState& st = State();
    if (!st.window) return;
    if (!st.shown) {
        st.shown = true;
        // The program's icon exists only once its resources are registered.
        SetIcon(st.window);
        ApplyTitle();
        SDL_ShowWindow(st.window);
        Present({}, true);
        if (st.trace) {
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::fprintf(stderr, "velmora: first frame at %lld.%06ld\n",
                         static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
            std::fflush(stderr);
        }
        return;
    }
    if (st.wholePending || !st.screen) {
        st.wholePending = false;
        if (st.screen) Present({}, true);
        return;
    }
    RECT clipped{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0),
                 std::min<LONG>(r.right, st.screen->w), std::min<LONG>(r.bottom, st.screen->h)};
    if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) return;
    Present({clipped.left, clipped.top, clipped.right - clipped.left, clipped.bottom - clipped.top},
            false);
}

bool BackendPause(DWORD ms, const char*) {
    if (State().shown && State().panelPending) PresentPanel();
    const Uint32 deadline = SDL_GetTicks() + ms;
    for (;;) {
        const Uint32 now = SDL_GetTicks();
        if (static_cast<int32_t>(deadline - now) <= 0) return true;
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, static_cast<int>(deadline - now))) {
            Handle(e);
            if (PlatformPressWaiting()) return false;
        }
    }
}

void BackendScreenChanged() {
    SdlState& st = State();
    if (!st.window) return;
    WrapScreen();
    st.wholePending = true;
}

void BackendMarginTextChanged() {
    State().panelPending = true;
}

void BackendMarginColour(COLORREF colour) {
    SdlState& st = State();
    uint32_t rgb = PixelOf(colour);
    if (rgb == st.margin) return;
    st.margin = rgb;
    st.wholePending = true;
}

void BackendTitleChanged(HWND hwnd) {
    if (State().window && IsMainWindow(hwnd)) ApplyTitle();
}

void BackendBoxOpened(const wchar_t*, const wchar_t*, UINT) {}

bool BackendTakeBoxAnswer(int*) {
    return false;
}

// The window is the device's whole screen already: the device's full
// screen and menu bar calls ask nothing more of it. F11's toggle does.
void BackendShellCall(const char* name, HWND, DWORD, HWND*) {
    SdlState& st = State();
    if (!st.window || std::strcmp(name, "ToggleFullScreen") != 0) return;
    bool full = (SDL_GetWindowFlags(st.window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(st.window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool BackendLaunch(const std::vector<std::string>& argv) {
    return PlatformSpawnDetached(argv);
}
