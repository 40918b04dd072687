// The soak plays clean games of every type, and its checks catch a table
// broken on purpose.
#include <gtest/gtest.h>

#include <string>

#include "app/errors.h"
#include "app/settings.h"
#include "app/shell.h"
#include "game/rules.h"
#include "game/state.h"
#include "tools/soak/soak.h"

namespace {

// The sanitizer build runs every game some ten times slower.
#ifdef VELMORA_SANITIZED
constexpr int64_t kGames = 1200;
#else
constexpr int64_t kGames = 12000;
#endif

TEST(SoakTest, EveryGameTypePlaysCleanly) {
    soak::Options options;
    options.games = kGames;
    options.seed = 20240607;
    soak::Summary s = soak::Run(options);
    EXPECT_EQ(s.failures, 0) << s.firstFailure;
    EXPECT_EQ(s.Capped(), 0) << s.firstCap;
    for (int32_t type = 0; type < 6; ++type) {
        const soak::TypeCount& t = s.types[static_cast<size_t>(type)];
        EXPECT_EQ(t.finished, kGames / 6) << "type " << type;
        EXPECT_EQ(t.humanWins + t.computerWins, t.finished) << "type " << type;
        EXPECT_GT(t.humanWins, 0) << "type " << type;
        EXPECT_GT(t.computerWins, 0) << "type " << type;
    }
    EXPECT_GT(s.transferYes, 0);
    EXPECT_GT(s.transferNo, 0);
    // Checks are only as good as the moves that reach them.
    for (const char* kind :
         {"open", "throw in", "OK", "cover", "cover several", "transfer", "take", "give",
          "stop giving", "sort the hand", "open with nothing", "throw in off the table's ranks",
          "cover that does not beat", "cover several, wrong count", "give off the table's ranks"})
        EXPECT_GT(s.movesByKind[kind], 0) << kind;
}

TEST(SoakTest, PaintedGamesPlayTheSame) {
    // The same play with every paint drawn: painting never changes the game.
    soak::Options options;
    options.games = 24;
    options.seed = 99;
    soak::Summary unseen = soak::Run(options);
    options.draw = true;
    soak::Summary painted = soak::Run(options);
    EXPECT_EQ(painted.failures, 0) << painted.firstFailure;
    for (size_t type = 0; type < 6; ++type) {
        EXPECT_EQ(painted.types[type].humanWins, unseen.types[type].humanWins) << type;
        EXPECT_EQ(painted.types[type].finished, unseen.types[type].finished) << type;
    }
}

bool StepIs(const soak::Moment& m, const char* what) {
    return m.step && std::string(m.step->what) == what;
}

// Gives two cards each other's identity, trump flags included.
void SwapCards(Card& a, Card& b) {
    std::swap(a.suit, b.suit);
    std::swap(a.rank, b.rank);
    a.isTrump = a.suit == TrumpSuit() ? 1 : 0;
    b.isTrump = b.suit == TrumpSuit() ? 1 : 0;
}

// Each breaks the table at the first moment it can and says so; the check
// named must then report it.
const struct {
    const char* what;
    const char* check;
    bool (*apply)(const soak::Moment&);
} kTampers[] = {
    {"a card dropped from the human's hand", "cards",
     [](const soak::Moment& m) {
         if (!m.step || humanHand.count < 2) return false;
         --humanHand.count;
         return true;
     }},
    {"the computer's cover swapped for a card of its hand that beats nothing", "covers",
     [](const soak::Moment&) {
         if (computerAttacks != 0 || extraCardsAllowed != -1 || computerTable.count == 0)
             return false;
         for (int32_t i = 1; i <= computerHand.count; ++i) {
             bool beats = false;
             for (int32_t a = 1; a <= humanTable.count; ++a)
                 beats = beats || CanCover(CardAt(computerHand, i), CardAt(humanTable, a)) > 0;
             if (beats) continue;
             SwapCards(CardAt(computerHand, i), CardAt(computerTable, computerTable.count));
             return true;
         }
         return false;
     }},
    {"after the human's cover, a computer card of a rank not on the table", "throw-in rank",
     [](const soak::Moment& m) {
         if (!StepIs(m, "cover") || computerAttacks != 1 || humanTable.count == 0) return false;
         for (int32_t i = 1; i <= computerHand.count; ++i) {
             const int32_t rank = CardAt(computerHand, i).rank;
             if (FindRank(humanTable, rank) != 0 || FindRank(computerTable, rank) != 0) continue;
             CardAt(computerHand, i).selected = 1;
             MoveSelected(computerHand, computerTable);
             return true;
         }
         return false;
     }},
    {"the score raised with no game won", "score",
     [](const soak::Moment& m) {
         if (m.step) computerWins += 1;
         return m.step != nullptr;
     }},
    {"the stored score out of step", "store",
     [](const soak::Moment& m) {
         if (!m.step) return false;
         SaveSetting(9999, L"statc");
         SaveSetting(9999, L"statu");
         return true;
     }},
    {"an error box", "boxes",
     [](const soak::Moment& m) {
         if (m.step) ShowErrorBox(mainWindow, L"ERROR: planted by the test");
         return m.step != nullptr;
     }},
    {"one extra card more allowed", "allowance",
     [](const soak::Moment&) {
         if (extraCardsAllowed <= 0) return false;
         extraCardsAllowed += 1;
         return true;
     }},
    {"a refused move that moved a card", "refusal",
     [](const soak::Moment& m) {
         if (!m.step || m.step->expect != soak::Expect::Refused || humanHand.count < 2)
             return false;
         DeselectAll(humanHand);
         CardAt(humanHand, 1).selected = 1;
         MoveSelected(humanHand, humanTable);
         return true;
     }},
    {"the transfer open after a cover", "transfer",
     [](const soak::Moment&) {
         if (computerAttacks != 0 || extraCardsAllowed != -1 || humanTable.count == 0) return false;
         transferOpen = 1;
         return true;
     }},
    {"the computer's hand emptied with nothing left to draw, and no one told", "game over",
     [](const soak::Moment& m) {
         if (!m.step || humanHand.count == 0) return false;
         ClearPile(computerHand);
         for (int32_t i = 0; i < deck.total; ++i)
             deck.entries[i].present = 0;
         deck.remaining = 0;
         SetHidden(trumpCard, 1);
         return true;
     }},
};

TEST(SoakTest, ReportsATableBrokenOnPurpose) {
    for (const auto& t : kTampers) {
        bool done = false;
        soak::Options options;
        options.games = 30;
        options.seed = 7;
        options.afterMove = [&](const soak::Moment& m) {
            if (!done) done = t.apply(m);
        };
        soak::Summary s = soak::Run(options);
        ASSERT_TRUE(done) << t.what << ": no moment for it came up";
        EXPECT_FALSE(s.Clean()) << t.what;
        EXPECT_GT(s.failuresByCheck[t.check], 0) << t.what << "\n" << s.firstFailure;
    }
}

TEST(SoakTest, GamesOverTheMoveCapAreCounted) {
    soak::Options options;
    options.games = 6;
    options.moveCap = 3;
    soak::Summary s = soak::Run(options);
    EXPECT_FALSE(s.Clean());
    EXPECT_GT(s.Capped(), 0);
    EXPECT_EQ(s.Finished() + s.Capped(), 6);
    EXPECT_NE(s.firstCap.find("no end after 3 human moves"), std::string::npos) << s.firstCap;
    EXPECT_EQ(s.failures, 0) << s.firstFailure;
}

TEST(SoakTest, ParsesTheListOfTypes) {
    // No types: the text is refused.
    const std::pair<const char*, std::vector<int32_t>> kCases[] = {
        {"0,1,2,3,4,5", {0, 1, 2, 3, 4, 5}},
        {"5,2", {5, 2}},
        {"3", {3}},
        {"", {}},
        {"6", {}},
        {"1,1", {}},
        {"1,", {}},
        {"1;2", {}},
        {"12", {}}};
    for (const auto& [text, want] : kCases) {
        std::vector<int32_t> types;
        EXPECT_EQ(soak::ParseTypes(text, &types), !want.empty()) << text;
        if (!want.empty()) {
            EXPECT_EQ(types, want) << text;
        }
    }
}

}  // namespace
