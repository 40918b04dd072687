// The rules both players obey: covering one card and covering several.
#pragma once

#include <cstdint>

#include "game/pile.h"

// 1: cover covers attack; 0: same suit but not higher; -1: otherwise no cover.
int32_t CanCover(const Card& cover, const Card& attack);
// 1 when only a card of the attack's own suit may cover it (a spade in the
// Japanese types, whatever the trumps), else 0.
int32_t OnlySpadeCovers(const Card& attack);

// 1 when a card of the rank lies on either side of the table, else 0: the
// ranks a throw-in or an extra card may carry.
int32_t RankOnTable(int32_t rank);

// Greedy matching of the defence pile against every attack card. 0: covered,
// exactly the covering cards left selected; 1: not (nothing selected);
// -1: either pile empty or more attack cards than defence cards. Leaves
// both piles in suit order with no sort mode.
int32_t CoverAll(CardPile& attack, CardPile& defence);
