#include "ai/expert/classic.h"

#include <algorithm>

#include "ai/keep.h"
#include "game/card.h"

namespace expert {

namespace {

// The seat's hand as the routines walk it, with what they read of the rest.
struct Table {
    const Position& p;
    int32_t me, other;
    int8_t hand[kCards];
    int32_t count = 0;
    int32_t remaining;  // the stock without the face-up trump card
    int32_t trumpRank;
    bool attacking;

    Table(const Position& pos, const ClassicSeat& seat)
        : p(pos),
          me(ToMove(pos)),
          other(Other(me)),
          remaining(pos.stockCount - (pos.trumpCard != kNoCard ? 1 : 0)),
          trumpRank(seat.trumpRank),
          attacking(ClassicAttacking(pos, me)) {
        CardSet listed = 0;
        for (int32_t i = 0; i < seat.count && i < kCards; ++i)
            listed |= Bit(seat.order[i]);
        if (listed == pos.hand[me] && seat.count == Count(listed)) {
            std::copy(seat.order, seat.order + seat.count, hand);
            count = seat.count;
        } else {  // no order given: the cards' own
            for (CardSet c = pos.hand[me]; c != 0; c &= c - 1)
                hand[count++] = static_cast<int8_t>(Lowest(c));
        }
    }

    bool Japanese() const { return HasRule(p, kJapaneseRule); }
    bool Trump(int32_t card) const { return SuitOf(card) == p.trumpSuit; }
    CardSet Mine() const { return p.hand[me]; }
    CardSet Theirs() const { return p.hand[other]; }
    CardSet MyLaid() const { return me == p.attacker ? p.attack : p.cover; }
    CardSet TheirLaid() const { return me == p.attacker ? p.cover : p.attack; }

    // 1 covers, 0 too low, -1 cannot: the game's own test.
    int32_t CanCover(int32_t cover, int32_t attack) const {
        if (Japanese() && SuitOf(attack) == Spades && SuitOf(cover) != Spades) return -1;
        if (Trump(cover) && !Trump(attack)) return 1;
        if (SuitOf(cover) != SuitOf(attack)) return -1;
        return RankOf(cover) > RankOf(attack) ? 1 : 0;
    }
    bool MaySpendTrump(int32_t card) const {
        if (!Trump(card)) return true;
        // No card of a rank outside the deck's: the Japanese types' trump
        // card is no card at all.
        const bool dealt = trumpRank >= kLowRank && trumpRank <= Ace;
        const int32_t n = dealt ? Count(Mine() & RankCards(trumpRank)) : 0;
        return !KeepsTrump(n, RankOf(card), remaining, attacking);
    }
    bool MaySpendSpade(int32_t card) const {
        return !Japanese() || SuitOf(card) != Spades || !KeepsSpade(RankOf(card), remaining);
    }
    bool RankOnTable(int32_t rank) const { return ((p.attack | p.cover) & RankCards(rank)) != 0; }

    int32_t SuitKey(int32_t card) const {
        return RankOf(card) + SuitOf(card) * (Trump(card) ? 1000 : 100);
    }
    int32_t RankKey(int32_t card) const {
        return RankOf(card) * 100 + SuitOf(card) + (Trump(card) ? 5 : 0);
    }
    void SortBySuit() {
        std::sort(hand, hand + count,
                  [this](int8_t a, int8_t b) { return SuitKey(a) < SuitKey(b); });
    }
    void SortByRank() {
        std::sort(hand, hand + count,
                  [this](int8_t a, int8_t b) { return RankKey(a) < RankKey(b); });
    }
    int32_t FindRank(int32_t rank) const {
        for (int32_t i = 0; i < count; ++i)
            if (RankOf(hand[i]) == rank) return hand[i];
        return kNoCard;
    }
    int32_t FindSuit(int32_t suit) const {
        for (int32_t i = 0; i < count; ++i)
            if (SuitOf(hand[i]) == suit) return hand[i];
        return kNoCard;
    }
    int32_t CountRank(int32_t rank) const { return Count(Mine() & RankCards(rank)); }
};

Move Laying(int8_t kind, int32_t card, int32_t target = kNoCard) {
    return Move{Bit(card), kind, static_cast<int8_t>(target)};
}

// Lead: an unbeatable card at the very end, a spade in the Japanese
// types, else the best group or the lowest card.
int32_t LeadUnbeatable(Table& t) {
    t.SortBySuit();
    // With more than two cards left a transfer would hand the bout back.
    const bool guardTransfer = HasRule(t.p, kTransferRule) && t.count > 2;
    for (int32_t i = 0; i < t.count; ++i) {
        const int32_t card = t.hand[i];
        bool beaten = false;
        for (CardSet h = t.Theirs(); h != 0 && !beaten; h &= h - 1)
            beaten = t.CanCover(Lowest(h), card) > 0;
        if (beaten) continue;
        if (t.Theirs() != 0 && guardTransfer && (t.Theirs() & RankCards(RankOf(card))) != 0)
            continue;
        return card;
    }
    return kNoCard;
}

int32_t LeadSpade(const Table& t) {
    const int32_t spade = t.FindSuit(Spades);
    if (spade == kNoCard) return kNoCard;
    if (t.remaining == 0) return spade;
    if (t.remaining >= 5 || t.CountRank(RankOf(spade)) <= 1) return kNoCard;
    return t.FindRank(RankOf(spade));
}

int32_t BestGroupRank(const Table& t) {
    int32_t highest;
    if (HasRule(t.p, kBulkRule))
        highest = Count(t.Theirs()) <= 8 ? Ace : Jack;
    else
        highest = t.remaining > 10 ? Jack : (t.remaining > 0 ? King : Ace);
    int32_t best = 0, bestCount = 0;
    for (int32_t rank = 6; rank <= highest; ++rank)
        if (t.CountRank(rank) > bestCount) {
            best = rank;
            bestCount = t.CountRank(rank);
        }
    return bestCount >= 2 ? best : 0;
}

int32_t LowestCard(const Table& t, bool trumps) {
    int32_t bound = 15, found = kNoCard;
    for (int32_t i = 0; i < t.count; ++i) {
        const int32_t card = t.hand[i];
        if (!trumps && SuitOf(card) == t.p.trumpSuit) continue;
        if (RankOf(card) < bound) {
            bound = RankOf(card);
            found = card;
        }
    }
    return found;
}

int32_t Lead(Table& t) {
    const int32_t theirs = Count(t.Theirs());
    const bool endGame = t.remaining == 0 && (t.count <= 2 || theirs <= 2);
    if (endGame)
        if (const int32_t card = LeadUnbeatable(t); card != kNoCard) return card;
    if (t.Japanese())
        if (const int32_t card = LeadSpade(t); card != kNoCard) return card;
    const int32_t group = BestGroupRank(t);
    if (group != 0 && theirs > 2) return t.FindRank(group);
    const int32_t lowest = LowestCard(t, false);
    return lowest != kNoCard ? lowest : LowestCard(t, true);
}

// One more card of a rank on the table; trumps only when throwing in.
int32_t ThrowIn(Table& t, bool throwingIn) {
    t.SortByRank();
    if (t.Theirs() == 0) return kNoCard;
    for (int32_t i = 0; i < t.count; ++i) {
        const int32_t card = t.hand[i];
        if (!t.Trump(card) && t.MaySpendSpade(card) && t.MaySpendTrump(card) &&
            t.RankOnTable(RankOf(card)))
            return card;
    }
    if (!throwingIn) return kNoCard;
    for (int32_t i = 0; i < t.count; ++i) {
        const int32_t card = t.hand[i];
        if (t.MaySpendTrump(card) && t.RankOnTable(RankOf(card))) return card;
    }
    return kNoCard;
}

bool WantsTransfer(const Table& t, int32_t rank) {
    // Short of cards, any transfer beats taking.
    if (t.count - 1 <= Count(t.TheirLaid()) + 1) return true;
    const int32_t n = t.CountRank(rank);
    if (n == 0) return false;
    if (n == 2 || t.remaining != 0) return true;
    // In the end game the other side could only pass it straight back.
    return (t.Theirs() & RankCards(rank)) == 0;
}

int32_t TransferCard(const Table& t, int32_t attack) {
    if (!HasRule(t.p, kTransferRule) || t.p.transferOpen != 1) return kNoCard;
    const int32_t card = t.FindRank(RankOf(attack));
    if (card == kNoCard || !WantsTransfer(t, RankOf(attack))) return kNoCard;
    if (!t.MaySpendTrump(card)) return kNoCard;
    if (Count(t.Theirs()) < Count(t.TheirLaid()) + 1) return kNoCard;
    return card;
}

// Every open card at once, in suit order, each by the first free card
// that beats it; the count of covers, 0 when one is left without.
int32_t CoverAll(const Table& t, Move* out) {
    int8_t targets[kCards];
    int32_t n = 0;
    for (CardSet c = t.p.open; c != 0; c &= c - 1)
        targets[n++] = static_cast<int8_t>(Lowest(c));
    std::sort(targets, targets + n,
              [&t](int8_t a, int8_t b) { return t.SuitKey(a) < t.SuitKey(b); });
    if (t.count == 0 || n == 0 || n > t.count) return 0;
    CardSet used = 0;
    for (int32_t a = 0; a < n; ++a) {
        for (int32_t d = 0; d < t.count; ++d) {
            const int32_t cover = t.hand[d];
            if ((used & Bit(cover)) == 0 && t.CanCover(cover, targets[a]) > 0) {
                used |= Bit(cover);
                out[a] = Laying(kMoveCover, cover, targets[a]);
                break;
            }
        }
        if (Count(used) != a + 1) return 0;
    }
    // The engine covers the lowest open card first.
    std::sort(out, out + n, [](const Move& a, const Move& b) { return a.target < b.target; });
    return n;
}

int32_t CoverToShutOut(const Table& t, int32_t attack) {
    if (t.remaining != 0) return kNoCard;
    if (Count(t.TheirLaid()) > Count(t.MyLaid()) + 1) return kNoCard;
    for (int32_t i = 0; i < t.count; ++i) {
        const int32_t card = t.hand[i];
        if (t.CanCover(card, attack) > 0 && (t.Theirs() & RankCards(RankOf(card))) == 0)
            return card;
    }
    return kNoCard;
}

int32_t CoverInSuit(const Table& t, int32_t attack) {
    // With a big stock a low card of the suit is still worth keeping, so the
    // scan starts from the highest.
    const bool lowFirst = t.remaining < 16 || SuitOf(attack) == t.p.trumpSuit;
    for (int32_t step = 0; step < t.count; ++step) {
        const int32_t card = t.hand[lowFirst ? step : t.count - 1 - step];
        if (SuitOf(card) == SuitOf(attack) && RankOf(card) > RankOf(attack) &&
            t.MaySpendSpade(card) && t.MaySpendTrump(card))
            return card;
    }
    return kNoCard;
}

int32_t CoverWithTrump(const Table& t, int32_t attack) {
    if (t.Japanese() && SuitOf(attack) == Spades) return kNoCard;
    if (SuitOf(attack) == t.p.trumpSuit || (t.Mine() & SuitCards(t.p.trumpSuit)) == 0)
        return kNoCard;
    // A trump of the attack's rank first: it adds no new rank to the table.
    for (int32_t i = 0; i < t.count; ++i)
        if (t.Trump(t.hand[i]) && RankOf(t.hand[i]) == RankOf(attack) && t.MaySpendTrump(t.hand[i]))
            return t.hand[i];
    for (int32_t i = 0; i < t.count; ++i)
        if (t.Trump(t.hand[i]) && t.MaySpendTrump(t.hand[i])) return t.hand[i];
    return kNoCard;
}

int32_t Defend(Table& t, Move* out) {
    // The card to answer: the last laid, of the one rank all open cards share.
    const int32_t attack = Lowest(t.p.open);
    const bool holdsSuit = (t.Mine() & SuitCards(SuitOf(attack))) != 0;
    t.SortBySuit();
    if (const int32_t card = TransferCard(t, attack); card != kNoCard) {
        out[0] = Laying(kMoveTransfer, card);
        return 1;
    }
    out[0] = Move{0, kMoveTake, kNoCard};
    // Several open cards, or the rest of them once one is covered.
    if ((t.MyLaid() == 0 && Count(t.TheirLaid()) >= 2) || t.p.phase == kCovering) {
        const int32_t n = CoverAll(t, out);
        if (n == 0) out[0] = Move{0, kMoveTake, kNoCard};
        return std::max(n, 1);
    }
    int32_t card = CoverToShutOut(t, attack);
    if (card == kNoCard && holdsSuit) card = CoverInSuit(t, attack);
    if (card == kNoCard) card = CoverWithTrump(t, attack);
    if (card != kNoCard) out[0] = Laying(kMoveCover, card, attack);
    return 1;
}

bool Listed(const Position& p, const Move& m) {
    Move moves[kMaxMoves];
    const int32_t n = LegalMoves(p, moves);
    return std::find(moves, moves + n, m) != moves + n;
}

// Each move of the play allowed in turn, or the play that lays nothing.
int32_t Allowed(const Position& p, Move* out, int32_t n) {
    Position q = p;
    for (int32_t i = 0; i < n; ++i) {
        if (!Listed(q, out[i])) {
            const int8_t none = p.phase == kAttack ? kMoveEndBout
                                : p.phase == kGive ? kMoveStop
                                                   : kMoveTake;
            out[0] = Move{0, none, kNoCard};
            return Listed(p, out[0]) ? 1 : 0;
        }
        if (i + 1 < n) Apply(q, out[i]);
    }
    return n;
}

}  // namespace

bool ClassicAttacking(const Position& p, int32_t seat) {
    return seat == p.attacker || (p.cover == 0 && Count(p.open) >= 2);
}

int32_t ClassicPlay(const Position& p, const ClassicSeat& seat, Move* out) {
    const int32_t me = ToMove(p);
    if (me < 0) return 0;
    Table t(p, seat);
    int32_t n = 1;
    int32_t card = kNoCard;
    switch (p.phase) {
        case kLead:
            card = Lead(t);
            out[0] = card != kNoCard ? Laying(kMoveLead, card) : Move{0, kMoveEndBout, kNoCard};
            break;
        case kAttack:
            card = ThrowIn(t, true);
            out[0] = card != kNoCard ? Laying(kMoveThrowIn, card) : Move{0, kMoveEndBout, kNoCard};
            break;
        case kGive:
            card = ThrowIn(t, false);
            out[0] = card != kNoCard ? Laying(kMoveExtra, card) : Move{0, kMoveStop, kNoCard};
            break;
        case kDefend:
        case kCovering:
            n = Defend(t, out);
            break;
        default:
            return 0;
    }
    return Allowed(p, out, n);
}

}  // namespace expert
