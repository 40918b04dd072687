// Design units and the screen's density. Every position on the table is a
// whole number of design units (pixels of a 96 dpi screen 240 units wide),
// turned into pixels with the screen's own density when used.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// GetDeviceCaps of the screen, or -1 when the screen cannot be asked.
int32_t ScreenCaps(int index);

// Read from the screen on first use and kept for the life of the process.
int32_t DensityX();
int32_t DensityY();

// d x n / 96 rounded to nearest, halves up, in integers only.
int32_t ScaleX(int32_t n);
int32_t ScaleY(int32_t n);

// Makes the next DensityX/DensityY read the screen again: at the start of a
// run (and a test starting a new one), and in a relayout at a new density.
void ForgetDensities();

// Layout constants in design units; rectangles are left, top, right, bottom.
namespace units {
constexpr int32_t cardWidth = 28;
constexpr int32_t cardHeight = 40;
constexpr POINT stockCard{205, 2};
constexpr POINT trumpCard{205, 27};
constexpr POINT trumpMarker{214, 72};
constexpr RECT cardsLeftRect{202, 67, 236, 95};
constexpr RECT upperButtonRect{204, 120, 236, 152};
constexpr RECT lowerButtonRect{204, 170, 236, 202};
constexpr RECT buttonSeparator{199, 0, 200, 400};
constexpr RECT tableArea{2, 71, 199, 117};
constexpr RECT statusTextRect{2, 198, 240, 237};
constexpr RECT statusStrip{2, 198, 240, 260};
constexpr int32_t buttonIconSize = 32;
constexpr int32_t suitIconSize = 9;
constexpr int32_t screenWidth = 240;
constexpr int32_t screenHeight = 320;
}  // namespace units

// A design-unit rectangle in pixels: x values with ScaleX, y with ScaleY.
RECT ScaleRect(const RECT& designUnits);

// The two on-screen buttons in pixels, fixed once at start-up.
extern RECT lowerButtonRect;
extern RECT upperButtonRect;
// Lower first, then upper, each left, top, right, bottom in that order.
void ComputeButtonRects();
