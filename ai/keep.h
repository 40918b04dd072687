// When the rules' computer keeps a trump or, in the Japanese types, a high
// spade instead of spending it: thresholds on the card's rank and the
// stock. Shared by its routines and the engine's second expression of them.
#pragma once

#include <cstdint>

#include "game/card.h"

// A row keeps the trump while its condition holds and the stock is larger
// than the bound for the computer's role.
struct KeepRow {
    bool (*holds)(int32_t n, int32_t k);
    int32_t attacking;
    int32_t defending;
};

inline constexpr KeepRow kKeepTrump[] = {
    {[](int32_t n, int32_t) { return n < 2; }, 4, 16},
    {[](int32_t, int32_t k) { return k > 7; }, 20, 20},
    {[](int32_t, int32_t k) { return k > 10; }, 18, 18},
    {[](int32_t, int32_t k) { return k > 11; }, 16, 16},
    {[](int32_t, int32_t k) { return k == Queen; }, 4, 10},
    {[](int32_t, int32_t k) { return k == King; }, 0, 5},
    {[](int32_t, int32_t k) { return k == Ace; }, 0, 2},
};

// A trump of rank k, with n cards of the trump card's rank in hand and s
// cards in the stock: true to keep it.
inline bool KeepsTrump(int32_t n, int32_t k, int32_t s, bool attacking) {
    for (const KeepRow& row : kKeepTrump)
        if (row.holds(n, k) && s > (attacking ? row.attacking : row.defending)) return true;
    return false;
}

// A spade of rank k in a Japanese type with s cards in the stock.
inline bool KeepsSpade(int32_t k, int32_t s) {
    return (k > 10 && s > 20) || (k > 11 && s > 18) || (k == Queen && s > 10) ||
           ((k == King || k == Ace) && s > 8);
}
