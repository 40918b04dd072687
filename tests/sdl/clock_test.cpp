// The real window's backend without a display: VELMORA_CLOCK. The backend
// reads the variable once, so each value is tried in a child of its own.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/internal.h"
#include "platform/platform.h"

namespace {

int64_t Order(const SYSTEMTIME& t) {
    int64_t day = (t.wYear * 13 + t.wMonth) * 32 + t.wDay;
    return ((day * 24 + t.wHour) * 60 + t.wMinute) * 60000 + t.wSecond * 1000 + t.wMilliseconds;
}

// Exits 0 when the clock, asked twice with VELMORA_CLOCK=text, reads the
// wall clock both times.
[[noreturn]] void ExitOnWallClock(const char* text) {
    setenv("VELMORA_CLOCK", text, 1);
    const SYSTEMTIME before = WallClockNow();
    SYSTEMTIME first{}, second{};
    GetSystemTime(&first);
    GetSystemTime(&second);
    const SYSTEMTIME after = WallClockNow();
    std::_Exit(Order(before) <= Order(first) && Order(second) <= Order(after) ? 0 : 1);
}

// Exits 0 when the clock reads the fixed time of day h:m:s.ms.
[[noreturn]] void ExitOnFixedClock(const char* text, int h, int m, int s, int ms) {
    setenv("VELMORA_CLOCK", text, 1);
    SYSTEMTIME now{};
    GetSystemTime(&now);
    std::_Exit(Order(now) == Order(FixedTimeOfDay(h, m, s, ms)) ? 0 : 1);
}

// The whole of the child's standard error, as a regular expression.
std::string Whole(const std::string& text) {
    std::string out = "^";
    for (char c : text) {
        if (std::string("\\.[]{}()*+?^$|").find(c) != std::string::npos) out += '\\';
        out += c;
    }
    return out + "$";
}

TEST(SdlClockTest, VelmoraClockIsReadStrictly) {
    // A bad value is named once and the wall clock kept.
    for (const char* text : {"12:00:00.-99", " 1: 2: 3. 4", "+1:+2:+3.+4", "12:00:00.5",
                             "1:02:03.004", "24:00:00.000", "noon"}) {
        EXPECT_EXIT(ExitOnWallClock(text), testing::ExitedWithCode(0),
                    Whole(std::string("velmora: VELMORA_CLOCK=") + text +
                          " is not HH:MM:SS.mmm; ignored\n"))
            << text;
    }
    EXPECT_EXIT(ExitOnFixedClock("07:30:15.250", 7, 30, 15, 250), testing::ExitedWithCode(0), "^$");
    EXPECT_EXIT(ExitOnFixedClock("23:59:59.999", 23, 59, 59, 999), testing::ExitedWithCode(0),
                "^$");
}

}  // namespace
