// The kept game in $XDG_STATE_HOME/velmora/kept-game.txt. The running copy
// holds an flock on "kept-game.lock" from start to exit; the text is
// replaced whole through a temporary file, flushed to the disk only at exit.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>

#include "platform/kept.h"
#include "platform/store_file.h"

namespace {

constexpr off_t kLargest = 1 << 20;

std::optional<std::string> stateHome;  // null: nothing is kept
int holdFd = -1;
std::set<std::string> warned;

void WarnOnce(const std::string& line) {
    if (warned.insert(line).second)
        std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, line.c_str());
}

std::optional<std::string> Folder() {
    if (!stateHome) return std::nullopt;
    if (!stateHome->empty()) return *stateHome;
    const char* xdg = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/velmora";
    if (home && home[0]) return std::string(home) + "/.local/state/velmora";
    return std::nullopt;
}

std::string FilePath() {
    return Folder().value_or("") + "/kept-game.txt";
}

}  // namespace

void PlatformSetStateHome(const char* dir) {
    PlatformReleaseKeptGame();
    stateHome = dir ? std::optional<std::string>(dir) : std::nullopt;
    warned.clear();
}

bool PlatformHoldKeptGame() {
    if (holdFd >= 0) return true;
    const std::optional<std::string> folder = Folder();
    if (!folder) return false;
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    const std::string lock = *folder + "/kept-game.lock";
    int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        WarnOnce(lock + ": " + std::strerror(errno) + "; the game is not kept");
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // Another copy plays the kept game; this one starts afresh.
        ::close(fd);
        return false;
    }
    holdFd = fd;
    return true;
}

void PlatformReleaseKeptGame() {
    if (holdFd >= 0) ::close(holdFd);
    holdFd = -1;
}

int PlatformReadKeptGame(std::string* text, std::string* why) {
    text->clear();
    if (holdFd < 0) return 0;
    const std::string path = FilePath();
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return 0;
        *why = std::strerror(errno);
        return -1;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        *why = std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        *why = "not a regular file";
    } else if (info.st_size > kLargest) {
        *why = "larger than 1 MiB";
    } else {
        char buffer[4096];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) *why = std::strerror(errno);
            if (n <= 0) break;
            text->append(buffer, static_cast<size_t>(n));
            if (text->size() > static_cast<size_t>(kLargest)) {
                *why = "larger than 1 MiB";
                break;
            }
        }
    }
    ::close(fd);
    return why->empty() ? 1 : -1;
}

bool PlatformWriteKeptGame(const std::string& text, bool sync) {
    if (holdFd < 0 || PlatformSavesFrozen()) return false;
    std::string why;
    if (ReplaceFile(FilePath(), text, sync, &why)) return true;
    WarnOnce("cannot keep the game in " + FilePath() + ": " + why);
    return false;
}

std::string PlatformKeptGamePlace() {
    return FilePath();
}
