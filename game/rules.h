// The rules both players obey: covering one card and covering several.
#pragma once

#include <cstdint>

#include "game/pile.h"

// 1: cover covers attack; 0: same suit but not higher; -1: otherwise no cover.
int32_t CanCover(const Card& cover, const Card& attack);

// Greedy matching of the defence pile against every attack card. 0: covered,
// exactly the covering cards left selected; 1: not (nothing selected);
// -1: either pile empty or more attack cards than defence cards. Leaves
// both piles in suit order with no sort mode.
int32_t CoverAll(CardPile& attack, CardPile& defence);
