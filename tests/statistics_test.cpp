// The Statistics dialog on the running program: the counts, Clear, and the
// keys that close it without clearing.
#include "app/settings.h"
#include "app/shell.h"
#include "game/state.h"
#include "tests/dialog_steps.h"
#include "tests/game_fixture.h"

namespace {

constexpr UINT kStatistics = 40015;

std::wstring Counts() {
    wchar_t text[100] = L"";
    GetWindowTextW(GetDlgItem(GetForegroundWindow(), 1005), text, 100);
    return text;
}

class StatisticsTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        SetScore();
    }
    static void SetScore() {
        computerWins = 3;
        humanWins = 5;
        SaveSetting(3, L"statc");
        SaveSetting(5, L"statu");
    }
    std::map<std::string, std::string> Stored() const { return StoredValues(configDir); }
};

struct PressCase {
    const char* what;
    std::function<void()> press;
    bool clears;  // else it closes the dialog
};

// Each starts with the focus on Clear; Escape then closes what stays open.
TEST_F(StatisticsTest, ClearZeroesScreenAndStoreAndEnterClosesWithoutClearing) {
    // The other ways to close a dialog are the dialog layer's own.
    const PressCase cases[] = {
        {"a tap on Clear", [] { TapControl(1012); }, true},
        {"Space", [] { PressKey(VK_SPACE); }, true},
        {"Enter is OK, not Clear", [] { PressKey(VK_RETURN); }, false},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetScore();
        int focus = 0, open = 0;
        std::wstring before, after;
        std::map<std::string, std::string> stored;
        std::vector<std::function<void()>> steps{[&] {
            focus = HeadlessFocusedControl();
            before = Counts();
            c.press();
        }};
        if (c.clears) {
            steps.push_back([&] {
                after = Counts();
                open = HeadlessOpenDialog();
                stored = Stored();
                PressKey(VK_ESCAPE);
            });
        }
        RunCommand(mainWindow, kStatistics, steps);
        EXPECT_EQ(focus, 1012);
        EXPECT_EQ(before, L"3\n5") << "the computer's count first";
        EXPECT_EQ(HeadlessOpenDialog(), -1);
        if (c.clears) {
            EXPECT_EQ(after, L"0\n0");
            EXPECT_EQ(open, 131);
            EXPECT_EQ(stored, (std::map<std::string, std::string>{{"statc", "0"}, {"statu", "0"}}));
        }
        // Closing afterwards brings nothing back.
        EXPECT_EQ(computerWins, c.clears ? 0u : 3u);
        EXPECT_EQ(humanWins, c.clears ? 0u : 5u);
        EXPECT_EQ(Stored(), (std::map<std::string, std::string>{{"statc", c.clears ? "0" : "3"},
                                                                {"statu", c.clears ? "0" : "5"}}));
    }
}

struct PlaceCase {
    int ownerWidth, ownerHeight;
    bool fitsAcross, fitsDown;
};

// Centred over the owner's client area; on an axis where it does not fit
// it is placed at 0.
TEST_F(StatisticsTest, CentredOverTheOwnerOrAtZeroWhereItDoesNotFit) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const PlaceCase cases[] = {
        {w, h, true, true},
        {w / 3, h, false, true},
        {w, h / 10, true, false},
        {w / 3, h / 10, false, false},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.ownerWidth) + " x " + std::to_string(c.ownerHeight));
        SetWindowPos(mainWindow, nullptr, 0, 0, c.ownerWidth, c.ownerHeight,
                     SWP_NOZORDER | SWP_NOMOVE);
        RECT box{}, clear{};
        RunCommand(mainWindow, kStatistics, {[&] {
                       GetWindowRect(GetForegroundWindow(), &box);
                       HeadlessControlRect(1012, &clear);
                       PressKey(VK_ESCAPE);
                   }});
        int bw = box.right - box.left, bh = box.bottom - box.top;
        EXPECT_EQ(c.fitsAcross, bw <= c.ownerWidth);
        EXPECT_EQ(c.fitsDown, bh <= c.ownerHeight);
        EXPECT_EQ(box.left, c.fitsAcross ? (c.ownerWidth - bw) / 2 : 0);
        EXPECT_EQ(box.top, c.fitsDown ? (c.ownerHeight - bh) / 2 : 0);
        // The controls moved with the dialog.
        EXPECT_TRUE(clear.left > box.left && clear.right < box.right);
        EXPECT_TRUE(clear.top > box.top && clear.bottom < box.bottom);
    }
}

}  // namespace
