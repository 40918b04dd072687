// The drawing of the table: cards, piles, the trump marker, the buttons,
// the status text and the count of cards left.
#pragma once

#include <cstdint>

#include "game/pile.h"
#include "platform/platform.h"

// 1 when the card was drawn, 0 for a hidden card or one without identity
// or place.
int32_t PaintCard(const Card& card, HDC dc);
void PaintPile(const CardPile& pile, HDC dc);
void PaintTrumpMarker(HDC dc, int32_t suit, int32_t x, int32_t y);
void PaintButtons(HDC dc);
// The whole scene over the already filled background.
void PaintTable(HDC dc);

// Asks for the lower button to be repainted: its picture follows who attacks.
void InvalidateLowerButton();

// 0 none, 1 the lower button is held, 2 the upper one.
extern int32_t pressedButton;
// The keyboard's focus mark where it was last asked to be drawn (client
// pixels; empty: nowhere).
extern RECT focusFrame;
// How thick the mark is, in pixels.
int32_t FocusEdge();
// Where the mark goes for card `position` (1-based) of the human hand:
// around the card when no other lies on it, else just inside the strip the
// next card leaves in sight, where the ring cannot touch a neighbour.
RECT FocusFrameAround(int32_t position);
