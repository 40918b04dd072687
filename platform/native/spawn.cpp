// Starting another program: with posix_spawn and an argument vector, never
// through a shell. The child is not waited for; SIGCHLD is set to leave no
// zombie behind once it ends. The help viewer of the device becomes the
// desktop's opener on the page's file address.
#include <signal.h>
#include <spawn.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/backend.h"
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
    int failed = posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ);
    if (failed == 0) return true;
    // The screen stays silent, as the device's was; the terminal hears why.
    std::fprintf(stderr, "velmora: cannot start %s: %s\n", args[0], std::strerror(failed));
    return false;
}

// The help viewer: the desktop's opener on one of the program's own pages.
namespace {

std::string programFolderOverride;

std::string ProgramFolder() {
    if (!programFolderOverride.empty()) return programFolderOverride;
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

// The page beside the executable, or else where an install puts it
// relative to the executable's folder (bin/ or, in Debian's layout for
// games, games/); empty when in none.
std::string FindPage(const std::string& folder, const std::string& name) {
    if (folder.empty()) return {};
    for (const char* place : {"", "../share/velmora/", "../share/games/velmora/"}) {
        std::filesystem::path page = std::filesystem::path(folder) / place / name;
        std::error_code error;
        if (std::filesystem::is_regular_file(page, error))
            return std::filesystem::absolute(page, error).lexically_normal().string();
    }
    return {};
}

// Every byte but the unreserved ones and the slashes is written as %XX.
std::string Escape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back("0123456789ABCDEF"[c >> 4]);
            out.push_back("0123456789ABCDEF"[c & 15]);
        }
    }
    return out;
}

}  // namespace

bool PlatformOpenPage(const std::string& name, const std::string* anchor) {
    std::string page = FindPage(ProgramFolder(), name);
    if (page.empty()) return false;
    std::string address = "file://" + Escape(page);
    if (anchor) {
        address += '#';
        address += Escape(*anchor);
    }
    return BackendLaunch({"xdg-open", address});
}

void PlatformSetProgramFolder(const char* dir) {
    programFolderOverride = dir ? dir : "";
}
