// The soak plays clean games of every type, and its checks catch a table
// broken on purpose.
#include <gtest/gtest.h>

#include <string>

#include "app/settings.h"
#include "app/shell.h"
#include "game/host.h"
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

// Each breaks the table after the first move that gives it a chance and
// says so; the check named must then report it. The table checks have their
// own test: "allowance" stands for them here, run after every move.
const struct {
    const char* what;
    const char* check;
    bool (*apply)(const soak::Step&);
} kTampers[] = {
    {"a card dropped from the human's hand", "cards",
     [](const soak::Step&) {
         if (humanHand.count < 2) return false;
         --humanHand.count;
         return true;
     }},
    {"the score raised with no game won", "score",
     [](const soak::Step&) { return ++computerWins > 0; }},
    {"the stored score out of step", "store",
     [](const soak::Step&) {
         SaveSetting(9999, L"statc");
         SaveSetting(9999, L"statu");
         return true;
     }},
    {"an error box", "boxes",
     [](const soak::Step&) {
         ShowErrorBox(mainWindow, L"ERROR: planted by the test");
         return true;
     }},
    {"one extra card more allowed", "allowance",
     [](const soak::Step&) { return extraCardsAllowed > 0 && ++extraCardsAllowed > 0; }},
    {"a refused move that moved a card", "refusal",
     [](const soak::Step& step) {
         if (step.expect != soak::Expect::Refused || humanHand.count < 2) return false;
         DeselectAll(humanHand);
         CardAt(humanHand, 1).selected = 1;
         MoveSelected(humanHand, humanTable);
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
            if (!done && m.step) done = t.apply(*m.step);
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
    std::vector<int32_t> types;
    for (const char* text : {"", "6", "1,1", "1,", "1;2"})
        EXPECT_FALSE(soak::ParseTypes(text, &types)) << text;
    // One vector for every row: each parse starts it afresh.
    const std::pair<const char*, std::vector<int32_t>> kTaken[] = {
        {"0,1,2,3,4,5", {0, 1, 2, 3, 4, 5}}, {"5,2", {5, 2}}, {"3", {3}}};
    for (const auto& [text, want] : kTaken) {
        EXPECT_TRUE(soak::ParseTypes(text, &types)) << text;
        EXPECT_EQ(types, want) << text;
    }
}

}  // namespace
