// The store against odd files, other running copies and writers killed in
// the middle of a save.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <iterator>

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

// Makes the folders up to path and gives it back.
fs::path Made(const fs::path& path) {
    fs::create_directories(path.parent_path());
    return path;
}

void Link(const fs::path& target, const fs::path& link) {
    fs::create_symlink(target, Made(link));
}

fs::path Fifo(const fs::path& path) {
    ::mkfifo(path.c_str(), 0600);
    return path;
}

fs::path Write(const fs::path& path, const std::string& text, fs::perms mode) {
    std::ofstream(Made(path), std::ios::binary) << text;
    fs::permissions(path, mode);
    return path;
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

using P = const fs::path&;
const char* const kNotRegular = "not a regular file";

struct OddCase {
    const char* what;
    // Puts something at the store's path (f) in the folder h.
    void (*make)(P f, P h);
    std::optional<uint32_t> reads = std::nullopt;
    // The file under home a save replaces, keeping its mode and the links;
    // null: nothing there may change, and the one line on standard error
    // gives the warning.
    const char* writesTo = nullptr;
    const char* warning = kNotRegular;
};

const OddCase kOddPlaces[] = {
    {.what = "a FIFO", .make = [](P f, P) { Fifo(f); }},
    {.what = "a link to a FIFO", .make = [](P f, P h) { Link(Fifo(h / "fifo"), f); }},
    {.what = "a link to a null device", .make = [](P f, P h) { Link(Device(h, "null", 3), f); }},
    {.what = "a link to a zero device", .make = [](P f, P h) { Link(Device(h, "zero", 5), f); }},
    {.what = "a folder", .make = [](P f, P) { fs::create_directory(f); }},
    {.what = "a link loop",
     .make =
         [](P f, P) {
             Link("loop.ini", f);
             Link("settings.ini", f.parent_path() / "loop.ini");
         },
     .warning = "Too many levels of symbolic links"},
    {.what = "a file over 1 MiB",
     .make = [](P f, P) { Write(f, kFive + std::string(1 << 20, '#'), kShared); },
     .warning = "larger than 1 MiB"},
    {.what = "a dangling link: its target is made",
     .make = [](P f, P h) { Link(Made(h / "dotfiles/velmora.ini"), f); },
     .writesTo = "dotfiles/velmora.ini"},
    {.what = "a read-only file",
     .make = [](P f, P) { Write(f, kFive, fs::perms::owner_read | fs::perms::others_write); },
     .reads = 5,
     .warning = "read-only"},
    {.what = "a link into dotfiles, read-only",
     .make = [](P f, P h) { Link(Write(h / "dotfiles/velmora.ini", kFive, kReadOnly), f); },
     .reads = 5,
     .warning = "read-only"},
    {.what = "a link into dotfiles",
     .make = [](P f, P h) { Link(Write(h / "dotfiles/velmora.ini", kFive, kShared), f); },
     .reads = 5,
     .writesTo = "dotfiles/velmora.ini"},
    {.what = "a chain of relative links",
     .make =
         [](P f, P h) {
             Link("../dotfiles/v.ini", f.parent_path() / "mid.ini");
             Link("mid.ini", f);
             Write(h / "dotfiles/v.ini", kFive, kShared);
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
        if (!c.writesTo) {
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

// Names beside the store that are the player's, never the store's: backups,
// notes, an editor's leftovers and files of the store's own older naming.
const char* const kNeighbours[] = {"settings.ini.backup",
                                   "settings.ini.mynote",
                                   "settings.ini.bak",
                                   "settings.ini~",
                                   "settings.ini.123456",
                                   "settings.ini.Ab12Z9",
                                   "#settings.ini#",
                                   ".settings.ini.swp",
                                   "settings.ini.velmora-Ab12Z9",
                                   ".settings.ini.velmora-Ab12Z",
                                   ".settings.ini.velmora-Ab12Z99",
                                   ".settings.ini.velmora-Ab-2Z9",
                                   ".other.ini.velmora-Ab12Z9",
                                   "velmora.ini.abcdef",
                                   "xsettings.ini.velmora-Ab12Z9"};

// A writer that saves without pause, killed at a random moment.
void KillMidSave(unsigned* seed) {
    pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0)
        for (uint32_t n = 1;; ++n)
            SaveSetting(n, L"statu");
    *seed = *seed * 1103515245 + 12345;
    ::usleep(500 + (*seed >> 16) % 4000);
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
}

// Whatever else stands beside the store, or beside a link's target, survives
// any number of saves, killed ones included; only the store's own abandoned
// temporary files go, and never one a live writer holds.
TEST_F(StoreTest, NeighboursSurviveEverySave) {
    const struct {
        const char* what;
        const char* file;  // the file a save replaces, under home
        bool linked;
    } layouts[] = {{"the file itself", "velmora/settings.ini", false},
                   {"through a link", "dotfiles/velmora.ini", true}};
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.what);
        UseHome("/tmp");
        const fs::path target = Made(home / layout.file);
        if (layout.linked) Link(target, File());
        std::ofstream(target) << kFive;
        std::set<fs::path> expected = {target};
        for (const fs::path& folder : {Folder(), target.parent_path()})
            for (const char* name : kNeighbours) {
                std::ofstream(folder / name) << name;
                expected.insert(folder / name);
            }
        const std::string base = target.filename().string();
        // A live writer's temporary file, locked, and a folder named like one.
        const fs::path held = target.parent_path() / ("." + base + ".velmora-Held01");
        fs::create_directory(target.parent_path() / ("." + base + ".velmora-Dir001"));
        expected.insert(target.parent_path() / ("." + base + ".velmora-Dir001"));
        std::ofstream(held) << "x";
        expected.insert(held);
        int holder = ::open(held.c_str(), O_RDONLY);
        ASSERT_EQ(::flock(holder, LOCK_EX), 0);
        // And two abandoned ones, which the next save removes.
        for (const char* tail : {"Ab12Z9", "aaaaaa"})
            std::ofstream(target.parent_path() / ("." + base + ".velmora-" + tail)) << "x";

        unsigned seed = 1;
        for (int save = 0; save < 100; ++save)
            save % 3 == 0 ? KillMidSave(&seed) : (void)SaveSetting(1000 + save, L"statc");
        SaveSetting(7, L"statu");
        ::close(holder);

        std::set<fs::path> found;
        for (const fs::path& folder : {Folder(), target.parent_path()})
            for (const auto& entry : fs::directory_iterator(folder))
                if (entry.path().filename() != "settings.ini.lock" &&
                    !(layout.linked && entry.path() == File()))
                    found.insert(entry.path());
        EXPECT_EQ(found, expected);
        for (const char* name : kNeighbours)
            EXPECT_EQ(ReadWhole(target.parent_path() / name), name);
        EXPECT_EQ(Query(L"statu"), 7u);
        EXPECT_EQ(Query(L"statc"), 1098u);
    }
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
                lost += Query(names[w][i]) != kRounds * 16 + i;
        EXPECT_EQ(lost, 0) << "run " << run << " lost writes:\n" << Get();
    }
}

// A copy that holds the lock (stopped with Ctrl+Z in the middle of a save)
// costs a save at most a second and one line on standard error.
TEST_F(StoreTest, AHeldLockIsWaitedForAtMostASecond) {
    const struct {
        const char* what;
        int holdMs;  // how long another copy keeps the lock; -1 until it is killed
        bool saved;
    } cases[] = {
        {.what = "released within the second", .holdMs = 200, .saved = true},
        {.what = "held on", .holdMs = -1, .saved = false},
    };
    for (const auto& c : cases) {
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
        EXPECT_EQ(err.find("over a second") != std::string::npos, !c.saved) << err;
        SaveSetting(4, L"statu");  // the lock is free again
        EXPECT_EQ(Query(L"statu"), 4u);
    }
}

}  // namespace
