// The account of play in words: the sentence for each event, and the lines
// of the game in progress for whoever shows them.
#pragma once

#include <string>
#include <vector>

#include "game/account.h"
#include "game/card.h"
#include "game/host.h"

// A string-table entry with its %s and %d filled in; lists go in as %s.
template <typename... Args>
std::wstring FormatText(UINT id, Args... args) {
    wchar_t text[1025];
    wsprintfW(text, LoadText(id), args...);
    return text;
}

// "10♣", "Q♦".
std::wstring CardText(PlayCard card);
inline std::wstring CardText(const Card& card) {
    return CardText(PlayCard{card.suit, card.rank});
}
// "Hearts ♥".
const wchar_t* SuitName(int32_t suit);
std::wstring PlaySentence(const PlayEvent& event);

// Starts or stops keeping the account; a new game starts it afresh.
// changed, when given, is called after every line added.
void KeepAccount(bool on, void (*changed)() = nullptr);
// A line of the program's own, not of play, while the account is kept.
void AddAccountLine(const std::wstring& line);
// The lines of the current game, oldest first.
const std::vector<std::wstring>& AccountLines();
// The lines added since the last call, across games.
std::vector<std::wstring> TakeNewAccountLines();
