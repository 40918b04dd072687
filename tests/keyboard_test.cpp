// Play from the keyboard: the focus mark, the keys of the moves and the
// commands, repeats and modifiers, and the screen after every key.
#include "app/keyboard.h"
#include "app/shell.h"
#include "game/deal.h"
#include "game/status.h"
#include "platform/internal.h"
#include "tests/game_fixture.h"
#include "ui/graphics.h"
#include "ui/scale.h"
#include "ui/table.h"

namespace {

class KeyboardTest : public GameTest {
  protected:
    static void Keys(const std::vector<WPARAM>& keys) {
        for (WPARAM k : keys) {
            PressKey(k);
            HeadlessPump();
        }
    }
    static void CtrlKey(WPARAM key) {
        HeadlessKey(WM_KEYDOWN, VK_CONTROL, 0);
        PressKey(key);
        HeadlessKey(WM_KEYUP, VK_CONTROL, 0);
        HeadlessPump();
    }
    static int32_t Focus() { return focusShown ? FocusedCard() : 0; }
};

TEST_F(KeyboardTest, KeysMoveTheMarkAndMakeTheMoves) {
    const struct Row {
        const char* name;
        std::vector<WPARAM> keys;
        bool computerLeads = false;
        int32_t focus;
        const char* selected = "";
        const char* hand = "6D 8C 9H";  // null: not checked
        const char* holds = "";         // cards the hand must hold
        const char* played = "";
    } kRows[] = {
        {.name = "the first key only shows", .keys = {VK_RIGHT}, .focus = 1},
        {.name = "left stops at the first", .keys = {VK_LEFT, VK_LEFT}, .focus = 1},
        {.name = "right stops at the last",
         .keys = {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT},
         .focus = 3},
        {.name = "space toggles",
         .keys = {VK_RIGHT, VK_RIGHT, VK_SPACE},
         .focus = 2,
         .selected = "8C"},
        {.name = "space again", .keys = {VK_SPACE, VK_SPACE}, .focus = 1},
        {.name = "enter selects and plays",
         .keys = {VK_RIGHT, VK_RIGHT, VK_RETURN},
         .focus = 2,
         .hand = "6D 9H",
         .played = "8C"},
        {.name = "enter plays the selection",
         .keys = {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_SPACE, VK_LEFT, VK_RETURN},
         .focus = 2,
         .hand = "6D 8C",
         .played = "9H"},
        {.name = "S sorts", .keys = {'S'}, .focus = 1, .hand = "6D 9H 8C"},
        {.name = "T takes",
         .keys = {'T'},
         .computerLeads = true,
         .focus = 1,
         .hand = nullptr,
         .holds = "7D"},
        {.name = "down takes",
         .keys = {VK_DOWN},
         .computerLeads = true,
         .focus = 1,
         .hand = nullptr,
         .holds = "7D"},
        {.name = "plain N and Q do nothing", .keys = {'N', 'Q'}, .focus = 0},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        focusShown = false;
        focusPosition = 1;
        LayTable("6D 8C 9H", "", row.computerLeads ? "7D" : "", "JS QS");
        computerAttacks = boutLedByComputer = row.computerLeads ? 1 : 0;
        extraCardsAllowed = -1;
        Keys(row.keys);
        EXPECT_EQ(Focus(), row.focus);
        EXPECT_EQ(SelectedCards(humanHand), row.selected);
        EXPECT_EQ(Cards(humanHand), row.hand ? row.hand : Cards(humanHand));
        EXPECT_NE(Cards(humanHand).find(row.holds), std::string::npos);
        EXPECT_EQ(Cards(humanTable), row.played);
        EXPECT_EQ(pressedButton, 0) << "let go with the key";
        EXPECT_NE(IsWindow(mainWindow), FALSE);
    }
}

// Held keys: only the arrows repeat; a repeat of Enter must not answer the
// box its first press opened.
TEST_F(KeyboardTest, OnlyTheArrowsRepeat) {
    LayTable("6D 8C 9H", "", "", "JS QS");
    for (WPARAM key : std::vector<WPARAM>{VK_RIGHT, VK_RIGHT, VK_SPACE, VK_RETURN, 'S'})
        HeadlessKey(WM_KEYDOWN, key, KF_REPEAT_LPARAM);
    HeadlessPump();
    EXPECT_EQ(Focus(), 2) << "the mark shown, then moved";
    EXPECT_EQ(SelectedCards(humanHand), "");
    EXPECT_EQ(Cards(humanHand), "6D 8C 9H");
    HeadlessKey(WM_KEYDOWN, 'S', 0);
    HeadlessPump();
    EXPECT_EQ(pressedButton, 2) << "the button shows pressed while the key is down";
    HeadlessKey(WM_KEYUP, 'S', 0);
    HeadlessPump();
    EXPECT_EQ(pressedButton, 0);

    int answer = 0;
    StepInput steps({[] { HeadlessKey(WM_KEYDOWN, VK_RETURN, KF_REPEAT_LPARAM); },
                     [] { PressKey(VK_ESCAPE); }});
    answer = MessageBoxW(mainWindow, L"Transfer?", L"", MB_YESNO);
    EXPECT_EQ(answer, IDNO) << "the held Enter answered the box";
    EXPECT_TRUE(steps.Done());
}

TEST_F(KeyboardTest, CommandKeys) {
    const uint32_t serial = gameSerial;
    Keys({VK_F2});
    EXPECT_EQ(gameSerial, serial + 1) << "F2";
    CtrlKey('N');
    EXPECT_EQ(gameSerial, serial + 2) << "Ctrl+N";
    const size_t launches = HeadlessLaunches().size();
    const std::string page = VELMORA_RULES_PAGE;
    PlatformSetProgramFolder(page.substr(0, page.rfind('/')).c_str());
    Keys({VK_F1});
    PlatformSetProgramFolder(nullptr);
    EXPECT_EQ(HeadlessLaunches().size(), launches + 1) << "F1 opens the rules";
    Keys({VK_F11});
    ASSERT_FALSE(HeadlessShellCalls().empty());
    EXPECT_EQ(HeadlessShellCalls().back().name, "ToggleFullScreen");
    HeadlessKey(WM_KEYDOWN, VK_F10, 0);
    StepInput close({[] { PressKey(VK_ESCAPE); }});
    HeadlessPump();
    EXPECT_TRUE(close.Done()) << "F10 opened no menu through the window procedure";
    CtrlKey('Q');
    EXPECT_EQ(IsWindow(mainWindow), FALSE) << "Ctrl+Q";
}

// After every key, and after a tap, the screen is what a full repaint draws.
TEST_F(KeyboardTest, TheMarkIsRepaintedExactly) {
    MakeGraphics();
    LayTable("6D 7D 8C 9H", "", "", "JS QS");
    auto screenIsWhole = [] {
        const std::vector<COLORREF> shown = HeadlessScreen().pixels;
        InvalidateRect(mainWindow, nullptr, FALSE);
        HeadlessPump();
        return shown == HeadlessScreen().pixels;
    };
    InvalidateRect(mainWindow, nullptr, FALSE);
    HeadlessPump();
    for (WPARAM key : std::vector<WPARAM>{VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_RIGHT,
                                          VK_RETURN, 'S', VK_SPACE, VK_LEFT}) {
        SCOPED_TRACE(testing::Message() << "key " << key << ", hand " << Cards(humanHand));
        const RECT before = focusFrame;
        Keys({key});
        EXPECT_TRUE(screenIsWhole());
        EXPECT_FALSE(IsRectEmpty(&focusFrame));
        if (key == VK_RETURN) {
            EXPECT_FALSE(EqualRect(&before, &focusFrame)) << "clamped to 3 cards";
        }
    }
    // A hand changed by no key (a deal, the computer's move) moves the mark
    // at the next paint.
    Deal(humanHand, "6D", SortByRank);
    HeadlessPump();
    const RECT& card = CardAt(humanHand, 1).rect;
    EXPECT_EQ(focusFrame.left, card.left - FocusEdge());
    EXPECT_EQ(focusFrame.right, card.right + FocusEdge());
    TapTable();
    EXPECT_TRUE(IsRectEmpty(&focusFrame)) << "a tap hides the mark";
    EXPECT_TRUE(screenIsWhole());
    FreeGraphics();
}

// Every pixel of the frame's colour on the hand's rows and the table's lies
// on the edge of the frame around the card named, the old frame's place too.
void ExpectFrameOn(const std::string& name) {
    RECT want{};
    for (int32_t i = 1; i <= humanHand.count; ++i)
        if (CardName(CardAt(humanHand, i)) == name) want = CardAt(humanHand, i).rect;
    const int edge = FocusEdge();
    want = {want.left - edge, want.top - edge, want.right + edge, want.bottom + edge};
    RECT ring{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    int count = 0;
    for (int y = want.top - ScaleY(45); y < want.bottom + ScaleY(10); ++y)
        for (int x = 0; x < ScaleX(199); ++x)
            if (HeadlessPixel(x, y) == RGB(255, 204, 0)) {
                ++count;
                ring = {std::min<LONG>(ring.left, x), std::min<LONG>(ring.top, y),
                        std::max<LONG>(ring.right, x + 1), std::max<LONG>(ring.bottom, y + 1)};
            }
    EXPECT_EQ(ring, want) << "framed: " << name;
    const int w = want.right - want.left, h = want.bottom - want.top;
    EXPECT_EQ(count, 2 * edge * (w + h) - 4 * edge * edge) << "framed: " << name;
}

// A card played from anywhere in the hand: the frame keeps its place in the
// hand, or goes to the last card when the hand ends before it, and the next
// arrow moves on from there.
TEST_F(KeyboardTest, TheFrameKeepsItsPlaceWhenTheHandShrinks) {
    MakeGraphics();
    const std::vector<std::string> kHand = {"6D", "7D", "8C", "9H", "TS"};
    const struct {
        int32_t framed, played;  // 1-based
        WPARAM then;
    } kPlays[] = {{3, 1, VK_LEFT},  {3, 5, VK_RIGHT}, {4, 2, VK_LEFT},
                  {2, 3, VK_RIGHT}, {3, 3, VK_LEFT},  {1, 1, VK_RIGHT},
                  {5, 5, VK_LEFT},  {5, 4, VK_RIGHT}, {5, 1, VK_LEFT}};
    for (const auto& [framed, played, then] : kPlays) {
        SCOPED_TRACE(testing::Message()
                     << "card " << played << " played, card " << framed << " framed, then "
                     << (then == VK_LEFT ? "left" : "right"));
        focusShown = false;
        focusPosition = 1;
        LayTable("6D 7D 8C 9H TS", "", "", "JS QS");
        computerAttacks = boutLedByComputer = 0;
        extraCardsAllowed = -1;
        InvalidateRect(mainWindow, nullptr, FALSE);
        HeadlessPump();
        // Right shows the frame on the first card; Space selects the card to
        // play when it is not the framed one.
        std::vector<WPARAM> keys(static_cast<size_t>(played), VK_RIGHT);
        if (played != framed) keys.push_back(VK_SPACE);
        keys.insert(keys.end(), static_cast<size_t>(std::abs(framed - played)),
                    framed > played ? VK_RIGHT : VK_LEFT);
        keys.push_back(VK_RETURN);
        Keys(keys);
        std::vector<std::string> left = kHand;
        left.erase(left.begin() + (played - 1));
        std::string expectedHand;
        for (const std::string& card : left)
            expectedHand += (expectedHand.empty() ? "" : " ") + card;
        ASSERT_EQ(Cards(humanHand), expectedHand);
        const int32_t at = std::min(framed, 4);
        ExpectFrameOn(left[static_cast<size_t>(at - 1)]);
        Keys({then});
        ExpectFrameOn(
            left[static_cast<size_t>(std::clamp(at + (then == VK_LEFT ? -1 : 1), 1, 4) - 1)]);
    }
    FreeGraphics();
}

// Nine cards and more overlap: the mark lies on the strip of its card that
// the next leaves in sight, and the rank in the corner ("10" too) shows
// exactly as it does unmarked.
TEST_F(KeyboardTest, TheMarkOnAnOverlappedCardLeavesItsRankInSight) {
    MakeGraphics();
    const char* kHands[] = {
        "6D 7D 8C 9H TS TD JC QH KS",  // half overlap
        "6D 6H 6C 6S 7D 7H 7C 7S 8D 8H 8C 8S 9D 9H 9C 9S TD TH TC TS JD JH JC JS QD",  // a third
    };
    const COLORREF kRing = RGB(255, 204, 0), kFace = RGB(255, 255, 255);
    const int e = FocusEdge();
    for (const char* hand : kHands) {
        LayTable(hand, "", "", "AS");
        FitHumanHand();
        for (int32_t position = 1; position < humanHand.count; ++position) {
            const RECT card = CardAt(humanHand, position).rect;
            const RECT next = CardAt(humanHand, position + 1).rect;
            if (next.top != card.top) continue;  // a row's last card lies whole
            const RECT strip{card.left, card.top, next.left, card.bottom};
            SCOPED_TRACE(testing::Message()
                         << CardName(CardAt(humanHand, position)) << " of " << humanHand.count);
            ASSERT_LT(strip.right, card.right) << "the hand does not overlap";
            focusShown = false;
            SyncFocusFrame();
            InvalidateRect(mainWindow, nullptr, FALSE);
            HeadlessPump();
            // The rank's ink: what is not the face's white in the top half.
            std::vector<std::pair<POINT, COLORREF>> ink;
            for (int y = strip.top + 1; y < (strip.top + strip.bottom) / 2; ++y)
                for (int x = strip.left + 1; x < strip.right; ++x)
                    if (HeadlessPixel(x, y) != kFace) ink.push_back({{x, y}, HeadlessPixel(x, y)});
            ASSERT_FALSE(ink.empty());
            focusPosition = position;
            focusShown = true;
            SyncFocusFrame();
            HeadlessPump();
            int ring = 0;
            for (int y = strip.top - 2 * e; y < strip.bottom + 2 * e; ++y)
                for (int x = strip.left - 2 * e; x < strip.right + 2 * e; ++x)
                    if (HeadlessPixel(x, y) == kRing) {
                        ++ring;
                        ASSERT_TRUE(x >= strip.left && x < strip.right && y >= strip.top &&
                                    y < strip.bottom)
                            << "the mark at " << x << "," << y << " is off the card's strip";
                    }
            EXPECT_GT(ring, 2 * (strip.bottom - strip.top)) << "no ring";
            for (const auto& [at, colour] : ink)
                ASSERT_EQ(HeadlessPixel(at.x, at.y), colour)
                    << "the mark covers the rank at " << at.x << "," << at.y;
        }
    }
    FreeGraphics();
}

}  // namespace
