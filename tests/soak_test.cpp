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

bool RankOnTable(int32_t rank) {
    return FindRank(humanTable, rank) != 0 || FindRank(computerTable, rank) != 0;
}

bool DropCard(const soak::Moment& m) {
    if (!m.step || humanHand.count < 2) return false;
    DeselectAll(humanHand);
    CardAt(humanHand, 1).selected = 1;
    MarkSelectedGone(humanHand);
    Compact(humanHand);
    return true;
}

bool DealTwice(const soak::Moment& m) {
    if (!m.step || humanHand.count < 1) return false;
    AddCard(computerHand, CardAt(humanHand, 1).suit, CardAt(humanHand, 1).rank);
    return true;
}

// The computer's cover swapped for a card of its hand that beats nothing.
bool CoverThatDoesNotBeat(const soak::Moment&) {
    if (computerAttacks != 0 || extraCardsAllowed != -1 || computerTable.count == 0) return false;
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        bool beats = false;
        for (int32_t a = 1; a <= humanTable.count; ++a)
            beats = beats || CanCover(CardAt(computerHand, i), CardAt(humanTable, a)) > 0;
        if (beats) continue;
        SwapCards(CardAt(computerHand, i), CardAt(computerTable, computerTable.count));
        return true;
    }
    return false;
}

// After the human's cover, one more computer card whose rank is nowhere on
// the table.
bool ThrowInOffRank(const soak::Moment& m) {
    if (!StepIs(m, "cover") || computerAttacks != 1 || humanTable.count == 0) return false;
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        if (RankOnTable(CardAt(computerHand, i).rank)) continue;
        CardAt(computerHand, i).selected = 1;
        MoveSelected(computerHand, computerTable);
        return true;
    }
    return false;
}

bool ScoreWithoutWin(const soak::Moment& m) {
    if (!m.step) return false;
    computerWins += 1;
    return true;
}

bool StoreOutOfStep(const soak::Moment& m) {
    if (!m.step) return false;
    SaveSetting(9999, L"statc");
    SaveSetting(9999, L"statu");
    return true;
}

bool ErrorBox(const soak::Moment& m) {
    if (!m.step) return false;
    ShowErrorBox(mainWindow, L"ERROR: planted by the test");
    return true;
}

bool AllowanceRaised(const soak::Moment&) {
    if (extraCardsAllowed <= 0) return false;
    extraCardsAllowed += 1;
    return true;
}

bool RefusalThatMoves(const soak::Moment& m) {
    if (!m.step || m.step->expect != soak::Expect::Refused || humanHand.count < 2) return false;
    DeselectAll(humanHand);
    CardAt(humanHand, 1).selected = 1;
    MoveSelected(humanHand, humanTable);
    return true;
}

bool TransferLeftOpen(const soak::Moment&) {
    if (computerAttacks != 0 || extraCardsAllowed != -1 || humanTable.count == 0) return false;
    transferOpen = 1;
    return true;
}

// The computer's hand emptied with nothing left to draw, and no one told.
bool MissedGameOver(const soak::Moment& m) {
    if (!m.step || humanHand.count == 0) return false;
    ClearPile(computerHand);
    for (int32_t i = 0; i < deck.total; ++i)
        deck.entries[i].present = 0;
    deck.remaining = 0;
    SetHidden(trumpCard, 1);
    return true;
}

struct Tamper {
    const char* what;
    bool (*apply)(const soak::Moment&);  // true once it has broken something
    const char* check;                   // what must report it
};

const Tamper kTampers[] = {
    {"a card dropped from the human's hand", DropCard, "cards"},
    {"a card in two hands", DealTwice, "cards"},
    {"a cover that beats nothing", CoverThatDoesNotBeat, "covers"},
    {"a throw-in of a rank not on the table", ThrowInOffRank, "throw-in rank"},
    {"the score raised with no game won", ScoreWithoutWin, "score"},
    {"the stored score out of step", StoreOutOfStep, "store"},
    {"an error box", ErrorBox, "boxes"},
    {"one extra card more allowed", AllowanceRaised, "allowance"},
    {"a refused move that moved a card", RefusalThatMoves, "refusal"},
    {"the transfer open after a cover", TransferLeftOpen, "transfer"},
    {"a hand out and the game going on", MissedGameOver, "game over"},
};

TEST(SoakTest, ReportsATableBrokenOnPurpose) {
    for (const Tamper& t : kTampers) {
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
    struct Case {
        const char* text;
        bool ok;
        std::vector<int32_t> types;
    };
    const Case cases[] = {
        {"0,1,2,3,4,5", true, {0, 1, 2, 3, 4, 5}},
        {"5,2", true, {5, 2}},
        {"3", true, {3}},
        {"", false, {}},
        {"6", false, {}},
        {"1,1", false, {}},
        {"1,", false, {}},
        {"1;2", false, {}},
        {"12", false, {}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> types;
        EXPECT_EQ(soak::ParseTypes(c.text, &types), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(types, c.types) << c.text;
        }
    }
}

}  // namespace
