// Every test starts on a fresh headless screen.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override { StartScreen(96); }
    // A new run at the given density: the densities are read afresh.
    static void StartScreen(int dpi);
    // A visible, fully painted top-level window of the screen's size.
    static HWND MakeWindow(WNDPROC proc = DefWindowProcW);
};

std::vector<RECT> InvalidatedRects();

inline std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "[" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "]";
}
