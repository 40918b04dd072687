// Entry point of the game: answers --version and --help, opens the window,
// builds the program and runs WinMain with the rest of the command line.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/construct.h"
#include "app/window.h"
#include "platform/gdi.h"
#include "platform/sdl/sdl.h"
#include "res/resources.h"
#include "ui/scale.h"

namespace {

constexpr const char* kVersion = "1.3";

void PrintUsage() {
    std::printf(
        "Usage: velmora [--help | --version]\n"
        "A two-player attack-and-defence card game against the computer.\n"
        "\n"
        "Environment:\n"
        "  VELMORA_DPI=N    draw the table at N dots per inch (24 to 960)\n"
        "  VELMORA_TRACE=1  print when the first frame is shown\n");
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
    std::wstring commandLine = CommandLine(argc, argv);

    std::string error;
    if (!PlatformFontsAvailable(&error)) {
        std::fprintf(stderr, "velmora: %s\n", error.c_str());
        return 1;
    }
    if (!SdlOpen(&error)) {
        std::fprintf(stderr, "velmora: %s\n", error.c_str());
        return 1;
    }
    ForgetDensities();
    RegisterResources();
    ConstructProgram();
    int status = WinMain(GetModuleHandleW(nullptr), nullptr, commandLine.c_str(), SW_SHOW);
    ReleaseProgram();
    SdlClose();
    return status;
}
