// The Options dialog on the running program, worked by taps and keys.
#include "app/settings.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/state.h"
#include "tests/dialog_steps.h"
#include "tests/game_fixture.h"

namespace {

constexpr UINT kOptions = 40014;

std::wstring Title() {
    wchar_t title[100];
    GetWindowTextW(mainWindow, title, 100);
    return title;
}

class OptionsTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Deal(computerHand, "6H 7H 8H");
        Deal(humanHand, "6S 7S");
        computerHand.faceDown = 1;
    }
    // Picks entry n of the game-type list through its drop-down list.
    static std::vector<std::function<void()>> PickType(int n) {
        return {[] { TapControl(1015); }, [n] { TapItem(1015, n); }};
    }
    std::map<std::string, std::string> Stored() const { return StoredValues(configDir); }
};

TEST_F(OptionsTest, OkAtOnceWritesTheFourOptionsAndNothingElse) {
    showCardsLeft = 1;
    doubleTapPlay = 0;
    computerHandLayout = 5;
    const uint32_t serial = gameSerial;
    HWND page = nullptr;
    RECT place{}, screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    std::vector<int> states;
    RunCommand(mainWindow, kOptions, {[&] {
                   page = GetForegroundWindow();
                   GetWindowRect(page, &place);
                   for (int id : {1011, 1008, 1014, 1015, 1003, 1006})
                       states.push_back(HeadlessControlState(id));
                   HeadlessClearInvalidations();
                   PressKey(VK_RETURN);
               }});
    EXPECT_EQ(place, screen) << "a full-screen page";
    std::vector<std::string> calls;
    for (const ShellCall& c : HeadlessShellCalls())
        if (c.hwnd == page) calls.push_back(c.name + " " + std::to_string(c.value));
    std::vector<std::string> expectedCalls{"SHInitDialog 7", "SHFullScreen 42",
                                           "SHCreateMenuBar 145"};
    EXPECT_EQ(calls, expectedCalls);
    // The controls start from the current values; neither list has a choice.
    EXPECT_EQ(states, (std::vector<int>{1, 0, 1, 0, -1, -1}));
    std::map<std::string, std::string> expected{
        {"type", "0"}, {"hidev", "5"}, {"cidc", "1"}, {"wc", "0"}};
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(gameSerial, serial) << "no new game";
    RECT client;
    GetClientRect(mainWindow, &client);
    bool whole = false;
    for (const Invalidation& i : HeadlessInvalidations())
        whole = whole || (i.hwnd == mainWindow && i.rect == client);
    EXPECT_TRUE(whole) << "the whole window is repainted";
    EXPECT_EQ(HeadlessOpenDialog(), -1);
}

struct TypeCase {
    int32_t from;
    int pick;
    int deals;
    const wchar_t* title;
    int32_t transfer;
    int32_t layout;  // 5: the hide box is ticked too
};

const TypeCase kTypes[] = {
    {.from = 0, .pick = 3, .deals = 1, .title = L"Bulk. Transfer", .transfer = 1, .layout = 4},
    {.from = 3, .pick = 4, .deals = 1, .title = L"Japanese", .transfer = 0, .layout = 4},
    {.from = 4, .pick = 4, .deals = 0, .title = L"Japanese", .transfer = 0, .layout = 4},
    {.from = 4, .pick = 5, .deals = 1, .title = L"Japanese. Transfer", .transfer = 1, .layout = 4},
    {.from = 5, .pick = 1, .deals = 1, .title = L"Thrown up. Transfer", .transfer = 1, .layout = 4},
    {.from = 1, .pick = 2, .deals = 1, .title = L"Bulk", .transfer = 0, .layout = 5},
    {.from = 2, .pick = 0, .deals = 1, .title = L"Thrown up", .transfer = 0, .layout = 4},
};

TEST_F(OptionsTest, AnotherGameTypeDealsOnceAndRetitles) {
    for (const TypeCase& c : kTypes) {
        SCOPED_TRACE(c.pick);
        gameType = c.from;
        computerHandLayout = 4;
        SetWindowTextW(mainWindow, GameTypeName(c.from));
        const uint32_t serial = gameSerial;
        const std::string storedHide = Stored()["hidev"];
        std::vector<std::function<void()>> steps = PickType(c.pick);
        if (c.layout == 5) steps.insert(steps.begin(), [] { TapControl(1014); });
        steps.push_back([] { PressKey(VK_RETURN); });
        RunCommand(mainWindow, kOptions, steps);
        EXPECT_EQ(gameSerial - serial, static_cast<uint32_t>(c.deals));
        EXPECT_EQ(gameType, c.pick);
        EXPECT_EQ(transferRule, c.transfer);
        EXPECT_EQ(Title(), c.title);
        EXPECT_EQ(Stored()["type"], std::to_string(c.pick));
        // The hide option is read only after the new deal.
        EXPECT_EQ(computerHand.layoutMode, 4);
        EXPECT_EQ(computerHandLayout, c.layout);
        // Left alone, a stored value stands (another copy may have set it);
        // a missing one is filled in.
        EXPECT_EQ(Stored()["hidev"], c.layout == 5 ? "5" : storedHide.empty() ? "4" : storedHide);
    }
}

TEST_F(OptionsTest, ListsAndCheckBoxesApplyOnOk) {
    ASSERT_NE(stockCard.x, -1);
    EXPECT_EQ(HeadlessMarginColour(), RGB(0, 150, 0)) << "the margin is the table's colour";
    HeadlessClearInvalidations();
    RunCommand(mainWindow, kOptions,
               {[] { TapItem(1003, 3); }, [] { TapItem(1006, 1); }, [] { TapControl(1011); },
                [] { TapControl(1008); }, [] { PressKey(VK_RETURN); }});
    HeadlessPump();
    EXPECT_EQ(HeadlessMarginColour(), RGB(0, 0, 0)) << "the margin follows the new colour at once";
    EXPECT_EQ(doubleTapPlay, 1u);
    EXPECT_EQ(humanHand.backIndex, 3);
    EXPECT_EQ(computerHand.backIndex, 3);
    EXPECT_EQ(stockCard.backIndex, 3);
    for (const CardPile* p : {&humanHand, &computerHand})
        for (int32_t i = 1; i <= p->count; ++i)
            EXPECT_EQ(CardAt(*p, i).backIndex, 3);
    // The stock and the face-down hand are repainted at once.
    bool stock = false, hand = false;
    for (const Invalidation& i : HeadlessInvalidations()) {
        stock = stock || i.rect == stockCard.rect;
        hand = hand || i.rect == CardAt(computerHand, 1).rect;
    }
    EXPECT_TRUE(stock);
    EXPECT_TRUE(hand);
    std::map<std::string, std::string> expected{{"type", "0"}, {"hidev", "4"},   {"cidc", "1"},
                                                {"wc", "1"},   {"blackbg", "1"}, {"back", "3"}};
    EXPECT_EQ(Stored(), expected);
}

}  // namespace
