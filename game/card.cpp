#include "game/card.h"

#include "game/host.h"
#include "res/ids.h"

const wchar_t* const rankLabels[15] = {nullptr, L"A", L"2",  L"3", L"4", L"5", L"6", L"7",
                                       L"8",    L"9", L"10", L"J", L"Q", L"K", L"A"};

const int suitIcons[4] = {IDI_DIAMONDS, IDI_HEARTS, IDI_CLUBS, IDI_SPADES};

void InitCard(Card& card) {
    card.suit = NoCard;
    card.rank = NoCard;
    card.x = -1;
    card.y = -1;
    card.isTrump = -1;
    card.hidden = 0;
    card.backIndex = 0;
    card.selected = 0;
    card.live = 0;
    card.faceDown = 0;
    SizeCard(card);
}

void SetPosition(Card& card, int32_t x, int32_t y) {
    card.x = x;
    card.y = y;
    card.rect = {x, y, x + card.width, y + card.height};
}

void SetWindow(Card& card, HWND window) {
    card.window = window;
}

void InvalidateCard(const Card& card) {
    // A card without identity or place has nothing on screen to repaint.
    if (card.suit == -1 || card.rank == -1 || card.x == -1 || card.y == -1) return;
    InvalidateRect(card.window, &card.rect, FALSE);
}

void SetHidden(Card& card, int32_t hidden) {
    card.hidden = hidden;
    InvalidateCard(card);
}
