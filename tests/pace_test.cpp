// Pauses that let the player follow the computer's moves: where they fall,
// how long they last, and what cuts them short.
#include "game/pace.h"
#include "app/settings.h"
#include "app/shell.h"
#include "platform/internal.h"
#include "tests/game_fixture.h"

namespace {

class PaceTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        HeadlessSetPauses(true);
        HeadlessClearPauses();
        moveSerial = gameSerial;
    }
    static std::vector<std::string> Pauses() {
        std::vector<std::string> out;
        for (const PauseRecord& p : HeadlessPauses())
            out.push_back(p.what + " " + std::to_string(p.ms) +
                          (p.screenCurrent ? "" : " unpainted"));
        HeadlessClearPauses();
        return out;
    }
};

TEST_F(PaceTest, LengthsAtEachPace) {
    const struct {
        int32_t pace;
        uint32_t computer, yours, table;
    } kPaces[] = {{.pace = PaceOff, .computer = 0, .yours = 0, .table = 0},
                  {.pace = PaceNormal, .computer = 350, .yours = 150, .table = 600},
                  {.pace = PaceSlow, .computer = 700, .yours = 300, .table = 1200}};
    for (const auto& p : kPaces) {
        EXPECT_EQ(PauseLength(PauseComputerCard, p.pace), p.computer) << p.pace;
        EXPECT_EQ(PauseLength(PauseYourCard, p.pace), p.yours) << p.pace;
        EXPECT_EQ(PauseLength(PauseTableDone, p.pace), p.table) << p.pace;
    }
}

// The player's card, then the computer's cover, each in view; the beaten
// table before it is cleared. The repaint comes before each pause.
TEST_F(PaceTest, ABoutPausesAfterEachCardAndBeforeTheClear) {
    LayTable("6D 9C", "", "", "7D KS");
    Select("6D");
    TapTable();
    EXPECT_EQ(Pauses(), (std::vector<std::string>{"your card 150", "computer card 350"}));
    TapLowerButton();  // the bout is beaten: done, and the computer leads
    EXPECT_EQ(Pauses(), (std::vector<std::string>{"table done 600", "computer card 350"}));
}

TEST_F(PaceTest, NoPauseWhenOffCutOrAfterANewDeal) {
    const struct {
        const char* what;
        std::function<void()> before;
    } kCases[] = {
        {"pace off", [] { pace = PaceOff; }},
        {"a tap waiting", [] { HeadlessPointer(WM_LBUTTONDOWN, 5, 5); }},
        {"a key waiting", [] { HeadlessKey(WM_KEYDOWN, VK_SPACE, 0); }},
        {"a close request", [] { HeadlessRequestClose(); }},
        {"a new deal in the move", [] { ++gameSerial; }},
        {"pauses off in the backend", [] { HeadlessSetPauses(false); }},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        pace = PaceNormal;
        HeadlessSetPauses(true);
        moveSerial = gameSerial;
        c.before();
        PauseFor(PauseComputerCard);
        EXPECT_EQ(Pauses(), std::vector<std::string>{});
        Layer().input.clear();
        Layer().closePending = false;
    }
    // A release still waiting from the press that began the move cuts nothing.
    HeadlessSetPauses(true);
    HeadlessPointer(WM_LBUTTONUP, 5, 5);
    HeadlessKey(WM_KEYDOWN, VK_RIGHT, KF_REPEAT_LPARAM);
    PauseFor(PauseComputerCard);
    EXPECT_EQ(Pauses(), std::vector<std::string>{"computer card 350"});
}

// A box covers the table: the move behind it goes on without pauses.
TEST_F(PaceTest, NoPauseUnderABox) {
    StepInput steps({[] {
                         PauseFor(PauseComputerCard);
                         EXPECT_EQ(HeadlessPauses().size(), 0u);
                     },
                     [] { PressKey(VK_RETURN); }});
    MessageBoxW(mainWindow, L"Transfer?", L"", MB_YESNO);
    EXPECT_TRUE(steps.Done());
}

}  // namespace

namespace {

// The Pace menu's choice takes effect, is kept in the window's own section
// (never among the game's eight values) and carries the check mark.
TEST_F(PaceTest, TheMenuChoiceIsKeptAndChecked) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuBar, SHCMBM_GETMENU, 0, 0));
    const struct {
        UINT command;
        int32_t pace;
        uint32_t stored;
    } kChoices[] = {{40022, PaceSlow, 3}, {40020, PaceOff, 1}, {40021, PaceNormal, 2}};
    for (const auto& c : kChoices) {
        SendMessageW(mainWindow, WM_COMMAND, c.command, 0);
        EXPECT_EQ(pace, c.pace) << c.command;
        EXPECT_EQ(LoadSetting(L"pace", L"Software\\ornit\\vlmra\\Window"), c.stored);
        EXPECT_EQ(LoadSetting(L"pace"), 0u) << "among the game's values";
        for (UINT id : {40020u, 40021u, 40022u}) {
            const DWORD was = CheckMenuItem(menu, id, id == c.command ? MF_CHECKED : MF_UNCHECKED);
            EXPECT_EQ(was, id == c.command ? MF_CHECKED : MF_UNCHECKED) << id;
        }
    }
    EXPECT_EQ(CheckMenuItem(menu, 40012, MF_CHECKED), MF_UNCHECKED) << "New has no mark";
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_CHECKED), static_cast<DWORD>(-1)) << "no such item";
}

}  // namespace
