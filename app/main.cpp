// Entry point of the game. The desktop window is still to come: until then
// the program runs on the headless screen, deals one game from the clock
// and the stored settings, and shows the hands as text.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "app/construct.h"
#include "app/window.h"
#include "game/state.h"
#include "platform/headless/headless.h"
#include "res/resources.h"
#include "ui/scale.h"

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

std::string Name(const Card& c) {
    static const char* const kRanks[15] = {"",  "",  "",   "",  "",  "",  "6", "7",
                                           "8", "9", "10", "J", "Q", "K", "A"};
    return std::string(kRanks[c.rank]) + "?DHCS"[c.suit];
}

std::string Show(const CardPile& pile) {
    std::string out;
    for (int32_t i = 1; i <= pile.count; ++i)
        out += " " + Name(CardAt(pile, i));
    return out;
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
    // The program's arguments, joined by single spaces, are its command line.
    std::wstring commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += L' ';
        for (const char* p = argv[i]; *p; ++p)
            commandLine += static_cast<wchar_t>(*p);
    }

    std::string error;
    if (!PlatformFontsAvailable(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    HeadlessStartAtDpi(96);
    ForgetDensities();
    SetClockToNow();
    RegisterResources();
    ConstructProgram();
    // With no input on the headless screen, the message loop ends as soon as
    // the first deal has been painted.
    int status = WinMain(GetModuleHandleW(nullptr), nullptr, commandLine.c_str(), SW_SHOW);

    std::printf(
        "Velmora %s: the game window is not built yet; this build runs the game "
        "headless.\n",
        kVersion);
    std::printf("A deal of \"%ls\", trumps %s:\n  your hand:%s\n  my hand:%s\n  on the table:%s\n",
                GameTypeName(gameType), Name(trumpCard).c_str(), Show(humanHand).c_str(),
                Show(computerHand).c_str(), Show(computerTable).c_str());
    ReleaseProgram();
    return status;
}
