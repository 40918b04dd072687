// The computer's decisions, which another player may answer in place of
// the rules' own judgements (the Expert, or the arena's seats). The rules'
// routines still carry each answer out, with their texts, pauses and
// account; with no chooser set they decide as they always have.
#pragma once

#include <cstdint>

#include "game/account.h"

enum ComputerQuestion : int32_t {
    AskLead,     // which card opens the bout
    AskThrowIn,  // one more card for the covered attack, or none: the bout ends
    AskExtra,    // one more card for the human taking, or none
    AskDefence,  // transfer, cover or take
};

enum ComputerAnswerKind : int32_t {
    AnswerNone,      // no card: end the bout, stop giving, or take
    AnswerCards,     // lay the cards: one to lead, throw in or give; covers with their targets
    AnswerTransfer,  // pass the attack on with cards[0]
};

struct ComputerAnswer {
    int32_t kind = AnswerNone;
    int32_t count = 0;
    PlayCard cards[18]{};
    PlayCard targets[18]{};  // for covers: the attack card each one beats
};

// True when it answered; false leaves the decision to the rules.
using ComputerChooser = bool (*)(ComputerQuestion question, ComputerAnswer* answer);
extern ComputerChooser computerChooser;
