// What a move brings about, with everything the game does after it before
// the next decision: the bout's records, refills in the opener's order, the
// passing of the attack and the end of the game.
#include <algorithm>

#include "ai/expert/position.h"

namespace expert {

namespace {

void Refill(Position& p, int32_t seat) {
    const int32_t target = HasRule(p, kBulkRule) ? 18 : 6;
    for (int32_t have = Count(p.hand[seat]); have < target && p.stockCount > 0; ++have) {
        const int32_t card = p.stock[--p.stockCount];
        p.hand[seat] |= Bit(card);
        // Only the bottom card can be the trump card.
        if (p.stockCount == 0) p.trumpCard = kNoCard;
    }
}

// Nothing left to draw and a hand empty: the computer is asked first, so
// it wins when both are out.
void CheckOver(Position& p) {
    if (p.phase == kOver || p.stockCount != 0) return;
    if (p.hand[kComputer] == 0) {
        p.winner = kComputer;
    } else if (p.hand[kHuman] == 0) {
        p.winner = kHuman;
    } else {
        return;
    }
    p.phase = kOver;
}

void Lay(Position& p, int32_t seat, CardSet cards) {
    p.hand[seat] &= ~cards;
    p.shown[seat] &= ~cards;
}

void ClearTable(Position& p) {
    p.attack = p.cover = p.open = 0;
}

void PickUp(Position& p, int32_t taker) {
    const CardSet table = p.attack | p.cover;
    p.hand[taker] |= table;
    p.shown[taker] |= table;
    ClearTable(p);
}

// The bout is beaten: the opener draws first, the defender attacks next.
void EndBout(Position& p) {
    p.transferOpen = 1;
    p.discard |= p.attack | p.cover;
    ClearTable(p);
    Refill(p, p.leader);
    Refill(p, Other(p.leader));
    p.attacker = static_cast<int8_t>(Defender(p));
    p.phase = kLead;
    CheckOver(p);
}

// The computer takes: only the human, who attacks again, draws.
void ComputerPicksUp(Position& p) {
    PickUp(p, kComputer);
    Refill(p, kHuman);
    p.extrasLeft = 0;
    p.phase = kLead;
    CheckOver(p);
}

// The human takes: both draw in the opener's order, the computer attacks.
void HumanPicksUp(Position& p) {
    PickUp(p, kHuman);
    p.transferOpen = 1;
    p.extrasLeft = 0;
    Refill(p, p.leader);
    Refill(p, Other(p.leader));
    p.phase = kLead;
    CheckOver(p);
}

// After the last open card is covered: the human's sixth cover ends the
// bout; otherwise the attacker may add.
void AfterCover(Position& p) {
    if (Defender(p) == kHuman && Count(p.cover) >= kTableLimit) {
        EndBout(p);
        return;
    }
    p.phase = kAttack;
    CheckOver(p);
}

void Take(Position& p) {
    const int32_t taker = Defender(p);
    const int32_t allowance =
        std::min<int32_t>(p.handAtOpening[taker], kTableLimit) - Count(p.attack);
    p.transferOpen = taker == kHuman ? 1 : 0;
    p.open = 0;  // nothing is covered any more
    if (allowance > 0) {
        p.extrasLeft = static_cast<int8_t>(allowance);
        p.phase = kGive;
    } else if (taker == kComputer) {
        ComputerPicksUp(p);
    } else {
        HumanPicksUp(p);
    }
}

void Extra(Position& p, CardSet card) {
    const int32_t giver = p.attacker;
    Lay(p, giver, card);
    p.attack |= card;
    p.extrasLeft = static_cast<int8_t>(p.extrasLeft - 1);
    if (giver == kComputer) {
        // The computer's cards go in one routine, with no check between.
        if (p.extrasLeft == 0) HumanPicksUp(p);
        return;
    }
    CheckOver(p);
    if (p.phase != kOver && p.extrasLeft == 0) ComputerPicksUp(p);
}

}  // namespace

void Apply(Position& p, const Move& move) {
    const int32_t a = p.attacker, d = Defender(p);
    switch (move.kind) {
        case kMoveLead:
            p.transferOpen = 1;
            p.handAtOpening[d] = static_cast<int8_t>(Count(p.hand[d]));
            p.leader = static_cast<int8_t>(a);
            Lay(p, a, move.cards);
            p.attack = p.open = move.cards;
            p.phase = kDefend;
            CheckOver(p);
            break;
        case kMoveThrowIn:
            p.transferOpen = 0;
            Lay(p, a, move.cards);
            p.attack |= move.cards;
            p.open = move.cards;
            p.phase = kDefend;
            CheckOver(p);
            break;
        case kMoveCover:
            p.transferOpen = 0;
            Lay(p, d, move.cards);
            p.cover |= move.cards;
            p.open &= ~Bit(move.target);
            if (p.open != 0) {
                p.phase = kCovering;
            } else {
                AfterCover(p);
            }
            break;
        case kMoveTransfer:
            Lay(p, d, move.cards);
            p.attack |= move.cards;
            p.open = p.attack;
            p.attacker = static_cast<int8_t>(d);
            p.transferOpen = 1;
            p.phase = kDefend;
            CheckOver(p);
            break;
        case kMoveTake:
            Take(p);
            break;
        case kMoveEndBout:
            EndBout(p);
            break;
        case kMoveExtra:
            Extra(p, move.cards);
            break;
        case kMoveStop:
            if (a == kHuman) {
                // The lower button reopens the transfer on its way.
                p.transferOpen = 1;
                ComputerPicksUp(p);
            } else {
                HumanPicksUp(p);
            }
            break;
        default:
            break;
    }
}

}  // namespace expert
