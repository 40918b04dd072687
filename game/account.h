// The account of play: one record for each event of the game, handed to
// whoever listens (the replay's log, the window's panel, the page's live
// text). Emitting changes nothing in the game; with no listener it is one
// test of a pointer.
#pragma once

#include <cstdint>

struct CardPile;

enum PlayKind : int32_t {
    PlayNewGame,   // the type; the trump card while face up, else the suit; who leads
    PlayLead,      // side, card
    PlayThrowIn,   // side, card
    PlayCover,     // side, card, covering target
    PlayTransfer,  // side, card
    PlayExtra,     // side (the giver), card
    PlayTake,      // side (the taker), count
    PlayBeaten,    // count (to the discard)
    PlayDraw,      // side, count; the cards only for the human
    PlayGameOver,  // side (the winner), the new score
    PlayRefused,   // a play the rules refused: the reason, with its cards
    PlayResumed,   // a kept game taken up again: the type (count), the trump suit
};

// Why a play was refused, each from the rule check that refused it.
enum Refusal : int32_t {
    RefusedNoCard,       // nothing selected to play
    RefusedTableFull,    // count: the cards the attack may reach
    RefusedComputerOut,  // the defending computer holds no card
    RefusedRank,         // card; cards: the ranks that may be added
    RefusedSelectCount,  // count: how many cards must cover
    RefusedCoverAll,     // target: an attack card none of the chosen beats, if any
    RefusedCannotBeat,   // card cannot beat target
    RefusedSpadeOnly,    // card is no spade, target is one
    RefusedNoExtraCard,  // nothing selected to give; count: how many may be
    RefusedExtraRank,    // card; cards: the ranks that may be given
};

enum PlaySide : int32_t { SideHuman = 0, SideComputer = 1 };

struct PlayCard {
    int32_t suit;
    int32_t rank;
};

struct PlayEvent {
    PlayKind kind;
    int32_t side;
    PlayCard card;    // laid, or the trump card of a new game
    PlayCard target;  // what a cover covers
    int32_t count;    // cards taken, beaten or drawn; a new game's type
    int32_t trumpSuit;
    bool trumpShown;  // a new game's trump card lies face up
    uint32_t humanWins;
    uint32_t computerWins;
    int32_t listed;      // how many of cards hold something
    PlayCard cards[18];  // the human's drawn cards, or the ranks a refusal allows
    int32_t reason;      // a Refusal
};

using PlayListener = void (*)(const PlayEvent& event);
extern PlayListener playListener;
// A second listener, for a computer player that keeps track of what it
// saw: it hears the same events whoever else listens.
extern PlayListener playWatcher;

inline void EmitPlay(const PlayEvent& event) {
    if (playListener) playListener(event);
    if (playWatcher) playWatcher(event);
}

// How the selected cards of a hand go to its table.
enum LayHow : int32_t { LayAttack, LayCover, LayTransfer, LayExtra };

// Moves the hand's selected cards to the table, as MoveSelected does, and
// emits one event for each: an attacker's card is a lead on an empty
// table, a throw-in otherwise, an extra card while the taker waits.
int32_t LayCards(CardPile& hand, CardPile& table, LayHow how);
// While set, the computer's throw-ins are extra cards for the human taking.
void SetGivingExtras(bool giving);

// A refused play of the human's, said with its cards.
void Refuse(Refusal reason, int32_t count = 0);
void Refuse(Refusal reason, const struct Card& card, const struct Card& target);
// A card whose rank is not on the table, with the ranks that are.
void RefuseRank(Refusal reason, const struct Card& card);
