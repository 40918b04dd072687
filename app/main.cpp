// Entry point of the game: answers --version and --help, warns of unknown
// long options, opens the window, builds the program and runs WinMain with
// the whole command line.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "ai/expert/answer.h"
#include "app/panel.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/window.h"
#include "platform/gdi.h"
#include "platform/kept.h"
#include "platform/sdl/sdl.h"
#include "res/ids.h"

namespace {

constexpr const char* kVersion = "1.3";

void PrintUsage() {
    std::printf(
        "Usage: velmora [-h | --help | -v | --version]\n"
        "A two-player attack-and-defence card game against the computer.\n"
        "\n"
        "Environment:\n"
        "  VELMORA_DPI=N    draw the table at N dots per inch (24 to 960)\n"
        "  VELMORA_TRACE=1  print when the first frame is shown\n"
        "  VELMORA_CLOCK=HH:MM:SS.mmm  deal as if the clock read this\n");
}

// The arguments, joined by single spaces, as the program's command line.
std::wstring CommandLine(int argc, char** argv) {
    std::string joined;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) joined += ' ';
        joined += argv[i];
    }
    char* wide = SDL_iconv_string("WCHAR_T", "UTF-8", joined.c_str(), joined.size() + 1);
    std::wstring out = wide ? reinterpret_cast<const wchar_t*>(wide) : L"";
    SDL_free(wide);
    return out;
}

bool Is(const char* arg, const char* shortForm, const char* longForm) {
    return std::strcmp(arg, shortForm) == 0 || std::strcmp(arg, longForm) == 0;
}

// A long option the program does not know. The game's own switch is a
// substring anywhere in the command line, so an argument holding it is
// known too; the argument still goes to the game either way.
bool UnknownOption(const char* arg) {
    return std::strncmp(arg, "--", 2) == 0 && std::strcmp(arg, "--help") != 0 &&
           std::strcmp(arg, "--version") != 0 && !std::strstr(arg, "q7K");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && Is(argv[1], "-v", "--version")) {
        std::printf("Velmora %s\n", kVersion);
        return 0;
    }
    if (argc == 2 && Is(argv[1], "-h", "--help")) {
        PrintUsage();
        return 0;
    }
    for (int i = 1; i < argc; ++i)
        if (UnknownOption(argv[i]))
            std::fprintf(stderr, "velmora: unknown option %s (ignored)\n", argv[i]);
    std::wstring commandLine = CommandLine(argc, argv);

    std::string error;
    if (!PlatformFontsAvailable(&error)) {
        std::fprintf(stderr, "velmora: %s\n", error.c_str());
        return 1;
    }
    const KeptWindow kept = LoadKeptWindow();
    if (!SdlOpen(&error, {kept.width, kept.height, kept.fullScreen})) {
        std::fprintf(stderr, "velmora: %s\n", error.c_str());
        return 1;
    }
    PlatformSetStateHome("");
    // A slow machine cuts the Expert's search short rather than stall input.
    expert::Budget budget;
    budget.clock = [] {
        using Clock = std::chrono::steady_clock;
        return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
    };
    budget.capMs = 80;
    expert::SetBudget(budget);
    int status = RunProgram(commandLine.c_str(), {StartAccountPanel, ReleaseAccountPanel});
    // Kept for the next run only when the player changed it.
    if (SdlWindowChanged()) {
        const SdlWindowState now = SdlWindowNow();
        SaveKeptWindow({now.width, now.height, now.fullScreen});
    }
    SdlClose();
    return status;
}
