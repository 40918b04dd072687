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

fs::perms Mode(const fs::path& file) {
    return fs::status(file).permissions() & fs::perms::all;
}

void PutAt(const fs::path& file, const std::string& text, fs::perms mode) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    fs::permissions(file, mode);
}

// A private copy of a character device, so that a fault can never replace
// the machine's own; the real one where we may not make devices (and so may
// not replace it either).
fs::path Device(const fs::path& home, const char* name, unsigned minor) {
    fs::path copy = home / name;
    if (::mknod(copy.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0) return copy;
    return fs::path("/dev") / name;
}

bool IsLinkTo(const fs::path& link, bool (*kind)(fs::file_status)) {
    return fs::is_symlink(fs::symlink_status(link)) && kind(fs::status(link));
}

struct OddCase {
    const char* what;
    // Puts something at the store's path; the content of any regular file
    // there says "statu=5".
    void (*make)(const fs::path& file, const fs::path& home);
    std::optional<uint32_t> reads;
    const char* warning;  // in the one line on standard error; null for none
    // After two saves of statu=9: empty when all is as it should be.
    std::string (*after)(const fs::path& file, const fs::path& home);
};

const std::string kFive = kHeader + "statu=5\n";
const std::string kNine = kHeader + "statu=9\n";

std::string Expect(bool ok, const char* what) {
    return ok ? "" : what;
}

const OddCase kOddPlaces[] = {
    {"a FIFO", [](const fs::path& file, const fs::path&) { ::mkfifo(file.c_str(), 0600); },
     std::nullopt, "not a regular file",
     [](const fs::path& file, const fs::path&) {
         return Expect(fs::is_fifo(fs::symlink_status(file)), "no longer a FIFO");
     }},
    {"a link to a FIFO",
     [](const fs::path& file, const fs::path& home) {
         ::mkfifo((home / "fifo").c_str(), 0600);
         fs::create_symlink(home / "fifo", file);
     },
     std::nullopt, "not a regular file",
     [](const fs::path& file, const fs::path&) {
         return Expect(IsLinkTo(file, fs::is_fifo), "not a link to a FIFO");
     }},
    {"a link to a null device",
     [](const fs::path& file, const fs::path& home) {
         fs::create_symlink(Device(home, "null", 3), file);
     },
     std::nullopt, "not a regular file",
     [](const fs::path& file, const fs::path& home) {
         return Expect(IsLinkTo(file, fs::is_character_file) &&
                           fs::is_character_file(Device(home, "null", 3)),
                       "the device was replaced");
     }},
    {"a link to a zero device",
     [](const fs::path& file, const fs::path& home) {
         fs::create_symlink(Device(home, "zero", 5), file);
     },
     std::nullopt, "not a regular file",
     [](const fs::path& file, const fs::path&) {
         return Expect(IsLinkTo(file, fs::is_character_file), "the device was replaced");
     }},
    {"a folder", [](const fs::path& file, const fs::path&) { fs::create_directory(file); },
     std::nullopt, "not a regular file",
     [](const fs::path& file, const fs::path&) {
         return Expect(fs::is_directory(fs::symlink_status(file)), "the folder was replaced");
     }},
    {"a link loop",
     [](const fs::path& file, const fs::path&) {
         fs::create_symlink("loop.ini", file);
         fs::create_symlink("settings.ini", file.parent_path() / "loop.ini");
     },
     std::nullopt, "Too many levels of symbolic links",
     [](const fs::path& file, const fs::path&) {
         return Expect(fs::is_symlink(fs::symlink_status(file)) &&
                           fs::is_symlink(fs::symlink_status(file.parent_path() / "loop.ini")),
                       "the loop was replaced");
     }},
    {"a file over 1 MiB",
     [](const fs::path& file, const fs::path&) {
         PutAt(file, kFive + std::string(1 << 20, '#'),
               fs::perms::owner_read | fs::perms::owner_write);
     },
     std::nullopt, "larger than 1 MiB",
     [](const fs::path& file, const fs::path&) {
         return Expect(fs::file_size(file) == kFive.size() + (1 << 20), "the file was rewritten");
     }},
    {"a dangling link: its target is made",
     [](const fs::path& file, const fs::path& home) {
         fs::create_directories(home / "dotfiles");
         fs::create_symlink(home / "dotfiles/velmora.ini", file);
     },
     std::nullopt, nullptr,
     [](const fs::path& file, const fs::path& home) {
         return Expect(fs::is_symlink(fs::symlink_status(file)) &&
                           ReadWhole(home / "dotfiles/velmora.ini") == kNine,
                       "the target was not written through the link");
     }},
    {"a link into dotfiles, read-only",
     [](const fs::path& file, const fs::path& home) {
         PutAt(home / "dotfiles/velmora.ini", kFive, fs::perms::owner_read | fs::perms::group_read);
         fs::create_symlink(home / "dotfiles/velmora.ini", file);
     },
     5, nullptr,
     [](const fs::path& file, const fs::path& home) {
         fs::path target = home / "dotfiles/velmora.ini";
         return Expect(fs::is_symlink(fs::symlink_status(file)) && ReadWhole(target) == kNine &&
                           Mode(target) == (fs::perms::owner_read | fs::perms::group_read) &&
                           fs::directory_iterator(home / "dotfiles") != fs::directory_iterator() &&
                           std::distance(fs::directory_iterator(home / "dotfiles"),
                                         fs::directory_iterator()) == 1,
                       "the target, its mode or its folder is wrong");
     }},
    {"a chain of relative links",
     [](const fs::path& file, const fs::path& home) {
         PutAt(home / "dotfiles/v.ini", kFive,
               fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
         fs::create_symlink("../dotfiles/v.ini", file.parent_path() / "mid.ini");
         fs::create_symlink("mid.ini", file);
     },
     5, nullptr,
     [](const fs::path& file, const fs::path& home) {
         return Expect(
             fs::is_symlink(fs::symlink_status(file)) &&
                 fs::is_symlink(fs::symlink_status(file.parent_path() / "mid.ini")) &&
                 ReadWhole(home / "dotfiles/v.ini") == kNine &&
                 Mode(home / "dotfiles/v.ini") ==
                     (fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read),
             "a link, the target or its mode is wrong");
     }},
};

// Nothing at the store's path may block, crash or be written over, and the
// reason is given once, whatever the number of reads and saves.
TEST_F(StoreTest, OddPlacesAreReadSafelyAndNeverReplaced) {
    for (const OddCase& c : kOddPlaces) {
        SCOPED_TRACE(c.what);
        UseHome("/tmp");
        fs::create_directories(Folder());
        c.make(File(), home);
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
        } else {
            EXPECT_EQ(err, "");
        }
        EXPECT_EQ(c.after(File(), home), "");
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
