// The real program, painting every frame, under random stylus input over the
// whole table: taps, lone presses and releases, double taps, with a good
// share aimed at the hand, the table and the two buttons. Boxes are answered
// by injected answers, taps on their buttons or keys. After every input, once
// the program is idle, every card must still be accounted for and no error
// box may have shown.
#include <map>
#include <random>
#include <string>

#include "app/construct.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/host.h"
#include "game/pile.h"
#include "game/state.h"
#include "res/resources.h"
#include "tests/fixture.h"
#include "tools/soak/checks.h"
#include "ui/scale.h"

namespace {

#ifdef VELMORA_SANITIZED
constexpr int64_t kInputsPerRun = 1000;
#else
constexpr int64_t kInputsPerRun = 6000;
#endif

struct Tally {
    int64_t inputs = 0;  // pointer gestures and box answers
    int64_t finished = 0;
    int64_t planted = 0;  // runs in which the fault was planted
    std::map<std::string, int64_t> byKind;
    std::map<std::string, int64_t> failuresByCheck;
    std::string firstFailure;
};

// One run of the program. A fault, if any, is planted once the program is
// idle after the 30th input, at the first chance it takes.
class Monkey {
  public:
    Monkey(int32_t type, bool doubleTap, int64_t inputs, uint32_t seed, bool (*fault)(),
           Tally& tally)
        : type_(type),
          doubleTap_(doubleTap),
          inputs_(inputs),
          fault_(fault),
          tally_(tally),
          rng_(seed) {}
    void Play() {
        HeadlessStartAtDpi(96);
        HeadlessSetDrawing(true);
        ForgetDensities();
        HeadlessSetClock(Pick(0, 23), Pick(0, 59), Pick(0, 59), Pick(0, 999));
        SaveSetting(static_cast<uint32_t>(type_), L"type");
        SaveSetting(doubleTap_ ? 1 : 0, L"wc");
        RegisterResources();
        ConstructProgram();
        HeadlessSetInputSource([this] { return OnInput(); });
        WinMain(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOW);
        HeadlessSetInputSource(nullptr);
        if (!started_) Fail("start", "the program never waited for input");
        if (doubleTapPlay != (doubleTap_ ? 1u : 0u)) Fail("start", "the wc setting was lost");
        if (IsWindow(mainWindow)) Fail("exit", "the main window outlived the Exit command");
        if (humanHand.count + humanTable.count + computerHand.count + computerTable.count != 0)
            Fail("exit", "cards were left in the piles at exit");
        ReleaseProgram();
    }

  private:
    bool OnInput() {
        if (HeadlessOpenBoxes() > 0) {
            AnswerBox();
            return true;
        }
        if (exiting_) return false;
        if (fault_ && done_ >= 30 && fault_()) {
            fault_ = nullptr;
            ++tally_.planted;
        }
        Check();
        started_ = true;
        if (done_ >= inputs_) {
            exiting_ = true;
            PostMessageW(mainWindow, WM_COMMAND, 40002, 0);  // Exit
            return true;
        }
        Gesture();
        return true;
    }
    // One of three ways at random: an answer handed to the box, a tap somewhere
    // on it (its buttons most often), or Enter or Escape.
    void AnswerBox() {
        ++tally_.inputs;
        const std::vector<BoxRecord>& boxes = HeadlessBoxes();
        const bool yesNo = !boxes.empty() && (boxes.back().flags & 0x0F) == MB_YESNO;
        const int way = Pick(0, 2);
        ++tally_.byKind[way == 0 ? "box: answer" : way == 1 ? "box: tap" : "box: key"];
        if (way == 0) {
            HeadlessQueueBoxAnswer(yesNo ? (Pick(0, 1) ? IDYES : IDNO) : IDOK);
        } else if (way == 1) {
            RECT r{};
            GetWindowRect(GetForegroundWindow(), &r);
            // The buttons are 60 x 22 in a row 10 above the bottom edge, side by
            // side 12 apart when there are two.
            const int centre = (r.left + r.right) / 2;
            POINT p{yesNo ? centre + (Pick(0, 1) ? -66 : 6) + Pick(0, 59) : centre + Pick(-30, 29),
                    r.bottom - 32 + Pick(0, 21)};
            if (Pick(0, 4) == 0) p = {Pick(r.left, r.right - 1), Pick(r.top, r.bottom - 1)};
            HeadlessTap(p.x, p.y);
        } else {
            PressKey(Pick(0, 1) ? VK_RETURN : VK_ESCAPE);
        }
    }
    // A point on the hand's cards, the table, a button, or anywhere at all
    // above the menu bar (whose menus have tests of their own: Exit would end
    // the run, About would show a box the checks do not expect).
    POINT Aim() {
        RECT bar{};
        GetWindowRect(menuBar, &bar);
        const int where = Pick(0, 9);
        POINT p;
        if (where < 3 && humanHand.count > 0) {
            const Card& c = CardAt(humanHand, Pick(1, humanHand.count));
            p = {Pick(c.x, c.x + c.width - 1), Pick(c.y, c.y + c.height - 1)};
        } else {
            RECT r{0, 0, 239, 319};
            if (where < 5) r = units::tableArea;
            if (where == 5) r = units::upperButtonRect;
            if (where == 6) r = units::lowerButtonRect;
            p = {Pick(r.left, r.right), Pick(r.top, r.bottom)};
        }
        if (PtInRect(&bar, p)) p.y = Pick(0, bar.top - 1);
        return p;
    }
    void Gesture() {
        ++done_;
        ++tally_.inputs;
        const POINT p = Aim();
        const int kind = Pick(0, 19);
        if (kind < 12) {
            ++tally_.byKind["tap"];
            HeadlessTap(p.x, p.y);
        } else if (kind < 15) {
            ++tally_.byKind["double tap"];
            for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
                HeadlessPointer(m, p.x, p.y);
        } else {
            ++tally_.byKind[kind < 17 ? "down" : "up"];
            HeadlessPointer(kind < 17 ? WM_LBUTTONDOWN : WM_LBUTTONUP, p.x, p.y);
        }
    }
    // Every card in one place; cards leave the game only in pairs off the
    // table (or played onto it in the same input) and come back only with a new
    // deal, which holds the whole deck; a point of score for each win box.
    void Check() {
        int winBoxes = 0;
        for (const BoxRecord& box : HeadlessBoxes()) {
            if (box.text == L"You win!" || box.text == L"I win!") {
                ++winBoxes;
            } else if (box.text != L"Transfer?") {
                Fail("boxes",
                     "a box said \"" + std::string(box.text.begin(), box.text.end()) + "\"");
            }
        }
        HeadlessClearBoxes();
        HeadlessClearInvalidations();  // the record would only grow

        soak::TableState now = soak::Capture();
        soak::Findings findings;
        soak::CheckTable(now, findings);
        for (const soak::Finding& f : findings)
            Fail(f.check, f.detail + "\n  " + soak::Describe(now));
        if (started_) {
            const uint32_t wins = now.computerWins + now.humanWins;
            const uint32_t winsBefore = before_.computerWins + before_.humanWins;
            tally_.finished += wins - winsBefore;
            if (wins - winsBefore != static_cast<uint32_t>(winBoxes))
                Fail("score", std::to_string(wins - winsBefore) + " points for " +
                                  std::to_string(winBoxes) + " win boxes");
            const soak::CardSet was = before_.Discards(), out = now.Discards();
            if (now.serial != before_.serial) {
                if (out != 0) Fail("cards", "the new deal lacks [" + soak::Names(out) + "]");
            } else {
                const soak::CardSet gone = out & ~was;
                const soak::CardSet reachable =
                    before_.Table() | before_.humanHand.cards | before_.computerHand.cards;
                if (was & ~out) Fail("cards", "[" + soak::Names(was & ~out) + "] came back");
                if (soak::Size(gone) % 2 != 0 || (gone & ~reachable) != 0)
                    Fail("cards", "[" + soak::Names(gone) + "] left the game from\n  " +
                                      soak::Describe(before_));
            }
        }
        before_ = now;
    }
    void Fail(const char* check, const std::string& detail) {
        ++tally_.failuresByCheck[check];
        if (tally_.firstFailure.empty())
            tally_.firstFailure = "type " + std::to_string(type_) + ", input " +
                                  std::to_string(done_) + ": " + check + ": " + detail;
    }
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    const int32_t type_;
    const bool doubleTap_;
    const int64_t inputs_;
    bool (*fault_)();
    Tally& tally_;
    std::mt19937 rng_;
    int64_t done_ = 0;
    bool exiting_ = false;
    bool started_ = false;
    soak::TableState before_;
};

// Every game type, with and without double-tap play.
Tally PlayAll(uint32_t seed, int64_t inputsPerRun, bool (*fault)() = nullptr) {
    Tally tally;
    TempConfig config;
    for (int32_t type = 0; type < 6; ++type)
        for (bool doubleTap : {false, true})
            Monkey(type, doubleTap, inputsPerRun,
                   seed + static_cast<uint32_t>(type * 2 + (doubleTap ? 1 : 0)), fault, tally)
                .Play();
    return tally;
}

TEST(MonkeyTest, RandomInputKeepsEveryCard) {
    Tally t = PlayAll(4711, kInputsPerRun);
    EXPECT_TRUE(t.failuresByCheck.empty()) << t.firstFailure;
    EXPECT_GE(t.inputs, 12 * kInputsPerRun);
    // Random input must reach the ends of games and every way of answering.
    EXPECT_GT(t.finished, 0);
    for (const char* kind :
         {"tap", "double tap", "down", "up", "box: answer", "box: tap", "box: key"})
        EXPECT_GT(t.byKind[kind], 0) << kind;
}

TEST(MonkeyTest, ReportsAFaultPlantedMidRun) {
    const struct {
        const char* what;
        const char* check;
        bool (*plant)();
    } kFaults[] = {
        {"a card dropped from the human's hand", "cards",
         [] {
             if (humanHand.count < 2) return false;
             --humanHand.count;
             return true;
         }},
        {"a card in two hands", "cards",
         [] {
             if (humanHand.count < 1) return false;
             AddCard(computerHand, CardAt(humanHand, 1).suit, CardAt(humanHand, 1).rank);
             return true;
         }},
        {"an error box", "boxes",
         [] {
             ShowErrorBox(mainWindow, L"ERROR: planted by the test");
             return true;
         }},
    };
    for (const auto& f : kFaults) {
        Tally t = PlayAll(99, 60, f.plant);
        ASSERT_GT(t.planted, 0) << f.what;
        EXPECT_GT(t.failuresByCheck[f.check], 0) << f.what << "\n" << t.firstFailure;
    }
}

}  // namespace
