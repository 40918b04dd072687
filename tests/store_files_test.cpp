// The store against odd files, other running copies and writers killed in
// the middle of a save.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "tests/store_fixture.h"

namespace {

namespace fs = std::filesystem;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// A private copy of a character device, so that a fault can never replace
// the machine's own; the real one where we may not make devices (and so may
// not replace it either).
fs::path Device(const fs::path& home, const char* name, unsigned minor) {
    fs::path copy = home / name;
    if (::mknod(copy.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0) return copy;
    return fs::path("/dev") / name;
}

void Link(const fs::path& target, const fs::path& link) {
    fs::create_directories(link.parent_path());
    fs::create_symlink(target, link);
}

// What stands at a path and where its links lead, to see that nothing changed.
std::string Shape(const fs::path& path) {
    std::string shape;
    fs::path at = path;
    for (int hop = 0; hop < 4; ++hop) {
        fs::file_status status = fs::symlink_status(at);
        shape += std::to_string(static_cast<int>(status.type())) + ":" +
                 std::to_string(static_cast<int>(status.permissions())) + " ";
        if (fs::is_regular_file(status)) shape += ReadWhole(at);
        if (!fs::is_symlink(status)) break;
        fs::path next = fs::read_symlink(at);
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return shape;
}

const std::string kFive = kHeader + "statu=5\n";
const std::string kNine = kHeader + "statu=9\n";
constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::group_read;
constexpr fs::perms kShared =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;

struct OddCase {
    const char* what;
    // Puts something at the store's path (file) in the folder home.
    void (*make)(const fs::path& file, const fs::path& home);
    std::optional<uint32_t> reads = std::nullopt;
    const char* warning = nullptr;  // in the one line on standard error
    // The file under home a save replaces, keeping its mode and the links;
    // null: nothing there may change.
    const char* writesTo = nullptr;
};

const OddCase kOddPlaces[] = {
    {.what = "a FIFO",
     .make = [](const fs::path& file, const fs::path&) { ::mkfifo(file.c_str(), 0600); },
     .warning = "not a regular file"},
    {.what = "a link to a FIFO",
     .make =
         [](const fs::path& file, const fs::path& home) {
             ::mkfifo((home / "fifo").c_str(), 0600);
             Link(home / "fifo", file);
         },
     .warning = "not a regular file"},
    {.what = "a link to a null device",
     .make = [](const fs::path& file,
                const fs::path& home) { Link(Device(home, "null", 3), file); },
     .warning = "not a regular file"},
    {.what = "a link to a zero device",
     .make = [](const fs::path& file,
                const fs::path& home) { Link(Device(home, "zero", 5), file); },
     .warning = "not a regular file"},
    {.what = "a folder",
     .make = [](const fs::path& file, const fs::path&) { fs::create_directory(file); },
     .warning = "not a regular file"},
    {.what = "a link loop",
     .make =
         [](const fs::path& file, const fs::path&) {
             Link("loop.ini", file);
             Link("settings.ini", file.parent_path() / "loop.ini");
         },
     .warning = "Too many levels of symbolic links"},
    {.what = "a file over 1 MiB",
     .make =
         [](const fs::path& file, const fs::path&) {
             std::ofstream(file, std::ios::binary) << kFive << std::string(1 << 20, '#');
         },
     .warning = "larger than 1 MiB"},
    {.what = "a dangling link: its target is made",
     .make =
         [](const fs::path& file, const fs::path& home) {
             fs::create_directories(home / "dotfiles");
             Link(home / "dotfiles/velmora.ini", file);
         },
     .writesTo = "dotfiles/velmora.ini"},
    {.what = "a link into dotfiles, read-only",
     .make =
         [](const fs::path& file, const fs::path& home) {
             fs::create_directories(home / "dotfiles");
             Link(home / "dotfiles/velmora.ini", file);
             std::ofstream(home / "dotfiles/velmora.ini") << kFive;
             fs::permissions(home / "dotfiles/velmora.ini", kReadOnly);
         },
     .reads = 5,
     .writesTo = "dotfiles/velmora.ini"},
    {.what = "a chain of relative links",
     .make =
         [](const fs::path& file, const fs::path& home) {
             Link("../dotfiles/v.ini", file.parent_path() / "mid.ini");
             Link("mid.ini", file);
             fs::create_directories(home / "dotfiles");
             std::ofstream(home / "dotfiles/v.ini") << kFive;
             fs::permissions(home / "dotfiles/v.ini", kShared);
         },
     .reads = 5,
     .writesTo = "dotfiles/v.ini"},
};

// Nothing at the store's path may block, crash or be written over but a
// regular file, and the reason is given once, whatever the number of reads
// and saves. A link stays a link and its target keeps its mode.
TEST_F(StoreTest, OddPlacesAreReadSafelyAndNeverReplaced) {
    for (const OddCase& c : kOddPlaces) {
        SCOPED_TRACE(c.what);
        UseHome("/tmp");
        fs::create_directories(Folder());
        c.make(File(), home);
        fs::path target = c.writesTo ? home / c.writesTo : fs::path();
        const fs::perms mode = fs::exists(target) ? fs::status(target).permissions()
                                                  : fs::perms::owner_read | fs::perms::owner_write;
        std::string before = Shape(File());
        ::alarm(30);  // a read that blocks ends the test instead of hanging it
        CaptureStderr();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Query(L"statu"), c.reads);
        SaveSetting(9, L"statu");
        SaveSetting(9, L"statu");
        std::string err = GetCapturedStderr();
        ::alarm(0);
        if (c.warning) {
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
            EXPECT_NE(err.find(c.warning), std::string::npos) << err;
            EXPECT_NE(err.find(File().string()), std::string::npos) << err;
            EXPECT_EQ(Shape(File()), before);
        } else {
            EXPECT_EQ(err, "");
            EXPECT_TRUE(fs::is_symlink(fs::symlink_status(File())));
            EXPECT_EQ(ReadWhole(target), kNine);
            EXPECT_EQ(fs::status(target).permissions(), mode);
            EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), {}), 1);
        }
    }
}

struct LeftCase {
    const char* name;
    bool folder;
    bool held;  // a live writer has it open and locked
    bool removed;
};

// A writer killed in the middle of a save leaves its temporary file; the next
// save removes those of our naming that no writer holds, and nothing else.
TEST_F(StoreTest, NextSaveRemovesAbandonedTemporaryFiles) {
    const LeftCase cases[] = {
        {"settings.ini.Ab12Z9", false, false, true},   {"settings.ini.aaaaaa", false, false, true},
        {"settings.ini.Held01", false, true, false},   {"settings.ini.Dir001", true, false, false},
        {"settings.ini.bak", false, false, false},     {"settings.ini.Ab12Z", false, false, false},
        {"settings.ini.Ab12Z99", false, false, false}, {"settings.ini.Ab-2Z9", false, false, false},
        {"other.ini.Ab12Z9", false, false, false},
    };
    Put(kFive);
    std::vector<int> held;
    for (const LeftCase& c : cases) {
        fs::path path = Folder() / c.name;
        if (c.folder) {
            fs::create_directory(path);
            continue;
        }
        std::ofstream(path) << "x";
        if (c.held) {
            held.push_back(::open(path.c_str(), O_RDONLY));
            ASSERT_EQ(::flock(held.back(), LOCK_EX), 0);
        }
    }
    SaveSetting(9, L"statu");
    for (const LeftCase& c : cases)
        EXPECT_EQ(fs::exists(Folder() / c.name), !c.removed) << c.name;
    EXPECT_EQ(Get(), kNine);
    for (int fd : held)
        ::close(fd);
}

// Each copy writes only its own values, many times over, at the same time as
// the other; afterwards every value is the last one its writer wrote.
TEST_F(StoreTest, TwoCopiesNeverUndoEachOthersWrites) {
    if (fs::is_directory("/dev/shm")) UseHome("/dev/shm");
    const wchar_t* names[2][4] = {{L"type", L"hidev", L"cidc", L"wc"},
                                  {L"statc", L"statu", L"blackbg", L"back"}};
    constexpr uint32_t kRounds = 8;
    int lost = 0;
    for (int run = 0; run < 100 && lost == 0; ++run) {
        fs::remove(File());
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        pid_t writers[2];
        for (int w = 0; w < 2; ++w) {
            writers[w] = fork();
            ASSERT_GE(writers[w], 0);
            if (writers[w] == 0) {
                char go;
                ::close(start[1]);
                if (::read(start[0], &go, 1) != 0) _exit(2);  // both start when the pipe closes
                for (uint32_t round = 1; round <= kRounds; ++round)
                    for (uint32_t i = 0; i < 4; ++i)
                        SaveSetting(round * 16 + i, names[w][i]);
                _exit(0);
            }
        }
        ::close(start[0]);
        ::close(start[1]);
        for (pid_t writer : writers) {
            int status = 0;
            ASSERT_EQ(waitpid(writer, &status, 0), writer);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        for (int w = 0; w < 2; ++w)
            for (uint32_t i = 0; i < 4; ++i)
                if (Query(names[w][i]) != kRounds * 16 + i) {
                    ADD_FAILURE() << "run " << run << ": value " << i << " of writer " << w
                                  << " was lost:\n"
                                  << Get();
                    ++lost;
                }
    }
    EXPECT_EQ(lost, 0);
}

struct HoldCase {
    const char* what;
    int holdMs;  // how long another copy keeps the lock; -1 until it is killed
    bool saved;
};

// A copy that holds the lock (stopped with Ctrl+Z in the middle of a save)
// costs a save at most a second and one line on standard error.
TEST_F(StoreTest, AHeldLockIsWaitedForAtMostASecond) {
    const HoldCase cases[] = {
        {"released within the second", 200, true},
        {"held on", -1, false},
    };
    for (const HoldCase& c : cases) {
        SCOPED_TRACE(c.what);
        UseHome("/tmp");
        SaveSetting(1, L"statu");
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t holder = fork();
        ASSERT_GE(holder, 0);
        if (holder == 0) {
            int fd = ::open((Folder() / "settings.ini.lock").c_str(), O_RDWR | O_CREAT, 0600);
            if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(ready[1], "x", 1) != 1) _exit(1);
            c.holdMs < 0 ? ::pause() : ::usleep(static_cast<useconds_t>(c.holdMs) * 1000);
            _exit(0);
        }
        char byte;
        ::close(ready[1]);
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        CaptureStderr();
        auto start = std::chrono::steady_clock::now();
        SaveSetting(2, L"statu");
        SaveSetting(3, L"statu");
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::string err = GetCapturedStderr();
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);

        EXPECT_LT(seconds, 10.0);  // gave up rather than hung
        EXPECT_EQ(Query(L"statu"), c.saved ? 3u : 1u);
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), c.saved ? 0 : 1) << err;
        if (!c.saved) {
            EXPECT_NE(err.find("over a second"), std::string::npos) << err;
        }
        SaveSetting(4, L"statu");  // the lock is free again
        EXPECT_EQ(Query(L"statu"), 4u);
    }
}

// kill -9 at random moments of a copy that saves without pause: the file is
// always whole, and one more save leaves nothing but the file.
TEST_F(StoreTest, WritersKilledMidSaveLeaveNothingBehind) {
    SaveSetting(0, L"statu");
    unsigned seed = 1;
    int abandoned = 0;
    for (int i = 0; i < 30; ++i) {
        pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0)
            for (uint32_t n = 1;; ++n)
                SaveSetting(n, L"statu");
        seed = seed * 1103515245 + 12345;
        ::usleep(500 + (seed >> 16) % 4000);
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        EXPECT_TRUE(Query(L"statu").has_value()) << Get();
        abandoned += static_cast<int>(FolderEntries().size()) - 1;
    }
    SaveSetting(7, L"statu");
    EXPECT_EQ(FolderEntries(), std::set<std::string>{"settings.ini"}) << abandoned;
    EXPECT_EQ(Get(), kHeader + "statu=7\n");
}

}  // namespace
