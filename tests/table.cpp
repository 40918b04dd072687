#include "tests/table.h"

#include <cstring>

#include "game/status.h"
#include "res/resources.h"

namespace {

const char kRanks[] = "6789TJQKA";
const char kSuits[] = "DHCS";

CardPile* const kPiles[] = {&humanHand, &humanTable, &computerHand, &computerTable};

std::string Write(const CardPile& pile, bool selectedOnly) {
    std::string out;
    for (int32_t i = 1; i <= pile.count; ++i) {
        const Card& c = CardAt(pile, i);
        if (selectedOnly && c.selected != 1) continue;
        if (!out.empty()) out += ' ';
        out += CardName(c);
    }
    return out;
}

// Leaves no table, state word or status text behind for the next test.
void Reset() {
    for (CardPile* pile : kPiles)
        InitPile(*pile);
    InitCard(trumpCard);
    InitDeck(deck, 36);
    ResetGameState();
    statusText = nullptr;
}

}  // namespace

std::string CardName(const Card& card) {
    return {kRanks[card.rank - 6], kSuits[card.suit - 1]};
}

Card ParseCard(const char* text) {
    Card card;
    InitCard(card);
    card.rank = static_cast<int32_t>(std::strchr(kRanks, text[0]) - kRanks) + 6;
    card.suit = static_cast<int32_t>(std::strchr(kSuits, text[1]) - kSuits) + 1;
    return card;
}

std::string Cards(const CardPile& pile) {
    return Write(pile, false);
}

std::string SelectedCards(const CardPile& pile) {
    return Write(pile, true);
}

std::wstring StatusLine() {
    return statusText ? statusText : L"";
}

void TableTest::SetUp() {
    HeadlessTest::SetUp();
    RegisterResources();
    Reset();
    SetGame(0, "TC");
}

void TableTest::TearDown() {
    Reset();
}

void TableTest::SetGame(int32_t type, const char* trump) {
    gameType = type;
    transferRule = type % 2;
    if (type == 4 || type == 5) {
        trumpCard.suit = Diamonds;
        trumpCard.rank = 2;
        trumpCard.hidden = 1;
    } else {
        Card t = ParseCard(trump);
        trumpCard.suit = t.suit;
        trumpCard.rank = t.rank;
        trumpCard.hidden = 0;
    }
    for (CardPile* pile : kPiles)
        SetTrumpSuit(*pile, trumpCard.suit);
}

void TableTest::SetStock(int32_t cards) {
    for (int32_t i = 0; i < deck.total; ++i)
        deck.entries[i].present = i < cards ? 1 : 0;
    deck.remaining = cards;
}

void TableTest::Deal(CardPile& pile, const char* cards, int32_t sortMode) {
    ClearPile(pile);
    pile.sortMode = sortMode;
    for (const char* p = cards; p[0] != '\0' && p[1] != '\0'; p += p[2] == ' ' ? 3 : 2) {
        Card c = ParseCard(p);
        AddCard(pile, c.suit, c.rank);
    }
}

void TableTest::LayTable(const char* humanCards, const char* humanPlayed,
                         const char* computerPlayed, const char* computerCards,
                         int32_t computerSort) {
    Deal(humanHand, humanCards, SortByRank);
    Deal(humanTable, humanPlayed);
    Deal(computerTable, computerPlayed);
    Deal(computerHand, computerCards, computerSort);
}
