// velmora-replay: runs the real program on the headless screen from a
// script of taps and commands, printing the game's state as JSON on `dump`.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/account.h"
#include "app/opponent.h"
#include "app/startup.h"
#include "app/window.h"
#include "platform/clock.h"
#include "platform/headless/headless.h"
#include "platform/kept.h"
#include "platform/platform.h"
#include "tools/replay/script.h"

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
                 "[--cmdline TEXT] [--pace] [--log] [--state DIR] [--opponent classic|expert] "
                 "[SCRIPT]\n");
    return 2;
}

// Why a script file of this kind is refused, or null: reading a folder
// fails, and a device may never end or may change as it is read.
const char* RefusedKind(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return "is a folder";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "is a device";
    return nullptr;
}

// The script open for reading, or -1 with one line on standard error.
// Standard input is taken whatever it is.
int OpenScript(const std::string& path) {
    if (path == "-") return STDIN_FILENO;
    struct stat st {};
    // Looked at before it is opened, since opening a device can have effects
    // of its own; and again after, in case the name moved meanwhile. A FIFO
    // waits in open() for its writer.
    const char* why = nullptr;
    int fd = -1;
    if (stat(path.c_str(), &st) != 0)
        why = std::strerror(errno);
    else
        why = RefusedKind(st);
    if (!why) {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || fstat(fd, &st) != 0)
            why = std::strerror(errno);
        else
            why = RefusedKind(st);
    }
    if (!why) return fd;
    if (fd >= 0) close(fd);
    std::fprintf(stderr, "velmora-replay: cannot read %s: %s\n", path.c_str(), why);
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    int dpi = 96, hour = 12, minute = 0, second = 0, millisecond = 0;
    std::string config, state, scriptPath = "-";
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
        } else if (arg == "--state" && hasValue) {
            state = argv[++i];
        } else if (arg == "--opponent" && hasValue) {
            const std::string who = argv[++i];
            if (who != "classic" && who != "expert") return Usage();
            SetOpponentFromCaller(who == "expert" ? OpponentExpert : OpponentClassic);
        } else if (arg == "--pace") {
            pauses = true;
        } else if (arg == "--log") {
            replayLog = true;
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

    const int script = OpenScript(scriptPath);
    if (script < 0) return 2;

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

    // Only a given folder keeps the game, made when missing.
    PlatformSetStateHome(state.empty() ? nullptr : state.c_str());

    HeadlessStartAtDpi(dpi);
    HeadlessSetPauses(pauses);
    replayPauses = pauses;
    HeadlessSetClock(hour, minute, second, millisecond);
    ReplayScript lines(script);
    // A restart read: no more input for this run, whose loops all end.
    HeadlessSetInputSource([&lines] { return !replayRestart && lines.Next(); });
    for (bool first = true; first || replayRestart; first = false) {
        if (!first) HeadlessRestart();
        replayRestart = false;
        PlatformFreezeSaves(false);
        RunProgram(commandLine.c_str(), {[] { KeepAccount(replayLog); }, nullptr});
    }
    RemoveTemporaryConfig();
    return 0;
}
