#include <cstring>

#include "tools/arena/arena.h"

namespace arena {

namespace {

constexpr const char* kSeatNames[] = {"classic", "expert", "random", "thrifty"};

}  // namespace

bool ParseSeat(const std::string& text, SeatKind* seat) {
    for (int32_t i = 0; i < 4; ++i)
        if (text == kSeatNames[i]) {
            *seat = static_cast<SeatKind>(i);
            return true;
        }
    return false;
}

const char* SeatName(SeatKind seat) {
    return kSeatNames[seat];
}

int32_t TypeOfGame(const Setup& setup, int64_t i) {
    return setup.type >= 0 ? setup.type : static_cast<int32_t>(i % 6);
}

uint64_t GameSeed(const Setup& setup, int64_t i) {
    uint64_t x = setup.seed * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(i);
    x ^= x >> 31;
    x *= 0xBF58476D1CE4E5B9ull;
    return x ^ (x >> 29);
}

}  // namespace arena
