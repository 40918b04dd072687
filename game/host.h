// What the game asks of the program that hosts it: its window, its texts,
// its error box, its store, the computer player and the table on the
// screen. game/ and ai/ reach above themselves only through here, and
// app/host.cpp answers.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct Card;

// The main window: the table is drawn in it and the game messages go to it.
HWND MainWindow();
// The program's own module: ui/ loads the pictures and icons from it.
HINSTANCE ProgramModule();

// The stored text of a string-table entry (no copy), or null.
const wchar_t* LoadText(UINT id);

// The error box, for states that should never occur; play goes on after it.
// printf-style; the text is cut at 254 characters. Returns its length.
int ShowErrorBox(HWND owner, const wchar_t* format, ...);

// Adds one to a stored count, read afresh so that every running copy's games
// count, and gives back the stored total; when the store cannot be written,
// count + 1.
uint32_t AddOneToStoredCount(uint32_t count, const wchar_t* name);
// The game has ended with this winner (0 the human, 1 the computer): a later
// run must neither take it up nor count it again.
void KeepEndedGame(int32_t winner);
// A game of the current type has ended: winner 0 the human, 1 the computer.
// Counted into the type's record.
void RecordGameEnd(int32_t winner);

// The computer adds one card of a rank on the table to what the human takes,
// never a trump: 1 if it gave one, else 0.
int32_t ComputerThrowsIn();

// The table on the screen, laid out at the screen's density.

// A card's width and height in pixels.
void SizeCard(Card& card);
// Each pile's origin in pixels.
void PlacePileOrigins();
// The stock or the trump card at its place beside the table, on the main
// window.
void PlaceCard(Card& card);

// The parts of the table the game has repainted when they change.
enum TablePart : int32_t { PartStatusStrip, PartCardsLeft, PartLowerButton };
void RepaintPart(TablePart part);
// Lets go of a held button and repaints both buttons: a box is about to show.
void ReleaseButtons();
