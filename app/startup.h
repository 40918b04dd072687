// The one start-up of every entry point: the window, the page, the replay
// driver, the soak and the benchmarks. It may run again in the same process
// (a restart, the next soak run): each run starts from the built-in values
// with the backend's screen as it stands.
#pragma once

#include <functional>

struct ProgramHooks {
    std::function<void()> started;  // built, before WinMain
    std::function<void()> ended;    // WinMain returned, before the release
};

// Builds the program, runs WinMain with the command line and releases it:
// WinMain's status.
int RunProgram(const wchar_t* commandLine, const ProgramHooks& hooks = {});
