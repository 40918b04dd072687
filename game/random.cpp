#include "game/random.h"

#include "platform/platform.h"

int32_t randSeed = 0;
int32_t randSeed2 = 123456789;
int32_t randLast = 0;
int32_t randTable[32] = {};

namespace {

constexpr int32_t M1 = 2147483563, A1 = 40014, Q1 = 53668;
constexpr int32_t M2 = 2147483399, A2 = 40692, Q2 = 52774;
constexpr int32_t M1Less1 = M1 - 1;
constexpr int32_t TableDivisor = 1 + M1Less1 / 32;
constexpr double Scale = 1.0 / 2147483563.0;
constexpr double UpperBound = 0.99999988;
// The float with bits 0x3f7ffffe: one ulp below the largest float below 1.
constexpr float LargestResult = 0x1.fffffcp-1f;

static_assert(TableDivisor == 67108862);
static_assert(Scale == 4.656613057391769e-10);

// s = a * s mod m without overflow (a * (s mod q) - (s / q) * (m mod a)).
int32_t Step(int32_t s, int32_t a, int32_t q, int32_t m) {
    int32_t k = s / q;
    s = a * (s - k * q) - k * (m - a * q);
    return s < 0 ? s + m : s;
}

void FillTable() {
    if (randSeed < 0) randSeed = -randSeed;
    if (randSeed == 0) randSeed = 1;
    randSeed2 = randSeed;
    for (int j = 39; j >= 0; --j) {
        randSeed = Step(randSeed, A1, Q1, M1);
        if (j < 32) randTable[j] = randSeed;
    }
    randLast = randTable[0];
}

}  // namespace

void SeedFromClock() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    int32_t hour = now.wHour, minute = now.wMinute, second = now.wSecond;
    int32_t ms = now.wMilliseconds;
    randSeed = 10 * (5 * (100 * second + hour) + minute + second) + 4951 * ms;
}

float RandomUniform() {
    if (randSeed <= 0 || randLast == 0) FillTable();
    randSeed = Step(randSeed, A1, Q1, M1);
    randSeed2 = Step(randSeed2, A2, Q2, M2);
    int32_t j = randLast / TableDivisor;
    randLast = randTable[j] - randSeed2;
    randTable[j] = randSeed;
    if (randLast < 1) randLast += M1Less1;
    auto result = static_cast<float>(randLast * Scale);
    if (static_cast<double>(result) > UpperBound) return LargestResult;
    return result;
}

int32_t RandomRange(int32_t lo, int32_t hi) {
    if (randSeed == 0) SeedFromClock();
    float u = RandomUniform();
    // Single precision throughout: the product is rounded before truncation.
    float product = static_cast<float>(hi - lo + 1) * u;
    return lo + static_cast<int32_t>(product);
}

void ResetRandom() {
    randSeed = 0;
    randSeed2 = 123456789;
    randLast = 0;
    for (int32_t& entry : randTable)
        entry = 0;
}
