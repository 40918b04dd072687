// Start-up: the stored settings, the command line, the window's creation,
// the accelerators and a clean exit.
#include <filesystem>
#include <fstream>
#include <optional>

#include "app/about.h"
#include "app/construct.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/state.h"
#include "platform/internal.h"
#include "res/resources.h"
#include "tests/fixture.h"
#include "ui/graphics.h"

namespace {

const std::string kSection = "[Software\\ornit\\vlmra]\n";

class StartupTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        config.emplace();
        RegisterResources();
        ConstructProgram();
    }
    void TearDown() override {
        if (IsWindow(mainWindow)) DestroyWindow(mainWindow);
        HeadlessPump();
        ReleaseProgram();
        config.reset();
    }
    std::string File() const { return config->path + "/velmora/settings.ini"; }
    void Store(const std::string& lines) {
        std::filesystem::create_directories(config->path + "/velmora");
        std::ofstream(File()) << kSection << lines;
    }
    static std::wstring Title() {
        wchar_t text[64] = L"";
        GetWindowTextW(mainWindow, text, 64);
        return text;
    }
    std::optional<TempConfig> config;
};

// What start-up makes of the store, and of a command line. The switch that
// shows the computer's cards is "q7K", case and all, anywhere in the line.
struct StoredCase {
    const char* what;
    const char* store;
    int32_t type = 0;
    int32_t transfer = 0;
    int32_t layout = 4;
    uint32_t background = 0, back = 0, wins = 0;
    const wchar_t* commandLine = L"";
    int32_t faceDown = 1;
};

// clang-format off
const StoredCase kStored[] = {
    {.what = "nothing stored: the defaults", .store = ""},
    {.what = "Bulk with transfer, black, the fish", .store = "type=3\nblackbg=1\nback=1\nstatu=7\n",
     .type = 3, .transfer = 1, .background = 1, .back = 1, .wins = 7, .commandLine = L"abq7Kcd",
     .faceDown = 0},
    {.what = "Bulk without transfer", .store = "type=2\n", .type = 2, .commandLine = L"-x q7K",
     .faceDown = 0},
    {.what = "out of range: the first of each list", .store = "type=9\nblackbg=7\nback=5\n",
     .commandLine = L"q7k"},
    {.what = "hidden opponent's cards", .store = "hidev=5\n", .layout = 5, .commandLine = L"Q7K"},
    {.what = "any other hidev is spread", .store = "hidev=4\n"},
};
// clang-format on

TEST_F(StartupTest, StoredSettingsAreReadOnce) {
    for (const StoredCase& c : kStored) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        Store(c.store);
        EXPECT_EQ(WinMain(GetModuleHandleW(nullptr), nullptr, c.commandLine, SW_SHOW), 0);
        EXPECT_EQ(computerHand.faceDown, c.faceDown);
        EXPECT_EQ(gameType, c.type);
        EXPECT_EQ(transferRule, c.transfer);
        EXPECT_EQ(computerHandLayout, c.layout);
        EXPECT_EQ(computerHand.layoutMode, c.layout);
        EXPECT_EQ(background, c.background);
        EXPECT_EQ(cardBack, c.back);
        EXPECT_EQ(humanWins, c.wins);
        EXPECT_EQ(Title(), GameTypeName(c.type));
        // Out-of-range values too stay in the store as they were.
        std::ifstream file(File());
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), kSection + c.store);
    }
}

// A stored number past its list, from the first on up to the largest the
// store holds, starts the game as nothing stored would: the first type,
// colour and back, and the same title and screen.
TEST_F(StartupTest, NumbersPastTheirListsStartAsTheDefaults) {
    EXPECT_EQ(WinMain(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOW), 0);
    const std::vector<COLORREF> defaults = HeadlessScreen().pixels;
    const std::wstring title = Title();
    for (const auto& [name, first] : {std::pair{"blackbg", 5u}, {"back", 5u}, {"type", 6u}}) {
        for (uint32_t value :
             {first, first + 1, first + 2, 255u, 65536u, 2147483647u, 2147483648u, 4294967295u}) {
            SCOPED_TRACE(testing::Message() << name << "=" << value);
            TearDown();
            SetUp();
            Store(name + ("=" + std::to_string(value)) + "\n");
            EXPECT_EQ(WinMain(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOW), 0);
            EXPECT_EQ(std::tuple(gameType, background, cardBack), std::tuple(0, 0u, 0u));
            EXPECT_EQ(Title(), title);
            EXPECT_EQ(HeadlessMarginColour(), RGB(0, 150, 0));
            EXPECT_TRUE(HeadlessScreen().pixels == defaults) << "not the defaults' screen";
        }
    }
}

// Start-up in its order, seen from the shell calls as they happen: what is
// already done, and what is not yet, at each one. Then N alone, Alt+N and
// Alt+F4.
TEST_F(StartupTest, StartUpRunsInItsOrderAndTheAcceleratorsWork) {
    Store("type=5\nblackbg=2\nback=4\nstatc=3\nstatu=8\nwc=1\ncidc=1\nhidev=5\n");
    std::vector<std::string> walk;
    HeadlessOnShellCall([&](const ShellCall& call) {
        walk.push_back(call.name + " " + std::to_string(call.value));
        if (call.name == "SHCreateMenuBar") {
            // WinMain's steps 1 to 7 are done; WM_CREATE has filled the names.
            EXPECT_EQ(instance, GetModuleHandleW(nullptr));
            EXPECT_NE(std::wstring(aboutText).find(L"Velmora"), std::wstring::npos);
            EXPECT_TRUE(okButtonIcon && takeButtonIcon && sortButtonIcon);
            // Background, back, the two scores, double tap and the count.
            EXPECT_EQ((std::vector<uint32_t>{background, cardBack, computerWins, humanWins,
                                             doubleTapPlay, showCardsLeft}),
                      (std::vector<uint32_t>{2, 4, 3, 8, 1, 1}));
            // The type, its transfer rule, the hidden hand; the switch.
            EXPECT_EQ((std::vector<int32_t>{gameType, transferRule, computerHandLayout,
                                            computerHandFaceDown}),
                      (std::vector<int32_t>{5, 1, 5, 0}));
            EXPECT_EQ(gameTypeNames.count, 6u);
            EXPECT_EQ(Title(), L"Velmora") << "titled with the type only after the bar";
            EXPECT_EQ(humanHand.count, 0) << "nothing dealt yet";
        } else if (call.name == "SHFullScreen" && walk.size() == 2) {
            EXPECT_EQ(Title(), L"Japanese. Transfer");
            EXPECT_EQ(humanHand.count + computerHand.count + computerTable.count, 12)
                << "dealt before going full screen";
            EXPECT_EQ(HeadlessPresentCount(), 0) << "nothing painted inside WM_CREATE";
        } else if (call.name == "CommandBar_Show") {
            EXPECT_EQ(call.hwnd, menuBar);
            EXPECT_TRUE(IsWindowVisible(mainWindow));
            RECT r;
            GetWindowRect(mainWindow, &r);
            EXPECT_EQ(r, (RECT{0, 0, 240, 320}));
            EXPECT_GE(HeadlessPresentCount(), 1) << "UpdateWindow painted before the bar is shown";
        }
    });
    int step = 0;
    uint32_t serial = 0;
    HeadlessSetInputSource([&] {
        switch (step++) {
            case 0: {
                RECT update;
                EXPECT_FALSE(GetUpdateRect(mainWindow, &update, FALSE)) << "every paint ended";
                serial = gameSerial;
                HeadlessKey(WM_KEYDOWN, 'N', 0);
                return true;
            }
            case 1:
                EXPECT_EQ(gameSerial, serial) << "N alone is no command";
                HeadlessKey(WM_SYSKEYDOWN, 'N', KF_ALTDOWN_LPARAM);
                return true;
            case 2:
                EXPECT_EQ(gameSerial, serial + 1) << "Alt+N dealt anew";
                walk.push_back("Alt+F4");
                HeadlessKey(WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN_LPARAM);
                return true;
            default:
                ADD_FAILURE() << "Alt+F4 should have ended the loop";
                return false;
        }
    });
    EXPECT_EQ(WinMain(GetModuleHandleW(nullptr), nullptr, L"run q7K", SW_SHOW), 0);
    HeadlessOnShellCall(nullptr);
    // WM_ACTIVATE re-enters full screen when ShowWindow activates the window.
    EXPECT_EQ(walk, (std::vector<std::string>{"SHCreateMenuBar 102", "SHFullScreen 42",
                                              "SHFullScreen 42", "CommandBar_Show 1", "Alt+F4"}));
    EXPECT_EQ(okButtonIcon, nullptr) << "the icons go after the loop";
    EXPECT_EQ(menuBar != nullptr && IsWindow(menuBar), false);
}

}  // namespace
