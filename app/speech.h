// The table in words for a screen reader: the framed card, the table, the
// hand and the buttons, each from the string table. They are texts of their
// own, beside the picture: the status line and the account stay as they are.
#pragma once

#include <string>

// "7♣, card 3 of 8, selected"; empty while no card is framed.
std::wstring FocusSaying();
// Each attack card with what covers it, the trump, the cards left to draw
// and the computer's hand, as much of it as the table shows.
std::wstring TableSaying();
// The hand in its order, the selected cards marked.
std::wstring HandSaying();
// What the lower and the upper button do now.
std::wstring ButtonsSaying();

// Whoever says the texts aloud (the page); with none, Say does nothing.
using SayListener = void (*)(const std::wstring& text);
extern SayListener sayListener;
void Say(const std::wstring& text);

// For whoever mirrors the status line: true, with its text, when the line
// shows a text other than at the last call. A cleared line is not told.
bool TakeStatusChange(std::wstring* text);
// True, with the buttons' saying, when it differs from the last one taken.
bool TakeButtonsChange(std::wstring* text);
