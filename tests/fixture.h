// Every test starts on a fresh headless screen.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override { StartScreen(96); }
    // A new run at the given density: the densities are read afresh.
    static void StartScreen(int dpi);
    // A visible, fully painted top-level window of a class of its own, the
    // screen's size unless placed.
    static HWND MakeWindow(WNDPROC proc = DefWindowProcW, UINT classStyle = 0,
                           const RECT* place = nullptr);
};

std::vector<RECT> InvalidatedRects();

// What windows of Recorder heard, in order: "create", "destroy", "erase",
// "paint", "down 30,40", "up", "double", "key 13" (also Alt+key),
// "command 7 0", "activate 1".
extern std::vector<std::string> heard;
constexpr COLORREF kRecorderColour = RGB(200, 0, 0);
// Notes the messages above; paints all of its client area kRecorderColour.
LRESULT Recorder(HWND hwnd, UINT msg, WPARAM w, LPARAM l);

inline std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "[" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "]";
}

inline POINT CentreOf(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline void TapCentre(const RECT& r) {
    HeadlessTap(CentreOf(r).x, CentreOf(r).y);
}

inline void PressKey(WPARAM key) {
    HeadlessKey(WM_KEYDOWN, key, 0);
    HeadlessKey(WM_KEYUP, key, 0);
}

// Hands out one step each time a loop waits for input; input ends after the
// last. The source is taken back when this goes.
class StepInput {
  public:
    explicit StepInput(std::vector<std::function<void()>> steps);
    ~StepInput() { HeadlessSetInputSource(nullptr); }
    StepInput(const StepInput&) = delete;
    StepInput& operator=(const StepInput&) = delete;
    bool Done() const { return next_ == steps_.size(); }
    // Runs the next step from here rather than from a waiting loop.
    void RunNext() { steps_[next_++](); }

  private:
    std::vector<std::function<void()>> steps_;
    size_t next_ = 0;
};

// A fresh folder, removed with everything in it when this goes.
class TempFolder {
  public:
    explicit TempFolder(std::string pattern = "/tmp/velmora-test-XXXXXX");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string path;
};

// The settings store in a fresh folder for as long as this lives.
class TempConfig : public TempFolder {
  public:
    TempConfig() { PlatformSetConfigHome(path.c_str()); }
    ~TempConfig() { PlatformSetConfigHome(nullptr); }
};
