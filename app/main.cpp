// Entry point. The window comes with the desktop backend; until then this
// build deals one hand on the headless screen and says so.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/construct.h"
#include "game/deck.h"
#include "game/random.h"
#include "game/state.h"
#include "platform/headless/headless.h"

namespace {

constexpr const char* kVersion = "1.3";

void PrintUsage() {
    std::printf(
        "Usage: velmora [--help | --version]\n"
        "A two-player attack-and-defence card game against the computer.\n");
}

void SetClockToNow() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm utc{};
    gmtime_r(&now.tv_sec, &utc);
    HeadlessSetClock(utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(now.tv_nsec / 1000000));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Velmora %s\n", kVersion);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        PrintUsage();
        return 0;
    }
    HeadlessStartAtDpi(96);
    SetClockToNow();
    ConstructProgram();

    std::printf(
        "Velmora %s: the game window is not built yet; this build runs the headless core.\n",
        kVersion);
    static const char* const kSuits = "?DHCS";
    static const char* const kRanks[15] = {"",  "",  "",   "",  "",  "",  "6", "7",
                                           "8", "9", "10", "J", "Q", "K", "A"};
    SeedFromClock();
    std::printf("A deal from the clock:");
    int32_t rank = 0, suit = 0;
    while (DrawCard(deck, &rank, &suit) >= 0)
        std::printf(" %s%c", kRanks[rank], kSuits[suit]);
    std::printf("\n");

    ReleaseProgram();
    return 0;
}
