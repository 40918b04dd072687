// The table in words: the table, the hand, the framed card and the buttons
// as a screen reader hears them, the keys that say them, and the status
// line's changes as a mirror takes them.
#include <vector>

#include "app/keyboard.h"
#include "app/speech.h"
#include "game/status.h"
#include "game/types.h"
#include "tests/game_fixture.h"
#include "ui/table.h"

namespace {

std::vector<std::wstring> said;

void Heard(const std::wstring& text) {
    said.push_back(text);
}

class SpeechTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        said.clear();
        sayListener = Heard;
        focusShown = false;
        focusPosition = 1;
    }
    void TearDown() override {
        sayListener = nullptr;
        GameTest::TearDown();
    }
    static void Keys(const std::vector<WPARAM>& keys) {
        for (WPARAM k : keys) {
            PressKey(k);
            HeadlessPump();
        }
    }
};

TEST_F(SpeechTest, TheTableReadOut) {
    const struct Row {
        const char* name;
        const char* humanPlayed;
        const char* computerPlayed;
        const char* computerCards = "8S 9S";
        int32_t computerAttacks = 0;
        int32_t type = ThrownUp;
        const char* trump = "TC";
        bool trumpTaken = false;
        int32_t stock = 12;
        int32_t layout = LayoutQuarterFan;
        int32_t faceDown = 1;
        const wchar_t* text;
    } kRows[] = {
        {.name = "my attack, one card beaten",
         .humanPlayed = "JD",
         .computerPlayed = "9D 7C",
         .computerAttacks = 1,
         .text = L"On the table: my 9\x2666, beaten by your J\x2666; my 7\x2663, not beaten. "
                 L"The 10\x2663 is turned up: Clubs \x2663 are trumps. 13 cards are left to "
                 L"draw. I hold 2 cards."},
        {.name = "your attack, beaten",
         .humanPlayed = "8C 8H",
         .computerPlayed = "KC AH",
         .text = L"On the table: your 8\x2663, beaten by my K\x2663; your 8\x2665, beaten by "
                 L"my A\x2665. The 10\x2663 is turned up: Clubs \x2663 are trumps. 13 cards are "
                 L"left to draw. I hold 2 cards."},
        {.name = "your cards while I take",
         .humanPlayed = "8C 8H",
         .computerPlayed = "",
         .computerCards = "6S",
         .stock = 1,
         .text = L"On the table: your 8\x2663, not beaten; your 8\x2665, not beaten. The "
                 L"10\x2663 is turned up: Clubs \x2663 are trumps. 2 cards are left to draw. I "
                 L"hold one card."},
        {.name = "the trump card is the last to draw",
         .humanPlayed = "",
         .computerPlayed = "",
         .computerCards = "",
         .trump = "7H",
         .stock = 0,
         .text = L"The table is empty. The 7\x2665 is turned up: Hearts \x2665 are trumps. One "
                 L"card is left to draw. I hold no cards."},
        {.name = "the trump card drawn",
         .humanPlayed = "",
         .computerPlayed = "",
         .trump = "7H",
         .trumpTaken = true,
         .stock = 0,
         .text = L"The table is empty. Hearts \x2665 are trumps. Nothing is left to draw. I "
                 L"hold 2 cards."},
        {.name = "no trump card in the Japanese type",
         .humanPlayed = "",
         .computerPlayed = "QS",
         .computerAttacks = 1,
         .type = Japanese,
         .stock = 1,
         .text = L"On the table: my Q\x2660, not beaten. Diamonds \x2666 are trumps. One card "
                 L"is left to draw. I hold 2 cards."},
        {.name = "the count hidden by the option",
         .humanPlayed = "",
         .computerPlayed = "",
         .layout = LayoutStacked,
         .text = L"The table is empty. The 10\x2663 is turned up: Clubs \x2663 are trumps. 13 "
                 L"cards are left to draw. My cards lie in one stack."},
        {.name = "the open view",
         .humanPlayed = "",
         .computerPlayed = "",
         .faceDown = 0,
         .text = L"The table is empty. The 10\x2663 is turned up: Clubs \x2663 are trumps. 13 "
                 L"cards are left to draw. My hand: 8\x2660, 9\x2660."},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        SetGame(row.type, row.trump);
        if (row.trumpTaken) trumpCard.hidden = 1;
        LayTable("6D 7D", row.humanPlayed, row.computerPlayed, row.computerCards);
        computerAttacks = row.computerAttacks;
        SetStock(row.stock);
        computerHand.layoutMode = row.layout;
        computerHand.faceDown = row.faceDown;
        EXPECT_EQ(TableSaying(), row.text);
    }
}

TEST_F(SpeechTest, TheHandReadOut) {
    const struct {
        const char* hand;
        const char* selected;
        const wchar_t* text;
    } kRows[] = {
        {"", "", L"Your hand is empty."},
        {"QS", "", L"Your hand, one card: Q\x2660."},
        {"QS", "QS", L"Your hand, one card: Q\x2660 selected."},
        {"6D TC AH", "", L"Your hand, 3 cards: 6\x2666, 10\x2663, A\x2665."},
        {"6D TC AH", "TC", L"Your hand, 3 cards: 6\x2666, 10\x2663 selected, A\x2665."},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.hand);
        LayTable(row.hand, "", "", "JS");
        Select(row.selected);
        EXPECT_EQ(HandSaying(), row.text);
    }
}

TEST_F(SpeechTest, TheFramedCard) {
    const struct {
        const char* hand;
        bool shown;
        int32_t position;
        const char* selected;
        const wchar_t* text;
    } kRows[] = {
        {"6D TC AH", false, 2, "", L""},
        {"6D TC AH", true, 1, "", L"6\x2666, card 1 of 3"},
        {"6D TC AH", true, 3, "", L"A\x2665, card 3 of 3"},
        {"6D TC AH", true, 2, "TC", L"10\x2663, card 2 of 3, selected"},
        {"6D TC AH", true, 2, "AH", L"10\x2663, card 2 of 3"},
        {"6D TC", true, 5, "", L"10\x2663, card 2 of 2"},
        {"", true, 1, "", L""},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.hand << " at " << row.position);
        LayTable(row.hand, "", "", "JS");
        Select(row.selected);
        focusShown = row.shown;
        focusPosition = row.position;
        EXPECT_EQ(FocusSaying(), row.text);
    }
}

TEST_F(SpeechTest, TheButtons) {
    const struct {
        int32_t computerAttacks;
        int32_t extraCards;
        int32_t sortMode;
        const wchar_t* text;
    } kRows[] = {
        {1, -1, SortByRank, L"Down or T: take the table. S: sort your hand by suit."},
        {0, -1, SortByRank, L"Down or T: end your attack. S: sort your hand by suit."},
        {0, 2, SortBySuit, L"Down or T: let me take the table. S: sort your hand by rank."},
        {0, 0, SortBySuit, L"Down or T: end your attack. S: sort your hand by rank."},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.computerAttacks << " " << row.extraCards);
        LayTable("6D 7D", "", "", "JS");
        computerAttacks = row.computerAttacks;
        extraCardsAllowed = row.extraCards;
        humanHand.sortMode = row.sortMode;
        EXPECT_EQ(ButtonsSaying(), row.text);
    }
}

// Through the window procedure: what each run of keys says, in order.
TEST_F(SpeechTest, KeysSayWhatTheyDo) {
    const std::wstring table =
        L"The table is empty. The 10\x2663 is turned up: Clubs \x2663 are trumps. 21 cards are "
        L"left to draw. I hold 2 cards.";
    const struct {
        const char* name;
        std::vector<WPARAM> keys;
        std::vector<std::wstring> said;
    } kRows[] = {
        {"the first arrow", {VK_RIGHT}, {L"6\x2666, card 1 of 3"}},
        {"along the hand",
         {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT},
         {L"6\x2666, card 1 of 3", L"8\x2663, card 2 of 3", L"9\x2665, card 3 of 3",
          L"9\x2665, card 3 of 3", L"8\x2663, card 2 of 3"}},
        {"space selects and takes off",
         {VK_SPACE, VK_SPACE},
         {L"6\x2666, card 1 of 3, selected", L"6\x2666, card 1 of 3"}},
        {"H", {'H'}, {L"Your hand, 3 cards: 6\x2666, 8\x2663, 9\x2665."}},
        {"R", {'R'}, {table}},
        {"the moves themselves say nothing", {'S', VK_DOWN}, {}},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.name);
        LayTable("6D 8C 9H", "", "", "JS QS");
        focusShown = false;
        focusPosition = 1;
        said.clear();
        Keys(row.keys);
        EXPECT_EQ(said, row.said);
    }
}

// R and H leave the status line, the frame and the table as they were, and
// a held key says nothing again.
TEST_F(SpeechTest, ReadingChangesNothing) {
    LayTable("6D 8C 9H", "", "7D", "JS QS");
    computerAttacks = 1;
    ShowStatus(L"Your move!");
    for (WPARAM key : {WPARAM{'R'}, WPARAM{'H'}}) {
        said.clear();
        Keys({key});
        HeadlessKey(WM_KEYDOWN, key, KF_REPEAT_LPARAM);
        HeadlessPump();
        EXPECT_EQ(said.size(), 1u) << key;
        EXPECT_EQ(StatusLine(), L"Your move!");
        EXPECT_FALSE(focusShown);
        EXPECT_TRUE(IsRectEmpty(&focusFrame));
        EXPECT_EQ(Cards(humanHand), "6D 8C 9H");
        EXPECT_EQ(Cards(computerTable), "7D");
    }
    sayListener = nullptr;
    Keys({'R', VK_RIGHT});
    EXPECT_EQ(said.size(), 1u) << "said with no listener";
}

// A mirror of the status line hears each text that shows, once, and a text
// shown again after the line was cleared.
TEST_F(SpeechTest, StatusChangesAsAMirrorTakesThem) {
    std::wstring text;
    ShowStatus(nullptr);
    TakeStatusChange(&text);
    const struct {
        const wchar_t* status;
        const wchar_t* taken;
    } kSteps[] = {
        {L"Your move!", L"Your move!"},
        {L"Your move!", nullptr},
        {nullptr, nullptr},
        {L"Your move!", L"Your move!"},
        {L"Transfer!", L"Transfer!"},
        {nullptr, nullptr},
        {nullptr, nullptr},
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(testing::Message() << (step.status ? "a text" : "none"));
        ShowStatus(step.status);
        text = L"-";
        EXPECT_EQ(TakeStatusChange(&text), step.taken != nullptr);
        EXPECT_EQ(text, step.taken ? step.taken : L"-");
    }
}

TEST_F(SpeechTest, ButtonChangesAsTheyComeAndGo) {
    std::wstring text;
    LayTable("6D 7D", "", "", "JS");
    humanHand.sortMode = SortByRank;
    TakeButtonsChange(&text);
    EXPECT_FALSE(TakeButtonsChange(&text)) << "nothing changed";
    computerAttacks = 1;
    ASSERT_TRUE(TakeButtonsChange(&text));
    EXPECT_EQ(text, L"Down or T: take the table. S: sort your hand by suit.");
    EXPECT_FALSE(TakeButtonsChange(&text));
    Keys({'S'});
    ASSERT_TRUE(TakeButtonsChange(&text));
    EXPECT_EQ(text, L"Down or T: take the table. S: sort your hand by rank.");
}

}  // namespace
