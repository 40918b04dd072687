// A group of cards that moves as a unit: owns its cards, keeps them sorted,
// lays them out on screen and asks for exactly the changed places to be
// repainted. Positions handed out are 1-based; 0 means none.
#pragma once

#include <cstdint>
#include <memory>

#include "game/card.h"

enum SortMode : int32_t { SortNone = -1, SortByRank = 0, SortBySuit = 1 };

enum LayoutMode : int32_t {
    LayoutHalfOverlap = 1,
    LayoutSideBySide = 2,
    LayoutThirdOverlap = 3,
    LayoutQuarterFan = 4,
    LayoutStacked = 5,
};

struct CardPile {
    std::unique_ptr<Card[]> cards;  // display order; none while empty
    int32_t count;
    int32_t capacity;  // slots in cards, grown by doubling
    int32_t sortMode;
    int32_t perRow;
    int32_t backIndex;
    int32_t rowFill;
    int32_t faceDown;
    int32_t trumpSuit;
    HWND window;
    int32_t originX;
    int32_t originY;
    int32_t cardWidth;
    int32_t cardHeight;
    int32_t layoutMode;
};

void InitPile(CardPile& pile);
// Last repaint of the cards' places, then the array is given back.
void DestroyPile(CardPile& pile);

void AddCard(CardPile& pile, int32_t suit, int32_t rank);
int32_t MoveSelected(CardPile& pile, CardPile& destination);
int32_t CopySelected(CardPile& pile, CardPile& destination);
void SelectAll(CardPile& pile);
void DeselectAll(CardPile& pile);
int32_t FirstSelected(const CardPile& pile);
int32_t CountSelected(const CardPile& pile);
int32_t FindRank(const CardPile& pile, int32_t rank);
int32_t FindSuit(const CardPile& pile, int32_t suit);
int32_t CountRank(const CardPile& pile, int32_t rank);
void SetTrumpSuit(CardPile& pile, int32_t suit);
void SetBack(CardPile& pile, int32_t backIndex);
void SortPile(CardPile& pile);
void Refresh(CardPile& pile);
void LayOut(CardPile& pile);
void MarkSelectedGone(CardPile& pile);
void Compact(CardPile& pile);
void ClearPile(CardPile& pile);

// The card at a 1-based position.
inline Card& CardAt(CardPile& pile, int32_t position) {
    return pile.cards[position - 1];
}
inline const Card& CardAt(const CardPile& pile, int32_t position) {
    return pile.cards[position - 1];
}
