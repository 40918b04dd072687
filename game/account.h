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
    PlayCard drawn[18];  // the human's drawn cards, count of them
};

using PlayListener = void (*)(const PlayEvent& event);
extern PlayListener playListener;

inline void EmitPlay(const PlayEvent& event) {
    if (playListener) playListener(event);
}

// How the selected cards of a hand go to its table.
enum LayHow : int32_t { LayAttack, LayCover, LayTransfer, LayExtra };

// Moves the hand's selected cards to the table, as MoveSelected does, and
// emits one event for each: an attacker's card is a lead on an empty
// table, a throw-in otherwise, an extra card while the taker waits.
int32_t LayCards(CardPile& hand, CardPile& table, LayHow how);
// While set, the computer's throw-ins are extra cards for the human taking.
void SetGivingExtras(bool giving);
