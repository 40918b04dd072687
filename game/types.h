// The six game types and what sets each apart. A type's rules live in its
// row: code asks the row, never the type's number.
#pragma once

#include <cstdint>

#include "res/ids.h"

// Stored as a number (the "type" value), so the order is fixed.
enum GameType : int32_t {
    ThrownUp,
    ThrownUpTransfer,
    Bulk,
    BulkTransfer,
    Japanese,
    JapaneseTransfer,
    GameTypeCount
};

struct GameTypeTraits {
    UINT name;         // string id of the type's name
    bool transfer;     // the defender may pass the attack on with a card of its rank
    bool bulk;         // eighteen cards each and no stock: the whole deck is dealt
    bool japanese;     // a spade is covered by a higher spade only, trumps included
    bool hiddenTrump;  // no trump card is turned up: diamonds are always trumps
};

constexpr GameTypeTraits kGameTypes[GameTypeCount] = {
    {IDS_THROWN_UP, false, false, false, false},
    {IDS_THROWN_UP_TRANSFER, true, false, false, false},
    {IDS_BULK, false, true, false, false},
    {IDS_BULK_TRANSFER, true, true, false, false},
    {IDS_JAPANESE, false, false, true, true},
    {IDS_JAPANESE_TRANSFER, true, false, true, true},
};

constexpr bool IsGameType(int32_t type) {
    return type >= 0 && type < GameTypeCount;
}

// A number that names no type reads as the first one.
constexpr const GameTypeTraits& TypeTraits(int32_t type) {
    return kGameTypes[IsGameType(type) ? type : ThrownUp];
}
