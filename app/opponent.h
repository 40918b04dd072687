// Which computer player the human plays against: the rules' own (Classic,
// the default) or the Expert, which searches. Chosen from the Play menu and
// kept in the window's section.
#pragma once

#include <cstdint>

#include "ai/choice.h"

enum Opponent : int32_t { OpponentClassic, OpponentExpert };

extern int32_t computerPlayer;

// The stored choice, unless the caller set one (the replay's --opponent).
void LoadOpponent();
// Set by a caller before the program starts; it wins over the stored choice
// and is never stored.
void SetOpponentFromCaller(int32_t chosen);
// A chooser set by a caller before the program starts (the arena's
// seats): it answers the computer's decisions whichever opponent is loaded.
// Null gives them back to the opponent.
void SetChooserFromCaller(ComputerChooser chooser);
// The menu command: a game a card was laid in is left and a new one dealt,
// so that each game's record names the one who played it.
void ChooseOpponent(int32_t chosen);
// How the records name the opponent now playing.
const wchar_t* OpponentRecordName();
