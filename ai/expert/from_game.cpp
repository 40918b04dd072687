#include "ai/expert/from_game.h"

#include <algorithm>
#include <iterator>

#include "game/random.h"
#include "game/state.h"

namespace expert {

namespace {

CardSet CardsOf(const CardPile& pile) {
    CardSet cards = 0;
    for (int32_t i = 1; i <= pile.count; ++i) {
        const int32_t card = CardOf(CardAt(pile, i).suit, CardAt(pile, i).rank);
        if (card != kNoCard) cards |= Bit(card);
    }
    return cards;
}

// The attack cards no card covers: all of them before any cover, else
// those laid after the last one covered (one at a time is the game's way).
CardSet OpenCards(const CardPile& attack, const CardPile& cover) {
    const int32_t first = cover.count == 0 ? 1 : cover.count + 1;
    CardSet open = 0;
    for (int32_t i = first; i <= attack.count; ++i)
        open |= Bit(CardOf(CardAt(attack, i).suit, CardAt(attack, i).rank));
    return open;
}

// Everything but the order of the stock, whose cards go in the deck's
// order above the trump card.
int32_t ReadGame(Position& p) {
    p = Position{};
    p.type = static_cast<int8_t>(gameType);
    p.rules = RulesOfType(gameType);
    p.trumpSuit = static_cast<int8_t>(TrumpSuit());
    const bool trumpUnder = trumpCard.hidden == 0;
    p.trumpCard =
        static_cast<int8_t>(trumpUnder ? CardOf(trumpCard.suit, trumpCard.rank) : kNoCard);
    p.stockCount = 0;
    if (trumpUnder) p.stock[p.stockCount++] = p.trumpCard;
    for (int32_t slot = 0; slot < deck.total; ++slot) {
        const DeckEntry& e = deck.entries[slot];
        const int32_t card = CardOf(e.suit, e.rank);
        if (e.present == 1 && card != kNoCard && p.stockCount < kCards)
            p.stock[p.stockCount++] = static_cast<int8_t>(card);
    }
    p.hand[kHuman] = CardsOf(humanHand);
    p.hand[kComputer] = CardsOf(computerHand);
    const bool giving = extraCardsAllowed > 0;
    // Asked to defend against the human's transfer, the computer still has
    // its attacking word: the cards on the table say who attacks.
    const bool transferredTo = computerTable.count == 0 && humanTable.count > 0;
    p.attacker = giving || computerAttacks != 1 || transferredTo ? kHuman : kComputer;
    const CardPile& attack = p.attacker == kComputer ? computerTable : humanTable;
    const CardPile& cover = p.attacker == kComputer ? humanTable : computerTable;
    p.attack = CardsOf(attack);
    p.cover = CardsOf(cover);
    p.leader = boutLedByComputer != 0 ? kComputer : kHuman;
    p.transferOpen = static_cast<int8_t>(transferOpen == 1 ? 1 : 0);
    p.handAtOpening[kHuman] = static_cast<int8_t>(humanHandAtBoutStart);
    p.handAtOpening[kComputer] = static_cast<int8_t>(computerHandAtBoutStart);
    p.winner = -1;
    CardSet placed = p.hand[kHuman] | p.hand[kComputer] | p.attack | p.cover;
    for (int32_t i = 0; i < p.stockCount; ++i)
        placed |= Bit(p.stock[i]);
    p.discard = kAllCards & ~placed;
    if (giving) {
        p.phase = kGive;
        p.extrasLeft = static_cast<int8_t>(extraCardsAllowed);
    } else if ((p.attack | p.cover) == 0) {
        p.phase = kLead;
    } else {
        if (cover.count > attack.count) return 0;
        p.open = OpenCards(attack, cover);
        p.phase = p.open != 0 ? kDefend : kAttack;
    }
    if (p.stockCount == 0 && (p.hand[kComputer] == 0 || p.hand[kHuman] == 0)) {
        p.phase = kOver;
        p.winner = p.hand[kComputer] == 0 ? kComputer : kHuman;
    }
    return IsSound(p);
}

// The stock as the game will deal it: the generator and the deck are
// copied, drawn from and put back.
void PredictStock(Position& p) {
    const int32_t seed = randSeed, seed2 = randSeed2, last = randLast;
    int32_t table[std::size(randTable)];
    std::copy(std::begin(randTable), std::end(randTable), table);
    Deck copy = deck;
    const int32_t base = p.trumpCard != kNoCard ? 1 : 0;
    int32_t top = p.stockCount - 1;
    int32_t rank, suit;
    while (top >= base && DrawCard(copy, &rank, &suit) >= 0)
        p.stock[top--] = static_cast<int8_t>(CardOf(suit, rank));
    randSeed = seed;
    randSeed2 = seed2;
    randLast = last;
    std::copy(table, table + std::size(randTable), std::begin(randTable));
}

}  // namespace

int32_t PositionFromGame(Position& out) {
    if (ReadGame(out) != 1) return 0;
    PredictStock(out);
    return 1;
}

int32_t KnowledgeFromGame(int32_t seat, CardSet shownByOther, Knowledge& out) {
    Position p;
    if (ReadGame(p) != 1) return 0;
    const int32_t other = Other(seat);
    // Only what has since gone public is dropped: the hidden hand is not read.
    p.shown[other] = shownByOther & ~(p.hand[seat] | p.attack | p.cover | p.discard);
    out = KnowledgeOf(p, seat);
    return 1;
}

ClassicSeat ClassicSeatFromGame(int32_t seat) {
    const CardPile& hand = seat == kHuman ? humanHand : computerHand;
    ClassicSeat out;
    for (int32_t i = 1; i <= hand.count && out.count < kCards; ++i)
        out.order[out.count++] =
            static_cast<int8_t>(CardOf(CardAt(hand, i).suit, CardAt(hand, i).rank));
    out.trumpRank = trumpCard.rank;
    return out;
}

}  // namespace expert
