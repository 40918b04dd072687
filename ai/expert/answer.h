// The Expert at the table: the live game read as one seat knows it, the
// search's move, and that move put the way the game's routines take it.
// It answers the computer's decisions (ai/choice.h) and gives the human's
// hints.
#pragma once

#include <cstdint>

#include "ai/choice.h"
#include "ai/expert/search.h"
#include "game/account.h"

namespace expert {

// What each side was seen to pick up from the table and may still hold;
// kept from the account's events while the Expert plays or hints.
void WatchPlay(const PlayEvent& event);
CardSet SeenPickedUp(int32_t seat);
void ForgetSeen();
// What the watcher holds, for the kept game: picked up by the human, by the
// computer, and the cards on the table; and the same put back.
void SeenState(int64_t out[3]);
void RestoreSeen(const int64_t seen[3]);

// The search's budget for the game's decisions. The window and the page
// set a clock and a cap for slow machines; nothing else reads the clock.
void SetBudget(const Budget& budget);

// A position read from the game brought to where the question stands: a
// human asking to take is not in the game's words yet when the computer may
// give.
void AtQuestion(ComputerQuestion question, Position& p);

// What the computer knows when asked the question: 1, or 0 when the game
// stands where the engine cannot read it.
int32_t ComputerKnowledge(ComputerQuestion question, Knowledge& k);

// The computer's decision from the Expert; false when the game stands where
// the engine cannot read it (the rules then decide).
bool ExpertAnswers(ComputerQuestion question, ComputerAnswer* answer);

// The human's best move by the search, from what the human's seat knows
// (hints, and the arena's Expert in the human's seat): 1, or 0 when the
// game waits for no decision of the human's.
int32_t ExpertHumanMove(Move& out);
// The human's whole play: one move, or every cover of a cover of several
// cards, searched one cover at a time. The count, 0 as above.
int32_t ExpertHumanPlay(Move* out, int32_t room);

// Sets the Expert answering for the computer, or the rules' own judgements
// back; either way the watcher starts afresh.
void SetExpertPlaying(bool on);

}  // namespace expert
