// The legal moves of each seat, as the game's routines allow them: the
// human's through the confirm, the buttons and the giving of extra cards,
// the computer's through what its routines may lay.
#include "ai/expert/position.h"
#include "game/card.h"
#include "game/types.h"

namespace expert {

namespace {

void Add(Move* moves, int32_t& n, int8_t kind, CardSet cards, int32_t target = kNoCard) {
    moves[n++] = Move{cards, kind, static_cast<int8_t>(target)};
}

void AddEach(Move* moves, int32_t& n, int8_t kind, CardSet cards) {
    for (; cards != 0; cards &= cards - 1)
        Add(moves, n, kind, Bit(Lowest(cards)));
}

CardSet RanksOnTable(const Position& p) {
    return CardsOfRanks(RanksOf(p.attack | p.cover));
}

// Whether the hand holds a card of its own for every open card.
bool Coverable(const Position& p, CardSet open, CardSet hand) {
    if (open == 0) return true;
    const int32_t target = Lowest(open);
    for (CardSet c = hand & BeatenBy(p, target); c != 0; c &= c - 1)
        if (Coverable(p, open & (open - 1), hand & ~Bit(Lowest(c)))) return true;
    return false;
}

// Several open cards: the lowest is covered first, by any card that leaves
// the rest coverable.
void AddPartialCovers(const Position& p, CardSet hand, Move* moves, int32_t& n) {
    const int32_t target = Lowest(p.open);
    const CardSet rest = p.open & (p.open - 1);
    for (CardSet c = hand & BeatenBy(p, target); c != 0; c &= c - 1) {
        const int32_t card = Lowest(c);
        if (Coverable(p, rest, hand & ~Bit(card))) Add(moves, n, kMoveCover, Bit(card), target);
    }
}

void AddTransfers(const Position& p, CardSet hand, bool several, Move* moves, int32_t& n) {
    if (!HasRule(p, kTransferRule) || p.transferOpen != 1) return;
    // An open bout's attack cards are all of the rank it was opened with.
    const CardSet ofRank = hand & RankCards(RankOf(Lowest(p.open)));
    // The new defender must hold as many cards as will then lie before it.
    const int32_t room = Count(p.hand[p.attacker]) - Count(p.attack);
    if (room < 1) return;
    // Only the human can select several cards, and only before several
    // open cards; every selected card must then carry the rank.
    if (several && Defender(p) == kHuman) {
        for (CardSet s = ofRank; s != 0; s = (s - 1) & ofRank)
            if (Count(s) <= room) Add(moves, n, kMoveTransfer, s);
        return;
    }
    AddEach(moves, n, kMoveTransfer, ofRank);
}

}  // namespace

uint8_t RulesOfType(int32_t type) {
    const GameTypeTraits& t = TypeTraits(type);
    return static_cast<uint8_t>((t.transfer ? kTransferRule : 0) | (t.bulk ? kBulkRule : 0) |
                                (t.japanese ? kJapaneseRule : 0));
}

CardSet BeatenBy(const Position& p, int32_t card) {
    const int32_t suit = SuitOf(card);
    if (HasRule(p, kJapaneseRule) && suit == Spades) return HigherInSuit(card);
    if (suit == p.trumpSuit) return HigherInSuit(card);
    return HigherInSuit(card) | SuitCards(p.trumpSuit);
}

int32_t ToMove(const Position& p) {
    switch (p.phase) {
        case kDefend:
        case kCovering:
            return Defender(p);
        case kOver:
            return -1;
        default:
            return p.attacker;
    }
}

int32_t LegalMoves(const Position& p, Move* moves) {
    int32_t n = 0;
    const int32_t a = p.attacker, d = Defender(p);
    switch (p.phase) {
        case kLead:
            AddEach(moves, n, kMoveLead, p.hand[a]);
            break;
        case kAttack: {
            // The human may add while under six cards and the computer holds
            // one; the computer while the human holds one (the human's sixth
            // cover ends the bout before the computer is asked).
            const bool room = a == kHuman ? Count(p.attack) < kTableLimit && p.hand[kComputer] != 0
                                          : p.hand[kHuman] != 0;
            if (room) AddEach(moves, n, kMoveThrowIn, p.hand[a] & RanksOnTable(p));
            Add(moves, n, kMoveEndBout, 0);
            break;
        }
        case kDefend: {
            Add(moves, n, kMoveTake, 0);
            const bool several = p.cover == 0 && Count(p.open) >= 2;
            AddTransfers(p, p.hand[d], several, moves, n);
            if (several) {
                AddPartialCovers(p, p.hand[d], moves, n);
            } else {
                const int32_t target = Lowest(p.open);
                for (CardSet c = p.hand[d] & BeatenBy(p, target); c != 0; c &= c - 1)
                    Add(moves, n, kMoveCover, Bit(Lowest(c)), target);
            }
            break;
        }
        case kCovering:
            AddPartialCovers(p, p.hand[d], moves, n);
            break;
        case kGive: {
            // The computer gives nothing to a taker with no card left.
            const bool room = p.extrasLeft > 0 && (a == kHuman || p.hand[kHuman] != 0);
            if (room) AddEach(moves, n, kMoveExtra, p.hand[a] & RanksOnTable(p));
            Add(moves, n, kMoveStop, 0);
            break;
        }
        default:
            break;
    }
    return n;
}

}  // namespace expert
