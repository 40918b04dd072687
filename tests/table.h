// A table set up directly: the four piles, the trump, the stock and the game
// type. Cards are written as rank then suit, "7H TD AS": ranks 6 to 9, T, J,
// Q, K, A; suits D, H, C, S.
#pragma once

#include <cstdint>
#include <string>

#include "game/state.h"
#include "tests/fixture.h"

Card ParseCard(const char* text);
std::string CardName(const Card& card);
// The pile's cards in display order, in the same notation.
std::string Cards(const CardPile& pile);
std::string SelectedCards(const CardPile& pile);
std::wstring StatusLine();

class TableTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Transfer comes with the odd types. In the Japanese types no trump card
    // lies out and diamonds are trumps, so trump is ignored there.
    static void SetGame(int32_t type, const char* trump);
    static void SetStock(int32_t cards);
    // Replaces the pile's cards; with SortNone they stay in the given order.
    static void Deal(CardPile& pile, const char* cards, int32_t sortMode = SortNone);
    // The four piles at once, the human's hand in rank order.
    static void LayTable(const char* humanCards, const char* humanPlayed,
                         const char* computerPlayed, const char* computerCards,
                         int32_t computerSort = SortNone);
};
