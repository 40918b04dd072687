// The store as the running program uses it beside other copies of itself:
// option changes and wins from every copy kept, a held lock costing one
// wait per action, and a file the game could not read back never written.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "app/settings.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/gameover.h"
#include "game/state.h"
#include "tests/dialog_steps.h"
#include "tests/game_fixture.h"

namespace {

namespace fs = std::filesystem;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

constexpr UINT kOptions = 40014;
constexpr UINT kStatistics = 40015;
constexpr int kCardsLeft = 1011;
constexpr int kDoubleTap = 1008;
constexpr int kGameTypes = 1015;
const std::string kHeader = "[Software\\ornit\\vlmra]\n";

int Threads() {
    int n = 0;
    if (DIR* dir = ::opendir("/proc/self/task")) {
        while (dirent* entry = ::readdir(dir))
            n += entry->d_name[0] != '.';
        ::closedir(dir);
    }
    return n;
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class StoreCopiesTest : public GameTest {
  protected:
    fs::path File() const { return fs::path(configDir) / "velmora" / "settings.ini"; }
    void Put(const std::string& text) const {
        fs::create_directories(File().parent_path());
        std::ofstream(File(), std::ios::binary) << text;
    }
    std::string Get() const {
        std::ifstream in(File(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::map<std::string, std::string> Stored() const { return StoredValues(configDir); }
    // Another copy, forked from this one as it stands, that runs steps and ends.
    static void InAnotherCopy(const std::function<void()>& steps) {
        pid_t copy = fork();
        ASSERT_GE(copy, 0);
        if (copy == 0) {
            steps();
            _exit(testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(copy, &status, 0), copy);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
};

// Options OK with the game type picked, or with "cards left" ticked.
void PickTypeThree() {
    RunCommand(mainWindow, kOptions,
               {[] { TapControl(kGameTypes); }, [] { TapItem(kGameTypes, 3); },
                [] { PressKey(VK_RETURN); }});
}
void TickCardsLeft() {
    RunCommand(mainWindow, kOptions, {[] { TapControl(kCardsLeft); }, [] { PressKey(VK_RETURN); }});
}

// Two copies started on one store each change one option: in either order,
// both changes are kept, and each copy runs on with what it chose.
TEST_F(StoreCopiesTest, EachCopysOptionChangeStands) {
    const struct {
        const char* what;
        void (*thisCopy)();
        void (*otherCopy)();
    } orders[] = {{"the type here, cards left there", PickTypeThree, TickCardsLeft},
                  {"cards left here, the type there", TickCardsLeft, PickTypeThree}};
    for (const auto& order : orders) {
        SCOPED_TRACE(order.what);
        Put(kHeader + "type=0\ncidc=0\nwc=1\n");
        gameType = 0;
        showCardsLeft = 0;
        doubleTapPlay = 1;
        InAnotherCopy(order.otherCopy);
        order.thisCopy();
        std::map<std::string, std::string> stored = Stored();
        EXPECT_EQ(stored["type"], "3");
        EXPECT_EQ(stored["cidc"], "1");
        EXPECT_EQ(stored["wc"], "1");
        EXPECT_EQ(stored["hidev"], "4") << "a value missing from the store is filled in";
        EXPECT_EQ(gameType, order.thisCopy == PickTypeThree ? 3 : 0);
        EXPECT_EQ(showCardsLeft, order.thisCopy == TickCardsLeft ? 1u : 0u);
    }
}

// A win adds to what the store holds, and the game's counter takes the
// total; Statistics shows the totals afresh.
TEST_F(StoreCopiesTest, WinsAddToTheStoredTotal) {
    Put(kHeader + "statc=10\nstatu=20\n");
    computerWins = 3;  // this copy read its counts long ago
    humanWins = 4;
    SetFreshStock(0);
    trumpCard.hidden = 1;
    Deal(humanHand, "");
    Deal(computerHand, "6H");
    CheckGameOver();
    EXPECT_EQ(humanWins, 21u);
    EXPECT_EQ(Stored()["statu"], "21");
    EXPECT_EQ(Stored()["statc"], "10");
    Put(kHeader + "statc=12\nstatu=30\n");
    wchar_t shown[100] = L"";
    RunCommand(mainWindow, kStatistics, {[&] {
                   GetWindowTextW(GetDlgItem(GetForegroundWindow(), 1005), shown, 100);
                   PressKey(VK_RETURN);
               }});
    EXPECT_EQ(std::wstring(shown), L"12\n30");
    EXPECT_EQ(computerWins, 12u);
}

// Another copy holds the lock (stopped with Ctrl+Z mid-save): Options OK,
// with its several saves, waits about a second in all, says so once, and
// leaves nothing waiting on the lock.
TEST_F(StoreCopiesTest, AHeldLockCostsOneWaitPerAction) {
    Put(kHeader + "cidc=0\n");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        int fd = ::open((File().string() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(ready[1], "x", 1) != 1) _exit(1);
        ::pause();
        _exit(0);
    }
    char byte;
    ::close(ready[1]);
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    const int threads = Threads();
    CaptureStderr();
    // The dialog's own work takes milliseconds: the rest is waiting.
    auto start = std::chrono::steady_clock::now();
    RunCommand(mainWindow, kOptions,
               {[] { TapControl(kCardsLeft); }, [] { TapControl(kDoubleTap); },
                [] { PressKey(VK_RETURN); }});
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::string err = GetCapturedStderr();
    const int threadsAfter = Threads();
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_LT(seconds, 1.5);
    EXPECT_EQ(Lines(err), 1) << err;
    EXPECT_NE(err.find("over a second"), std::string::npos) << err;
    EXPECT_EQ(threadsAfter, threads) << "a thread still waits on the lock";
    EXPECT_EQ(showCardsLeft, 1u) << "the game runs on with the change";
    EXPECT_EQ(Get(), kHeader + "cidc=0\n");
    // The next action asks afresh, and the lock is free.
    RunCommand(mainWindow, kOptions, {[] { TapControl(kDoubleTap); }, [] { PressKey(VK_RETURN); }});
    EXPECT_EQ(Stored()["wc"], "0");
}

// A file a few bytes under the largest the game reads: a save that would
// take it past that is refused, so the next start still reads it.
TEST_F(StoreCopiesTest, NoSaveGrowsTheFilePastWhatIsRead) {
    std::string text = kHeader + "back=2\nstatu=7\n";
    const size_t largest = 1 << 20;
    while (text.size() < largest - 3)
        text += std::string(std::min<size_t>(99, largest - 3 - text.size() - 1), '#') + "\n";
    Put(text);
    CaptureStderr();
    TickCardsLeft();
    std::string err = GetCapturedStderr();
    EXPECT_EQ(Lines(err), 1) << err;
    EXPECT_NE(err.find("1 MiB"), std::string::npos) << err;
    EXPECT_TRUE(Get() == text) << "the file changed";
    EXPECT_EQ(LoadSetting(L"back"), 2u);
    EXPECT_EQ(LoadSetting(L"statu"), 7u);
}

}  // namespace
