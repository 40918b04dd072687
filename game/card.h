// One card: who it is (suit, rank) and where and how it shows.
#pragma once

#include <cstdint>

#include "platform/platform.h"

enum Suit : int32_t { Diamonds = 1, Hearts = 2, Clubs = 3, Spades = 4 };
constexpr int32_t NoCard = -1;
constexpr int32_t Jack = 11, Queen = 12, King = 13, Ace = 14;

// Indexed by rank; the ace has a low (1) and a high (14) entry.
extern const wchar_t* const rankLabels[15];
// Icon resources of the suits, indexed by suit - 1.
extern const int suitIcons[4];

struct Card {
    HWND window;
    RECT rect;
    int32_t hidden;
    int32_t suit;
    int32_t rank;
    int32_t isTrump;
    int32_t x;
    int32_t y;
    int32_t backIndex;
    int32_t selected;
    int32_t live;
    int32_t faceDown;
    int32_t height;
    int32_t width;
};

void InitCard(Card& card);
void SetPosition(Card& card, int32_t x, int32_t y);
void SetWindow(Card& card, HWND window);
void InvalidateCard(const Card& card);
void SetHidden(Card& card, int32_t hidden);
