// The drawing objects made once at start-up: the card font, three brushes,
// the suit icons and the card backs; and the sized icon loaders.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The card backs and the table colours the player chooses from.
constexpr int32_t kCardBackCount = 5;
constexpr int32_t kTableColourCount = 5;

extern HFONT cardFont;
extern HBRUSH blackBrush;
extern HBRUSH whiteBrush;
extern HBRUSH greyBrush;
extern HICON suitIconImages[4];
extern HBITMAP cardBackBitmaps[kCardBackCount];
// The three on-screen button pictures: "OK", take, sort.
extern HICON okButtonIcon;
extern HICON takeButtonIcon;
extern HICON sortButtonIcon;
// Picture resources of the five card backs, by back index.
extern const int cardBackIds[kCardBackCount];
// Table colours by the background setting, as 0x00BBGGRR.
extern const COLORREF backgroundColours[kTableColourCount];

void CreateGraphics();
void ReleaseGraphics();
// The two buttons' three icons at the screen's density.
void LoadButtonIcons();
void FreeButtonIcons();
HFONT CreateCardFont(int32_t points);
// Tells the layer of the fonts the program makes (the cards' labels), before
// the screen takes its first density.
void RegisterOwnFonts();

// An icon of size x size pixels, never stretched beyond one of its drawn
// sizes. Up to the large low-density drawing (18 for suits, 64 for buttons)
// a size between drawings pads the smaller one with transparency; above it
// a finer drawing (suits 36, 72, 144; buttons 128, 256, 320) is scaled
// down. Null module: the program's own. The caller destroys it.
HICON LoadSuitIcon(int id, int32_t size, HINSTANCE module);
HICON LoadButtonIcon(int id, int32_t size, HINSTANCE module);
// Centres the source in a transparent icon of the new size.
bool PadIcon(HICON source, HICON* result, int32_t sw, int32_t sh, int32_t dw, int32_t dh);
