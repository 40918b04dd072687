// What the soak checks after every move of the scripted human: where every
// card is, what lies on the table, whose turn it is and the score. The state
// is copied out of the game's globals first, so a check never touches them.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace soak {

// One bit per card of the deck, by CardId.
using CardSet = uint64_t;
constexpr int kDeckSize = 36;
constexpr CardSet kWholeDeck = (CardSet{1} << kDeckSize) - 1;
constexpr int32_t kTableLimit = 6;

// 0 to 35 for the deck's cards, suit by suit from the six; -1 for anything else.
int CardId(int32_t suit, int32_t rank);
int32_t SuitOf(int id);
int32_t RankOf(int id);
inline CardSet Bit(int id) {
    return CardSet{1} << id;
}
inline int Size(CardSet cards) {
    return std::popcount(cards);
}
template <typename F>
void ForEachCard(CardSet cards, F f) {
    for (; cards != 0; cards &= cards - 1)
        f(std::countr_zero(cards));
}
// Bit r set for every rank r among the cards.
uint32_t Ranks(CardSet cards);
// "7H", "TD": rank then suit, as the table tests write cards.
std::string CardName(int id);
std::string Names(CardSet cards);

// Whether cover beats attack under the rules in force now (trump suit and
// game type), by the game's own rule check.
bool Covers(int cover, int attack);
// Every card of defence beats its own card of attack.
bool CoverMatch(CardSet defence, CardSet attack);

struct PileView {
    int32_t count = 0;
    int32_t sortMode = 0;
    int seen = 0;                  // entries copied into ids
    std::array<int8_t, 40> ids{};  // display order; -1 for no card of the deck
    CardSet cards = 0;
    CardSet selected = 0;
    int staleTrumpFlags = 0;  // cards whose trump flag disagrees with the trump suit
};

struct TableState {
    PileView humanHand, humanTable, computerHand, computerTable;
    CardSet stock = 0;
    int32_t deckRemaining = 0;
    int32_t deckTotal = 0;
    int trump = -1;  // the face-up trump card; -1 while hidden
    int32_t trumpSuit = 0;
    int32_t stockHidden = 0;
    int32_t gameType = 0;
    int32_t transferRule = 0;
    int32_t computerAttacks = 0;
    int32_t transferOpen = 0;
    int32_t extraCardsAllowed = 0;
    int32_t computerHandAtBoutStart = 0;
    int32_t humanHandAtBoutStart = 0;
    int32_t boutLedByComputer = 0;
    uint32_t serial = 0;
    uint32_t computerWins = 0;
    uint32_t humanWins = 0;
    std::array<uint8_t, kDeckSize> places{};  // how many places hold each card
    int foreignCards = 0;                     // pile entries that are no card of the deck

    CardSet Table() const { return humanTable.cards | computerTable.cards; }
    // The cards found nowhere: out of the game.
    CardSet Discards() const;
    const PileView& Attack() const { return computerAttacks == 1 ? computerTable : humanTable; }
    const PileView& Defence() const { return computerAttacks == 1 ? humanTable : computerTable; }
};

TableState Capture();
// The piles, the stock and the state words, for a report.
std::string Describe(const TableState& state);

enum class Action { Confirm, Give, LowerButton, UpperButton, MenuNew };
// Asks: a trump of the attack rank offered while a transfer is open; the
// answer to "Transfer?" decides between transfer and cover.
enum class Expect { Accepted, Refused, Asks };

// One move of the scripted human and what it brought about.
struct Step {
    Action action = Action::Confirm;
    CardSet selection = 0;  // the cards selected in the hand for it
    Expect expect = Expect::Accepted;
    const char* what = "";
    int answeredBoxes = 0;  // boxes that waited for the soak's answer
    int transferQuestions = 0;
    int transferAnswer = 0;  // the last answer given to "Transfer?"
    int humanWinBoxes = 0;
    int computerWinBoxes = 0;
    std::vector<std::wstring> strayBoxes;  // every other box, error boxes included
};

struct Finding {
    const char* check;
    std::string detail;
};
using Findings = std::vector<Finding>;

// What must hold whenever the human is to move.
void CheckTable(const TableState& now, Findings& out);
// What the move may and must have changed. With a shared score, other
// running copies' wins may arrive with the soak's own.
void CheckStep(const TableState& before, const Step& step, const TableState& after, Findings& out,
               bool sharedScore = false);

}  // namespace soak
