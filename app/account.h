// The account of play in words: the sentence for each event, and the lines
// of the game in progress for whoever shows them.
#pragma once

#include <string>
#include <vector>

#include "game/account.h"

// "10♣", "Q♦".
std::wstring CardText(PlayCard card);
std::wstring PlaySentence(const PlayEvent& event);

// Starts or stops keeping the account; a new game starts it afresh.
// changed, when given, is called after every line added.
void KeepAccount(bool on, void (*changed)() = nullptr);
// The lines of the current game, oldest first.
const std::vector<std::wstring>& AccountLines();
// The lines added since the last call, across games.
std::vector<std::wstring> TakeNewAccountLines();
