// A second expression of the rules, for search: a whole game as a small
// record of bit sets and bytes, its legal moves and their effect, at the
// grain of the decisions the game offers each seat. It must agree with the
// game's own routines move for move; tests/expert_difference_test.cpp holds
// it to them. Nothing here allocates or reads the game's globals.
#pragma once

#include <cstdint>
#include <string>

#include "ai/expert/cards.h"
#include "ai/expert/rng.h"

namespace expert {

// Seats as the game numbers its sides.
enum Seat : int8_t { kHuman = 0, kComputer = 1 };
constexpr int32_t Other(int32_t seat) {
    return 1 - seat;
}

enum Phase : int8_t {
    kLead,      // the attacker opens a bout on an empty table
    kDefend,    // the defender answers the open attack cards
    kCovering,  // the defender is covering several open cards, one move each
    kAttack,    // every attack card is covered: throw in, or end the bout
    kGive,      // the defender takes: the attacker may add extra cards first
    kOver,      // someone has won
};

enum MoveKind : int8_t {
    kMoveLead,      // card opens the bout
    kMoveThrowIn,   // card joins the attack
    kMoveCover,     // card covers target
    kMoveTransfer,  // cards, of the attack's rank, pass the attack on
    kMoveTake,      // the defender takes the table
    kMoveEndBout,   // the attacker lets the covered bout go
    kMoveExtra,     // card added to a taken table
    kMoveStop,      // the attacker adds no more to a taken table
};

struct Move {
    CardSet cards;  // the cards laid; empty for take, end and stop
    int8_t kind;
    int8_t target;  // the card a cover beats, else kNoCard
};

// What the six game types change, as switches.
enum RuleFlag : uint8_t {
    kTransferRule = 1,  // the defender may pass the attack on
    kBulkRule = 2,      // eighteen cards a hand and no stock after the deal
    kJapaneseRule = 4,  // only a higher spade covers a spade; no trump card
};

// A whole game between two decisions. The stock is in draw order: the
// next card drawn is stock[stockCount - 1], and stock[0] is the face-up
// trump card while it still lies under the stock (trumpCard names it;
// kNoCard once drawn, and always in the Japanese types).
struct Position {
    CardSet hand[2];
    CardSet attack;   // the attacker's cards of this bout, extra cards included
    CardSet cover;    // the defender's cards of this bout
    CardSet open;     // attack cards still to be covered
    CardSet discard;  // beaten bouts
    // Cards of each hand the other side saw it pick up from the table and
    // that are still there.
    CardSet shown[2];
    int8_t stock[kCards];
    int8_t stockCount;  // the trump card under the stock counts
    int8_t trumpSuit;
    int8_t trumpCard;
    int8_t type;    // game/types.h
    uint8_t rules;  // RuleFlag bits
    int8_t phase;
    int8_t attacker;
    int8_t leader;        // who laid the bout's first card: draws first after it
    int8_t transferOpen;  // 1 while the bout may still be passed on
    // Each seat's hand size when the other seat last opened a bout: it caps
    // what may be added to a table that seat takes. Kept across bouts and
    // games, as the game keeps it.
    int8_t handAtOpening[2];
    int8_t extrasLeft;  // kGive: cards the attacker may still add
    int8_t winner;      // kOver: the seat that won, else -1
};

constexpr int32_t kMaxMoves = 64;
constexpr int32_t kTableLimit = 6;

inline int32_t Defender(const Position& p) {
    return Other(p.attacker);
}
// The seat whose decision the position waits for (-1 once over).
int32_t ToMove(const Position& p);
inline bool HasRule(const Position& p, RuleFlag rule) {
    return (p.rules & rule) != 0;
}
uint8_t RulesOfType(int32_t type);
// The cards that beat the card under the position's trump and type.
CardSet BeatenBy(const Position& p, int32_t card);

// The legal moves of the seat to move, into moves (room for kMaxMoves):
// their count. Several open cards are covered one at a time, lowest card
// first, each cover leaving the rest coverable; once the first is covered
// the defender may only go on covering, as the game takes such a cover as
// one play.
int32_t LegalMoves(const Position& p, Move* moves);
// Carries out a legal move and whatever follows it without a decision:
// refills, the passing of the attack, the end of the game.
void Apply(Position& p, const Move& move);

// A cheap chooser for playouts: the index of the move to make.
using Policy = int32_t (*)(const Position& p, const Move* moves, int32_t count, Rng& rng,
                           void* context);
int32_t RandomPolicy(const Position& p, const Move* moves, int32_t count, Rng& rng, void* context);
// Plays the cheapest card that will do: low before high, plain before
// trump; covers rather than takes; ends a bout rather than spend a trump.
int32_t ThriftyPolicy(const Position& p, const Move* moves, int32_t count, Rng& rng, void* context);
// Plays on to the end: the winner, or -1 when moveCap moves were not enough.
int32_t Playout(Position& p, Policy policy, Rng& rng, void* context, int32_t moveCap = 2000);

// A fresh deal of the type from the engine's generator; opener as the game
// chooses it after a game won by that seat, -1 as in a run's first game
// (the lower trump).
void Deal(Position& p, int32_t type, Rng& rng, int32_t opener);

// Whether the record is a sound position: every card in one place, the
// table and the words in range. 1 yes, 0 no.
int32_t IsSound(const Position& p);
// Several lines for a report.
std::string Describe(const Position& p);
std::string Describe(const Move& move);
bool operator==(const Move& a, const Move& b);
// Every field the game depends on, the stock up to its count.
bool operator==(const Position& a, const Position& b);

}  // namespace expert
