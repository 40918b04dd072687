// The registry's file. Readers never lock; a writer takes an exclusive flock
// on "settings.ini.lock", reads the file afresh, and renames a flushed
// temporary file over it, so two running copies never undo each other's
// writes and a reader sees the old file or the new one. A save that cannot
// be kept says why on standard error, once per cause; the game stays silent.
// Nothing in the folder is ever removed but the store's own temporary files.
#include "platform/store_file.h"

#include "platform/kept.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string_view>
#include <thread>

namespace {

namespace fs = std::filesystem;

// The file is a few hundred bytes; anything this large is not ours.
constexpr off_t kLargest = 1 << 20;
constexpr int kLinkHops = 40;
constexpr std::chrono::milliseconds kLockWait{1000};
constexpr std::chrono::milliseconds kLockPoll{5};
// A temporary file is ".settings.ini" + kTemporaryMark + six letters or
// digits, a name no player gives a file of their own.
constexpr std::string_view kTemporaryMark = ".velmora-";

std::optional<std::string> configHome;
std::set<std::string> warned;
// Set once a save has given up on the lock, until the next message: the
// other saves of the same action must not wait their second again.
bool lockGivenUp = false;

void Warn(const std::string& line) {
    if (warned.insert(line).second)
        std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, line.c_str());
}

void WarnUnusable(const std::string& path, const std::string& why) {
    Warn(path + ": " + why + "; settings are neither read nor saved");
}

void WarnNotSaved(const std::string& path, const std::string& why) {
    Warn("cannot save settings to " + path + ": " + why);
}

std::string ErrorText(int error) {
    return std::strerror(error ? error : EIO);
}

std::optional<std::string> StorePath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* user = std::getenv("HOME");
    std::string home;
    if (configHome) {
        home = *configHome;
    } else if (xdg && xdg[0] == '/') {  // a relative one is to be ignored
        home = xdg;
    } else if (user && user[0]) {
        home = std::string(user) + "/.config";
    } else {
        Warn("neither XDG_CONFIG_HOME nor HOME is set; settings are neither read nor saved");
        return std::nullopt;
    }
    return home + "/velmora/settings.ini";
}

// What is at path, following links: a missing file is an empty text. Opened
// without blocking, so a FIFO cannot hang start-up, and refused unless it is
// a regular file of sensible size. shown is the path named in a warning.
StoreRead ReadFile(const std::string& path, const std::string& shown, std::string* text,
                   struct stat* info, bool* exists) {
    text->clear();
    *exists = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return kStoreText;
        WarnUnusable(shown, ErrorText(errno));
        return kStoreUnusable;
    }
    std::string why;
    if (::fstat(fd, info) != 0) {
        why = ErrorText(errno);
    } else if (!S_ISREG(info->st_mode)) {
        why = "not a regular file";
    } else if (info->st_size > kLargest) {
        why = "larger than 1 MiB";
    } else {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                why = ErrorText(errno);
                break;
            }
            text->append(buffer, static_cast<size_t>(n));
            if (text->size() > static_cast<size_t>(kLargest)) {  // it grew while read
                why = "larger than 1 MiB";
                break;
            }
        }
    }
    ::close(fd);
    if (!why.empty()) {
        text->clear();
        WarnUnusable(shown, why);
        return kStoreUnusable;
    }
    *exists = true;
    return kStoreText;
}

// The file a save replaces: the path with its symbolic links followed, so a
// link into a folder of dotfiles stays a link and its target changes. It may
// not exist yet. Nothing, with the error, for a loop or an unreadable link.
std::optional<std::string> FollowLinks(std::string path, int* error) {
    for (int hop = 0; hop <= kLinkHops; ++hop) {
        char target[PATH_MAX];
        ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n < 0 && (errno == EINVAL || errno == ENOENT)) return path;  // not a link, or nothing
        if (n < 0 || n == static_cast<ssize_t>(sizeof target)) {
            *error = n < 0 ? errno : ENAMETOOLONG;
            return std::nullopt;
        }
        std::string next(target, static_cast<size_t>(n));
        path = next.front() == '/' ? next : (fs::path(path).parent_path() / next).string();
    }
    *error = ELOOP;
    return std::nullopt;
}

// The writers' lock, or -1 with the reason. Asked for again every few
// milliseconds for at most a second, so that a copy stopped in the middle of
// a save (Ctrl+Z) cannot hang this one, and nothing waits on once we give up.
int Lock(const std::string& lockPath, std::string* why) {
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        *why = lockPath + ": " + ErrorText(errno);
        return -1;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *why = lockPath + " is not a regular file";
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            *why = lockPath + ": " + ErrorText(errno);
            break;
        }
        if (lockGivenUp || std::chrono::steady_clock::now() >= deadline) {
            lockGivenUp = true;
            *why = "another copy held " + lockPath + " for over a second";
            break;
        }
        std::this_thread::sleep_for(kLockPoll);
    }
    ::close(fd);
    return -1;
}

std::string TemporaryPrefix(std::string_view base) {
    return "." + std::string(base) + std::string(kTemporaryMark);
}

// ".settings.ini.velmora-XXXXXX" as mkostemp fills it in.
bool OurTemporary(std::string_view name, std::string_view base) {
    const std::string prefix = TemporaryPrefix(base);
    if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) return false;
    for (char c : name.substr(prefix.size()))
        if (!(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z'))
            return false;
    return true;
}

// Temporary files left by a writer killed in the middle of a save. A live
// writer holds a flock on its own, so only abandoned ones are removed.
void RemoveAbandoned(const std::string& folder, const std::string& base) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (dirent* entry = ::readdir(dir)) {
        if (!OurTemporary(entry->d_name, base)) continue;
        int fd =
            ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info;
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// A temporary file beside target, flushed to disk with the old file's
// permissions, then renamed over it.
bool WriteBeside(const std::string& target, const std::string& text, const struct stat* old,
                 std::string* why) {
    std::string folder = fs::path(target).parent_path().string();
    std::string base = fs::path(target).filename().string();
    RemoveAbandoned(folder, base);
    std::string temporary = (fs::path(folder) / (TemporaryPrefix(base) + "XXXXXX")).string();
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        *why = ErrorText(errno);
        return false;
    }
    errno = 0;
    bool ok = ::flock(fd, LOCK_EX) == 0 && WriteAll(fd, text) &&
              (!old || ::fchmod(fd, old->st_mode & 07777) == 0) && ::fsync(fd) == 0 &&
              ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        *why = ErrorText(errno);
        ::unlink(temporary.c_str());
    }
    ::close(fd);
    if (!ok) return false;
    // The rename itself reaches the disk with the folder.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

StoreWrite UpdateLocked(const std::string& path, const std::function<void(std::string*)>& edit) {
    int error = 0;
    std::optional<std::string> target = FollowLinks(path, &error);
    if (!target) {
        WarnUnusable(path, ErrorText(error));
        return kStoreNotRead;
    }
    std::string text, why;
    struct stat info;
    bool exists = false;
    if (ReadFile(*target, path, &text, &info, &exists) != kStoreText) return kStoreNotRead;
    if (exists && !(info.st_mode & S_IWUSR)) {
        Warn(path + " is read-only; settings are read but never saved");
        return kStoreNotWritten;
    }
    const std::string old = text;
    edit(&text);
    if (exists && text == old) return kStoreWritten;  // nothing to change
    if (text.size() > static_cast<size_t>(kLargest)) {
        WarnNotSaved(path, "the file would grow larger than 1 MiB");
        return kStoreNotWritten;
    }
    if (!WriteBeside(*target, text, exists ? &info : nullptr, &why)) {
        WarnNotSaved(path, why);
        return kStoreNotWritten;
    }
    return kStoreWritten;
}

}  // namespace

StoreRead ReadStoreFile(std::string* text) {
    text->clear();
    std::optional<std::string> path = StorePath();
    if (!path) return kStoreUnusable;
    struct stat info;
    bool exists;
    return ReadFile(*path, *path, text, &info, &exists);
}

StoreWrite UpdateStoreFile(const std::function<void(std::string*)>& edit) {
    // A file size limit (ulimit -f) must fail the write, not end the game.
    static const bool fileSizeSignalIgnored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)fileSizeSignalIgnored;
    if (PlatformSavesFrozen()) return kStoreNotWritten;
    std::optional<std::string> path = StorePath();
    if (!path) return kStoreNotRead;
    fs::path folder = fs::path(*path).parent_path();
    int made = ::mkdir(folder.c_str(), 0700);
    if (made != 0 && errno == ENOENT) {  // the first save of all: ~/.config may be missing too
        std::error_code ignored;
        fs::create_directories(folder.parent_path(), ignored);
        made = ::mkdir(folder.c_str(), 0700);
    }
    if (made != 0 && errno != EEXIST) {
        WarnNotSaved(*path, ErrorText(errno));
        return kStoreNotWritten;
    }
    std::string why;
    int lock = Lock(*path + ".lock", &why);
    if (lock < 0) {
        WarnNotSaved(*path, why);
        return kStoreNotWritten;
    }
    StoreWrite result = UpdateLocked(*path, edit);
    ::close(lock);
    return result;
}

void SetStoreFileHome(const char* dir) {
    configHome = dir && *dir ? std::optional<std::string>(dir) : std::nullopt;
    warned.clear();
}

void StoreActionBegins() {
    lockGivenUp = false;
}
