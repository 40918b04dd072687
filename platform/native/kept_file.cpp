// The kept game in $XDG_STATE_HOME/velmora/. The running copy holds an flock
// on "kept-game.lock" from start to exit. The text goes to two files in
// turn, kept-game-a.txt and kept-game-b.txt, each written in place under a
// first line with its save number, length and CRC-32: a save that a kill
// or a power cut tears leaves the other file whole, and the newest whole
// one is read. A rename over the kept file would be atomic too, but on
// ext4 it starts the new file's write-back at once, which costs a
// millisecond a move; this costs tens of microseconds.
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
#include <string_view>
#include <utility>

#include <zlib.h>

#include "platform/kept.h"

namespace {

constexpr off_t kLargest = 1 << 20;

std::optional<std::string> stateHome;  // null: nothing is kept
int holdFd = -1;
std::set<std::string> warned;
// The save number of the newest whole file, and which file the next save
// goes to (0 a, 1 b).
uint64_t lastSave = 0;
int nextFile = 0;
// What the files held when this copy took its hold: read once, at start.
struct Held {
    int result = 0;
    std::string text;
    std::string why;
};
Held held;

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

std::string FilePath(int which) {
    return Folder().value_or("") + (which == 0 ? "/kept-game-a.txt" : "/kept-game-b.txt");
}

uint32_t Crc(std::string_view text) {
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size())));
}

// "velmora kept SAVE LENGTH CRC": the save number, the length of the text
// after this line and its CRC-32, in hexadecimal.
std::string Framed(uint64_t save, const std::string& text) {
    char head[80];
    std::snprintf(head, sizeof head, "velmora kept %llu %zu %08x\n",
                  static_cast<unsigned long long>(save), text.size(), Crc(text));
    return head + text;
}

bool Unframed(const std::string& file, uint64_t* save, std::string* text) {
    unsigned long long number = 0;
    size_t length = 0;
    unsigned crc = 0;
    int used = 0;
    if (std::sscanf(file.c_str(), "velmora kept %llu %zu %8x\n%n", &number, &length, &crc, &used) !=
            3 ||
        used == 0 || length > file.size() - static_cast<size_t>(used))
        return false;
    const std::string_view body = std::string_view(file).substr(static_cast<size_t>(used), length);
    if (Crc(body) != crc) return false;
    *save = number;
    text->assign(body);
    return true;
}

// One file's bytes: 1 read, 0 none there, -1 unusable (why says so).
int ReadOne(const std::string& path, std::string* bytes, std::string* why) {
    bytes->clear();
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
            bytes->append(buffer, static_cast<size_t>(n));
            if (bytes->size() > static_cast<size_t>(kLargest)) {
                *why = "larger than 1 MiB";
                break;
            }
        }
    }
    ::close(fd);
    return why->empty() ? 1 : -1;
}

bool WriteAt(int fd, std::string_view text) {
    off_t at = 0;
    while (!text.empty()) {
        ssize_t n = ::pwrite(fd, text.data(), text.size(), at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<size_t>(n));
        at += n;
    }
    return ::ftruncate(fd, at) == 0;
}

// The newest whole save of the two files: 1 with its text, 0 when neither
// is there, -1 when none is whole (why says so). Notes the save numbers, so
// that the next save is the newest.
int Scan(std::string* text, std::string* why) {
    text->clear();
    lastSave = 0;
    nextFile = 0;
    bool any = false, found = false;
    for (int which = 0; which < 2; ++which) {
        std::string bytes, body, unusable;
        const int got = ReadOne(FilePath(which), &bytes, &unusable);
        if (got == 0) continue;
        any = true;
        uint64_t save = 0;
        if (got < 0 || !Unframed(bytes, &save, &body)) {
            if (why->empty()) *why = unusable.empty() ? "damaged" : unusable;
            continue;
        }
        if (found && save <= lastSave) continue;
        found = true;
        lastSave = save;
        nextFile = 1 - which;
        *text = std::move(body);
    }
    if (found) {
        why->clear();  // a torn older save is no loss
        return 1;
    }
    return any ? -1 : 0;
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
    held = Held{};
    held.result = Scan(&held.text, &held.why);
    return true;
}

void PlatformReleaseKeptGame() {
    if (holdFd >= 0) ::close(holdFd);
    holdFd = -1;
}

int PlatformReadKeptGame(std::string* text, std::string* why) {
    if (holdFd < 0) {
        text->clear();
        return 0;
    }
    *text = std::move(held.text);  // taken up once
    *why = held.why;
    return held.result;
}

bool PlatformWriteKeptGame(const std::string& text) {
    if (holdFd < 0 || PlatformSavesFrozen()) return false;
    const std::string path = FilePath(nextFile);
    // Whatever else lies under our own name (a FIFO, a link) is no game.
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) ::unlink(path.c_str());
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    const bool ok = fd >= 0 && WriteAt(fd, Framed(lastSave + 1, text));
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (!ok) {
        WarnOnce("cannot keep the game in " + path + ": " + std::strerror(error ? error : EIO));
        return false;
    }
    lastSave += 1;
    nextFile = 1 - nextFile;
    return true;
}

void PlatformFlushKeptGame() {
    if (holdFd < 0 || PlatformSavesFrozen() || lastSave == 0) return;
    int fd = ::open(FilePath(1 - nextFile).c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
    // A file made in this run reaches the disk with its folder.
    int dir = ::open(Folder().value_or("").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

std::string PlatformKeptGamePlace() {
    return Folder().value_or("") + "/kept-game-[ab].txt";
}
