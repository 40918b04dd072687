// Starting another program: with posix_spawn and an argument vector, never
// through a shell. The child is not waited for; SIGCHLD is set to leave no
// zombie behind once it ends.
#include <signal.h>
#include <spawn.h>

#include <string>
#include <vector>

#include "platform/internal.h"

extern char** environ;

bool PlatformSpawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty()) return false;
    struct sigaction reap {};
    reap.sa_handler = SIG_DFL;
    reap.sa_flags = SA_NOCLDWAIT;
    sigaction(SIGCHLD, &reap, nullptr);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) == 0;
}
