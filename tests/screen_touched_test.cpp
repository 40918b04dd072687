// The page puts on its canvas only the runs of rows the layer notes as
// written. A copy of the screen kept by those runs alone must stay the
// screen's twin whatever the program draws, and a repaint that changes
// nothing must note nothing, or the record saves the page no work.
#include <random>

#include "app/construct.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window.h"
#include "platform/screen_touched.h"
#include "res/ids.h"
#include "res/resources.h"
#include "tests/fixture.h"
#include "ui/scale.h"

namespace {

// The screen as the page's canvas would hold it.
struct Twin {
    std::vector<uint32_t> pixels;
    int width = 0;
    // Takes every noted run from the screen; the pixels taken.
    long Follow() {
        const Surface& screen = Layer().screen;
        std::vector<int> lo(static_cast<size_t>(screen.height)), hi(lo.size());
        TakeTouched({0, 0, screen.width, screen.height}, lo.data(), hi.data());
        if (width != screen.width || pixels.size() != screen.pixels.size()) {
            width = screen.width;
            pixels = screen.pixels;
            return static_cast<long>(pixels.size());
        }
        long taken = 0;
        for (size_t y = 0; y < lo.size(); ++y) {
            if (lo[y] >= hi[y]) continue;
            const size_t at = y * static_cast<size_t>(width);
            std::copy(&screen.pixels[at + lo[y]], &screen.pixels[at + hi[y]], &pixels[at + lo[y]]);
            taken += hi[y] - lo[y];
        }
        return taken;
    }
    // The first pixel where the twin and the screen differ, or -1.
    long FirstDifference() const {
        const auto& s = Layer().screen.pixels;
        for (size_t i = 0; i < s.size(); ++i)
            if (s[i] != pixels[i]) return static_cast<long>(i);
        return -1;
    }
};

// Random taps over the whole screen and the keys that open menus, move the
// focus and answer boxes, in the real program; the twin is checked each
// time the program waits. At the end, with the table still, a full repaint.
struct Session {
    int dpi;
    uint32_t seed;
    int inputs;
};

std::ostream& operator<<(std::ostream& os, const Session& s) {
    return os << s.dpi << " dpi, seed " << s.seed << ", " << s.inputs << " inputs";
}

class ScreenTouchedTest : public ::testing::TestWithParam<Session> {};

TEST_P(ScreenTouchedTest, TheTwinFollowsEveryWriteAndAStillRepaintNotesNothing) {
    const Session run = GetParam();
    TempConfig config;
    HeadlessStartAtDpi(run.dpi);
    HeadlessSetDrawing(true);
    ForgetDensities();
    KeepScreenTouched(true);
    RegisterResources();
    ConstructProgram();
    std::mt19937 rng(run.seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Twin twin;
    twin.Follow();
    int done = 0;
    long firstMiss = -1, missAt = -1, stillTaken = -1;
    bool exiting = false;
    HeadlessSetInputSource([&] {
        twin.Follow();
        if (firstMiss < 0 && (firstMiss = twin.FirstDifference()) >= 0) missAt = done;
        if (HeadlessOpenBoxes() > 0 && (exiting || pick(0, 2) == 0)) {
            HeadlessQueueBoxAnswer(IDOK);
            return true;
        }
        if (exiting) return false;
        if (++done > run.inputs) {
            // Menus and dialogs closed first, so that the paint reaches the
            // screen.
            if ((HeadlessOpenMenu() >= 0 || GetForegroundWindow() != mainWindow) &&
                done < run.inputs + 20) {
                PressKey(VK_ESCAPE);
                return true;
            }
            const int presents = HeadlessPresentCount();
            InvalidateRect(mainWindow, nullptr, FALSE);
            UpdateWindow(mainWindow);
            stillTaken = HeadlessPresentCount() > presents ? twin.Follow() : -1;
            exiting = true;
            PostMessageW(mainWindow, WM_COMMAND, IDM_EXIT, 0);
            return true;
        }
        // Anything but the Exit item of an open menu.
        const int exit = HeadlessOpenMenu() >= 0 ? HeadlessMenuItem(L"Exit") : -1;
        RECT exitItem{};
        if (exit >= 0) HeadlessMenuItemRect(exit, &exitItem);
        const bool onExit = exit >= 0 && HeadlessMenuHighlight() == exit;
        static constexpr WPARAM kKeys[] = {VK_LEFT,  VK_RIGHT,  VK_UP,  VK_DOWN, VK_RETURN,
                                           VK_SPACE, VK_ESCAPE, VK_TAB, VK_F10,  VK_MENU};
        const WPARAM key = kKeys[pick(0, static_cast<int>(std::size(kKeys)) - 1)];
        if (pick(0, 2) == 0 && !(onExit && (key == VK_RETURN || key == VK_SPACE))) {
            PressKey(key);
            return true;
        }
        const Surface& screen = Layer().screen;
        POINT p{pick(0, screen.width - 1), pick(0, screen.height - 1)};
        if (!PtInRect(&exitItem, p)) HeadlessTap(p.x, p.y);
        return true;
    });
    WinMain(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOW);
    HeadlessSetInputSource(nullptr);
    ReleaseProgram();
    KeepScreenTouched(false);
    EXPECT_EQ(firstMiss, -1) << "pixel " << firstMiss << " missed after input " << missAt;
    EXPECT_GT(done, run.inputs);
    EXPECT_EQ(stillTaken, 0) << "a still repaint noted pixels";
}

INSTANTIATE_TEST_SUITE_P(Densities, ScreenTouchedTest,
                         ::testing::Values(Session{96, 7, 400}, Session{144, 8, 300},
                                           Session{240, 9, 120}));

}  // namespace
