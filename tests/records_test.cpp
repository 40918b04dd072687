// Each game type's record: the counting rules over sequences of games, the
// stored names, Clear, the locked update of several values, and the Records
// dialog on the running program.
#include <algorithm>
#include <sstream>

#include "app/records.h"
#include "app/settings.h"
#include "app/shell.h"
#include "game/state.h"
#include "platform/dialog_internal.h"
#include "res/ids.h"
#include "tests/dialog_steps.h"
#include "tests/game_fixture.h"
#include "tests/store_fixture.h"

std::ostream& operator<<(std::ostream& os, const TypeRecord& r) {
    return os << "won " << r.won << ", lost " << r.lost << ", abandoned " << r.abandoned
              << ", streak " << r.streak << ", best " << r.best;
}

namespace {

constexpr const wchar_t* kClassic = L"classic";

// W the human wins, L the computer, A a game abandoned.
void Play(int32_t type, const wchar_t* opponent, const char* games) {
    for (const char* g = games; *g; ++g) {
        if (*g == 'A')
            AddAbandonedGame(type, opponent);
        else
            AddFinishedGame(type, opponent, *g == 'W' ? 0 : 1);
    }
}

using RecordsStoreTest = StoreTest;

struct SequenceCase {
    const char* games;
    TypeRecord expected;
};

TEST_F(RecordsStoreTest, SequencesOfGamesCountAsTheRulesSay) {
    const SequenceCase cases[] = {
        {"", {}},
        {"WWLWWW", {5, 1, 0, 3, 3}},
        {"WWWLL", {3, 2, 0, -2, 3}},
        {"LLW", {1, 2, 0, 1, 1}},
        // An abandoned game changes nothing but its own count.
        {"WWAWA", {3, 0, 2, 3, 3}},
        {"LALAL", {0, 3, 2, -3, 0}},
        {"WWWWLWW", {6, 1, 0, 2, 4}},
    };
    for (const SequenceCase& c : cases) {
        SCOPED_TRACE(c.games);
        UseHome("/tmp");
        Play(3, kClassic, c.games);
        EXPECT_EQ(LoadRecord(3, kClassic), c.expected);
    }
}

// Each type and opponent has values of its own; the score is not touched.
TEST_F(RecordsStoreTest, TypesAndOpponentsKeepApartUnderTheirOwnNames) {
    Play(2, kClassic, "W");
    Play(5, kClassic, "LL");
    Play(0, L"other", "A");
    EXPECT_EQ(LoadRecord(2, kClassic), (TypeRecord{1, 0, 0, 1, 1}));
    EXPECT_EQ(LoadRecord(5, kClassic), (TypeRecord{0, 2, 0, -2, 0}));
    EXPECT_EQ(LoadRecord(0, L"other"), (TypeRecord{0, 0, 1, 0, 0}));
    for (int32_t type : {0, 1, 3, 4})
        EXPECT_EQ(LoadRecord(type, kClassic), TypeRecord{}) << type;
    EXPECT_EQ(Get(),
              "[Software\\ornit\\vlmra\\Records]\n"
              "t2.classic.won=1\n"
              "t2.classic.streak=1\n"
              "t2.classic.best=1\n"
              "t5.classic.lost=2\n"
              "t5.classic.streak=4294967294\n"
              "t0.other.abandoned=1\n");
    // No type, no opponent: nothing is counted.
    const std::string before = Get();
    Play(6, kClassic, "WA");
    Play(-1, kClassic, "L");
    Play(0, nullptr, "W");
    EXPECT_EQ(Get(), before);
}

TEST_F(RecordsStoreTest, ClearZeroesEveryTypeOfTheOpponentAndNothingElse) {
    SaveSetting(4, kValueComputerWins);
    SaveSetting(7, kValueHumanWins);
    for (int32_t type = 0; type < 6; ++type)
        Play(type, kClassic, "WLAW");
    Play(1, L"other", "W");
    ClearRecords(kClassic);
    for (int32_t type = 0; type < 6; ++type)
        EXPECT_EQ(LoadRecord(type, kClassic), TypeRecord{}) << type;
    EXPECT_EQ(LoadRecord(1, L"other"), (TypeRecord{1, 0, 0, 1, 1}));
    EXPECT_EQ(LoadSetting(kValueComputerWins), 4u);
    EXPECT_EQ(LoadSetting(kValueHumanWins), 7u);
    // The next game starts its streak afresh.
    Play(0, kClassic, "L");
    EXPECT_EQ(LoadRecord(0, kClassic), (TypeRecord{0, 1, 0, -1, 0}));
}

// The update sees what is stored; only what it changes is written, and a
// zero is not written where nothing was stored.
TEST_F(RecordsStoreTest, UpdateValuesRewritesOnlyWhatChanged) {
    Put("[k]\na=5\nb=9\n");
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"k", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t* names[] = {L"a", L"b", L"c", L"d"};
    DWORD seen[4] = {};
    struct Context {
        DWORD* seen;
    } context{seen};
    auto update = [](DWORD* values, int count, void* c) {
        std::copy(values, values + count, static_cast<Context*>(c)->seen);
        values[1] = 10;  // b changes
        values[2] = 0;   // c stays absent
        values[3] = 7;   // d is new
    };
    EXPECT_EQ(PlatformRegUpdateValues(key, names, 4, update, &context), ERROR_SUCCESS);
    EXPECT_EQ(std::vector<DWORD>(seen, seen + 4), (std::vector<DWORD>{5, 9, 0, 0}));
    EXPECT_EQ(Get(), "[k]\na=5\nb=10\nd=7\n");
    // A name the file cannot hold writes none of them.
    const wchar_t* bad[] = {L"a", L"x=y"};
    EXPECT_EQ(PlatformRegUpdateValues(key, bad, 2, update, &context), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(PlatformRegUpdateValues(key, names, 0, update, &context), ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
    EXPECT_EQ(PlatformRegUpdateValues(key, names, 4, update, &context), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Get(), "[k]\na=5\nb=10\nd=7\n");
}

constexpr UINT kNew = 40012;
constexpr UINT kRecords = 40024;
constexpr int kClear = 1028;
constexpr int kTypes = 1020;
constexpr int kColumns[] = {1021, 1022, 1023, 1024, 1025, 1026, 1027};  // Finished .. Abandoned

class RecordsTest : public GameTest {};

// New abandons the game in play once a card is down, under the type played.
TEST_F(RecordsTest, NewAbandonsOnlyAGameWithACardDown) {
    gameType = 4;
    cardLaidThisGame = 0;
    SendMessageW(mainWindow, WM_COMMAND, kNew, 0);
    EXPECT_EQ(LoadRecord(4, kClassic), TypeRecord{});
    cardLaidThisGame = 1;
    SendMessageW(mainWindow, WM_COMMAND, kNew, 0);
    EXPECT_EQ(LoadRecord(4, kClassic), (TypeRecord{0, 0, 1, 0, 0}));
    EXPECT_EQ(cardLaidThisGame, 0) << "the new deal starts clean";
}

std::vector<std::wstring> Lines(int id) {
    wchar_t text[400] = L"";
    GetWindowTextW(GetDlgItem(GetForegroundWindow(), id), text, 400);
    std::vector<std::wstring> lines;
    std::wstringstream in(text);
    for (std::wstring line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The counts' line of a type: its cells left to right, the abandoned count last.
std::vector<std::wstring> Row(int32_t type) {
    std::vector<std::wstring> row;
    for (int id : kColumns) {
        std::vector<std::wstring> lines = Lines(id);
        const size_t at = static_cast<size_t>(2 * type + (id == 1027 ? 0 : 1));
        row.push_back(at < lines.size() ? lines[at] : L"?");
    }
    return row;
}

TEST_F(RecordsTest, RowsShowEachTypeAndClearAsksFirst) {
    Play(0, kClassic, "WWLWWW");
    Play(2, kClassic, "WLLA");
    Play(5, kClassic, "A");
    std::vector<std::wstring> names, row0, row2, row5, afterNo, afterYes;
    RunCommand(mainWindow, kRecords,
               {[&] {
                    names = Lines(kTypes);
                    row0 = Row(0), row2 = Row(2), row5 = Row(5);
                    HeadlessQueueBoxAnswer(IDNO);
                    TapControl(kClear);
                },
                [&] {
                    afterNo = Row(0);
                    HeadlessQueueBoxAnswer(IDYES);
                    TapControl(kClear);
                },
                [&] {
                    afterYes = Row(0);
                    PressKey(VK_ESCAPE);
                }});
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names[0], L"Thrown up");
    EXPECT_EQ(names[10], L"Japanese. Transfer");
    using Cells = std::vector<std::wstring>;
    EXPECT_EQ(row0, (Cells{L"6", L"5", L"1", L"83%", L"3 won", L"3", L"0"}));
    EXPECT_EQ(row2, (Cells{L"3", L"1", L"2", L"33%", L"2 lost", L"1", L"1"}));
    EXPECT_EQ(row5, (Cells{L"0", L"0", L"0", L"-", L"-", L"0", L"1"}));
    EXPECT_EQ(afterNo, row0);
    EXPECT_EQ(afterYes, (Cells{L"0", L"0", L"0", L"-", L"-", L"0", L"0"}));
    ASSERT_EQ(HeadlessBoxes().size(), 2u);
    EXPECT_EQ(HeadlessBoxes()[0].text, L"Clear the records of every game type?");
    EXPECT_EQ(HeadlessBoxes()[0].flags & 0xF, MB_YESNO);
    EXPECT_EQ(LoadRecord(2, kClassic), TypeRecord{});
}

// Clear first, Tab to Close; Enter closes without clearing.
TEST_F(RecordsTest, KeysMoveBetweenTheButtonsAndClose) {
    Play(1, kClassic, "W");
    int first = 0, tabbed = 0, back = 0;
    RunCommand(mainWindow, kRecords,
               {[&] {
                    first = HeadlessFocusedControl();
                    PressKey(VK_TAB);
                },
                [&] {
                    tabbed = HeadlessFocusedControl();
                    PressKey(VK_LEFT);
                },
                [&] {
                    back = HeadlessFocusedControl();
                    PressKey(VK_RETURN);
                }});
    EXPECT_EQ(first, kClear);
    EXPECT_EQ(tabbed, IDOK);
    EXPECT_EQ(back, kClear);
    EXPECT_EQ(HeadlessOpenDialog(), -1);
    EXPECT_TRUE(HeadlessBoxes().empty());
    EXPECT_EQ(LoadRecord(1, kClassic).won, 1u);
}

// At this run's density (ctest runs it at more): the dialog lies on the
// screen, each column's widest cell fits it, and on a line no two columns'
// texts touch.
TEST_F(RecordsTest, LargeCountsFitTheirColumnsAtTheDensity) {
    HKEY key;
    RegCreateKeyExW(HKEY_CURRENT_USER, kRecordsKey, 0, nullptr, 0, 0, nullptr, &key, nullptr);
    const wchar_t* names[] = {L"t1.classic.won", L"t1.classic.lost", L"t1.classic.streak",
                              L"t1.classic.best", L"t1.classic.abandoned"};
    auto large = [](DWORD* v, int, void*) {
        v[0] = 9999, v[1] = 9998, v[2] = static_cast<DWORD>(-99), v[3] = 99, v[4] = 9999;
    };
    PlatformRegUpdateValues(key, names, 5, large, nullptr);
    RegCloseKey(key);
    RunCommand(mainWindow, kRecords, {[&] {
                   Dialog* d = TopDialog();
                   ASSERT_NE(d, nullptr);
                   RECT box{};
                   GetWindowRect(d->hwnd, &box);
                   EXPECT_GE(box.left, 0);
                   EXPECT_GE(box.top, 0);
                   EXPECT_LE(box.right, GetSystemMetrics(SM_CXSCREEN));
                   EXPECT_LE(box.bottom, GetSystemMetrics(SM_CYSCREEN));
                   HDC mem = CreateCompatibleDC(nullptr);
                   SelectObject(mem, d->font);
                   int previousRight = -1;
                   for (int id : {1021, 1022, 1023, 1024, 1025, 1026}) {
                       HWND control = GetDlgItem(d->hwnd, id);
                       const Control* c = ControlOf(control);
                       ASSERT_NE(c, nullptr);
                       RECT room = ControlTextRect(*c);
                       int widest = 0;
                       for (int heads : {10, 0}) {
                           wchar_t text[400];
                           GetWindowTextW(GetDlgItem(d->hwnd, id + heads), text, 400);
                           std::wstringstream in(text);
                           for (std::wstring line; std::getline(in, line);) {
                               SIZE size{};
                               GetTextExtentPoint32W(mem, line.c_str(),
                                                     static_cast<int>(line.size()), &size);
                               widest = std::max(widest, static_cast<int>(size.cx));
                           }
                       }
                       EXPECT_LE(widest, room.right - room.left) << id;
                       // Set to the right: the widest text starts this far in.
                       EXPECT_GT(room.right - widest, previousRight) << id;
                       previousRight = room.right;
                   }
                   DeleteDC(mem);
                   PressKey(VK_ESCAPE);
               }});
}

}  // namespace
