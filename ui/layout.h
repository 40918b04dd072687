// Where the table's cards lie at the screen's density, in pixels: their
// size, the piles' origins, the places of the stock and the trump card.
#pragma once

#include "game/card.h"

// The card's width and height.
void ScaleCardSize(Card& card);
// Each pile's origin.
void ScalePileOrigins();
// The stock or the trump card at its place beside the table, on the main
// window.
void ScaleLoneCardPlace(Card& card);
// Every card's size and place again at the screen's density, the game
// itself unchanged: the piles' origins and layouts, the stock and the trump.
void ScaleTable();
