// velmora-replay: runs the real program on the headless screen from a
// script of taps and commands, printing the game's state as JSON on `dump`.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app/construct.h"
#include "app/window.h"
#include "platform/clock.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "res/resources.h"
#include "tools/replay/script.h"
#include "ui/scale.h"

namespace {

std::string temporaryConfig;

void RemoveTemporaryConfig() {
    if (temporaryConfig.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(temporaryConfig, ignored);
    temporaryConfig.clear();
}

int Usage() {
    std::fprintf(stderr,
                 "usage: velmora-replay [--dpi N] [--clock HH:MM:SS.mmm] [--config DIR] "
                 "[--cmdline TEXT] [--pace] [SCRIPT]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int dpi = 96, hour = 12, minute = 0, second = 0, millisecond = 0;
    std::string config, scriptPath = "-";
    std::wstring commandLine;
    bool haveScript = false;
    bool pauses = false;  // recorded and dumped, never waited for
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--dpi" && hasValue) {
            char* end;
            long v = std::strtol(argv[++i], &end, 10);
            if (*end || v < 1 || v > 2000) return Usage();
            dpi = static_cast<int>(v);
        } else if (arg == "--clock" && hasValue) {
            if (!ParseClockText(argv[++i], &hour, &minute, &second, &millisecond)) return Usage();
        } else if (arg == "--config" && hasValue) {
            config = argv[++i];
        } else if (arg == "--pace") {
            pauses = true;
        } else if (arg == "--cmdline" && hasValue) {
            std::string text = argv[++i];  // taken whole, even when it begins with '-'
            commandLine.assign(text.begin(), text.end());
        } else if (!haveScript && (arg == "-" || arg[0] != '-')) {
            scriptPath = arg;
            haveScript = true;
        } else {
            return Usage();
        }
    }

    std::ifstream file;
    if (scriptPath != "-") {
        file.open(scriptPath);
        if (!file) {
            std::fprintf(stderr, "velmora-replay: cannot read %s\n", scriptPath.c_str());
            return 2;
        }
    }
    std::istream& in = scriptPath == "-" ? std::cin : file;

    if (config.empty()) {
        char pattern[] = "/tmp/velmora-replay-XXXXXX";
        if (!mkdtemp(pattern)) {
            std::fprintf(stderr, "velmora-replay: cannot make a temporary folder\n");
            return 2;
        }
        config = temporaryConfig = pattern;
    }
    replayCleanup = RemoveTemporaryConfig;
    PlatformSetConfigHome(config.c_str());

    HeadlessStartAtDpi(dpi);
    HeadlessSetPauses(pauses);
    replayPauses = pauses;
    ForgetDensities();
    HeadlessSetClock(hour, minute, second, millisecond);
    ReplayScript script(in);
    HeadlessSetInputSource([&script] { return script.Next(); });

    RegisterResources();
    ConstructProgram();
    WinMain(GetModuleHandleW(nullptr), nullptr, commandLine.c_str(), SW_SHOW);
    ReleaseProgram();
    RemoveTemporaryConfig();
    return 0;
}
