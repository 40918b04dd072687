// The screen's density, chosen once at start from the room the display
// offers. Kept apart from SDL so it can be tested.
#pragma once

// Densities a user may force with VELMORA_DPI.
constexpr int kMinDensity = 24;
constexpr int kMaxDensity = 960;

// The density VELMORA_DPI forces: its value when the text is decimal
// digits only for a whole number within the limits, 0 when there is no
// text, -1 for any other text (which is then ignored).
int DensityOverride(const char* text);

// The screen's size in pixels at a density: 240 x 320 design units.
int ScreenWidthAt(int dpi);
int ScreenHeightAt(int dpi);

// The density for a usable area of width x height pixels that must also
// leave decorW x decorH pixels for the window's frame: the largest multiple
// of 48 from 96 up whose screen fits, else the largest whole density below
// 96 that fits (at least kMinDensity). A valid override (see
// DensityOverride) wins; with no area known (width or height not
// positive) the density is 96.
int ChooseDensity(int width, int height, int decorW, int decorH, const char* override);

// The density for a window of width x height pixels: the largest whole one
// from kMinDensity to kMaxDensity whose screen fits, else kMinDensity.
int FitDensity(int width, int height);

// The densities a page may take: the glyphs drawn for it cover these.
constexpr int kMaxPageDensity = 768;

// The density for a page of width x height device pixels: as FitDensity,
// but no more than kMaxPageDensity.
int FitPageDensity(int width, int height);
