#include "ai/expert/answer.h"

#include <algorithm>

#include "ai/expert/from_game.h"
#include "game/state.h"

namespace expert {

namespace {

CardSet pickedUp[2];
CardSet onTable;
Budget budget;

int32_t CardOfPlay(const PlayCard& c) {
    return CardOf(c.suit, c.rank);
}

PlayCard PlayOf(int32_t card) {
    return PlayCard{SuitOf(card), RankOf(card)};
}

}  // namespace

void WatchPlay(const PlayEvent& e) {
    const int32_t card = CardOfPlay(e.card);
    switch (e.kind) {
        case PlayNewGame:  // a kept game taken up brings its own (RestoreSeen)
            ForgetSeen();
            break;
        case PlayLead:
        case PlayThrowIn:
        case PlayCover:
        case PlayTransfer:
        case PlayExtra:
            if (card == kNoCard || (e.side != 0 && e.side != 1)) break;
            onTable |= Bit(card);
            pickedUp[e.side] &= ~Bit(card);
            break;
        case PlayTake:
            if (e.side == 0 || e.side == 1) pickedUp[e.side] |= onTable;
            onTable = 0;
            break;
        case PlayBeaten:
            onTable = 0;
            break;
        default:
            break;
    }
}

CardSet SeenPickedUp(int32_t seat) {
    return seat == 0 || seat == 1 ? pickedUp[seat] : 0;
}

void ForgetSeen() {
    pickedUp[0] = pickedUp[1] = onTable = 0;
}

void SeenState(int64_t out[3]) {
    out[0] = static_cast<int64_t>(pickedUp[0]);
    out[1] = static_cast<int64_t>(pickedUp[1]);
    out[2] = static_cast<int64_t>(onTable);
}

void RestoreSeen(const int64_t seen[3]) {
    pickedUp[0] = static_cast<CardSet>(seen[0]) & kAllCards;
    pickedUp[1] = static_cast<CardSet>(seen[1]) & kAllCards;
    onTable = static_cast<CardSet>(seen[2]) & kAllCards;
}

void SetBudget(const Budget& b) {
    budget = b;
}

void AtQuestion(ComputerQuestion question, Position& p) {
    if (question != AskExtra) return;
    p.phase = kGive;
    p.open = 0;
    p.transferOpen = 1;
    p.extrasLeft =
        static_cast<int8_t>(std::min<int32_t>(humanHandAtBoutStart, kTableLimit) - Count(p.attack));
}

int32_t ComputerKnowledge(ComputerQuestion question, Knowledge& k) {
    if (KnowledgeFromGame(kComputer, SeenPickedUp(kHuman), k) == 0) return 0;
    AtQuestion(question, k.seen);
    return 1;
}

bool ExpertAnswers(ComputerQuestion question, ComputerAnswer* answer) {
    Knowledge k;
    if (ComputerKnowledge(question, k) == 0) return false;
    *answer = ComputerAnswer{};
    // Several open cards are covered one search at a time, each on the
    // table the covers before it left.
    for (;;) {
        SearchResult result;
        if (ToMove(k.seen) != kComputer || Decide(k, budget, result) == 0) return false;
        const Move& m = result.move;
        switch (m.kind) {
            case kMoveLead:
            case kMoveThrowIn:
            case kMoveExtra:
                answer->kind = AnswerCards;
                answer->cards[answer->count++] = PlayOf(Lowest(m.cards));
                return true;
            case kMoveTransfer:
                answer->kind = AnswerTransfer;
                answer->cards[0] = PlayOf(Lowest(m.cards));
                answer->count = 1;
                return true;
            case kMoveCover:
                answer->kind = AnswerCards;
                answer->targets[answer->count] = PlayOf(m.target);
                answer->cards[answer->count++] = PlayOf(Lowest(m.cards));
                if (Count(k.seen.open) <= 1 || answer->count >= 18) return true;
                Apply(k.seen, m);
                break;
            default:
                answer->kind = AnswerNone;
                return true;
        }
    }
}

int32_t ExpertHumanMove(Move& out) {
    Knowledge k;
    if (KnowledgeFromGame(kHuman, SeenPickedUp(kComputer), k) == 0 || ToMove(k.seen) != kHuman)
        return 0;
    SearchResult result;
    if (Decide(k, budget, result) == 0) return 0;
    out = result.move;
    return 1;
}

int32_t ExpertHumanPlay(Move* out, int32_t room) {
    Knowledge k;
    if (room <= 0 || KnowledgeFromGame(kHuman, SeenPickedUp(kComputer), k) == 0) return 0;
    int32_t count = 0;
    while (count < room && ToMove(k.seen) == kHuman) {
        SearchResult result;
        if (Decide(k, budget, result) == 0) break;
        out[count++] = result.move;
        // The last cover is not played on: what follows it may draw from a
        // stock the seat cannot see.
        if (result.move.kind != kMoveCover || Count(k.seen.open) <= 1) break;
        Apply(k.seen, result.move);
    }
    return count;
}

void SetExpertPlaying(bool on) {
    // The watcher stays on for the human's hints against either opponent.
    ForgetSeen();
    playWatcher = WatchPlay;
    computerChooser = on ? ExpertAnswers : nullptr;
}

}  // namespace expert
