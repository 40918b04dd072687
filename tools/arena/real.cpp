// Games on the real program: each one a run of the program on the headless
// screen, as the soak starts it, dealt from a clock set for that game alone.
// The computer's seat answers through computerChooser (or the rules decide);
// the human's seat plays through the moves a tap reaches.

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "ai/choice.h"
#include "ai/expert/answer.h"
#include "ai/expert/classic.h"
#include "ai/expert/from_game.h"
#include "app/actions.h"
#include "app/opponent.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/host.h"
#include "game/state.h"
#include "game/status.h"
#include "platform/headless/headless.h"
#include "res/ids.h"
#include "tools/arena/arena.h"
#include "tools/soak/soak.h"

namespace arena {

namespace {

using expert::CardSet;
using expert::Knowledge;
using expert::Move;
using expert::Position;

// A human's play that does not end within this many moves is a failure.
constexpr int32_t kMoveCap = 1000;

double NowMs() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

struct Game {
    const Setup* setup = nullptr;
    Results* out = nullptr;
    expert::Rng rng{};
    int32_t winner = -1;
    int32_t humanMoves = 0;
    int transferAnswer = IDNO;
    bool exiting = false;
    std::string failure;
    uint64_t lastSignature = 0;
};

Game* game = nullptr;

void Fail(const std::string& why) {
    if (game->failure.empty()) game->failure = why;
}

PlayCard PlayOf(int32_t card) {
    return PlayCard{expert::SuitOf(card), expert::RankOf(card)};
}

// As the Expert reads the computer's question.
bool ComputerSeatKnowledge(ComputerQuestion question, Knowledge& k) {
    return expert::ComputerKnowledge(question, k) == 1 &&
           expert::ToMove(k.seen) == expert::kComputer;
}

int32_t MoveCount(const Position& p) {
    Move moves[expert::kMaxMoves];
    return expert::LegalMoves(p, moves);
}

// A play picked at random one legal move at a time: covers of several
// cards go on until the last is covered.
std::vector<Move> RandomPlay(Position p, expert::Rng& rng) {
    std::vector<Move> play;
    do {
        Move moves[expert::kMaxMoves];
        const int32_t n = expert::LegalMoves(p, moves);
        if (n == 0) return {};
        play.push_back(moves[expert::Below(rng, n)]);
        // What follows the last cover may draw from a stock the seat cannot see.
        if (play.back().kind != expert::kMoveCover || expert::Count(p.open) <= 1) break;
        expert::Apply(p, play.back());
    } while (p.phase == expert::kCovering);
    return play;
}

// The play as the computer's routines take an answer.
void PutAnswer(const std::vector<Move>& play, ComputerAnswer* answer) {
    *answer = ComputerAnswer{};
    for (const Move& m : play) {
        const int32_t card = expert::Lowest(m.cards);
        switch (m.kind) {
            case expert::kMoveTransfer:
                answer->kind = AnswerTransfer;
                answer->cards[0] = PlayOf(card);
                answer->count = 1;
                return;
            case expert::kMoveCover:
                answer->targets[answer->count] = PlayOf(m.target);
                [[fallthrough]];
            case expert::kMoveLead:
            case expert::kMoveThrowIn:
            case expert::kMoveExtra:
                answer->kind = AnswerCards;
                answer->cards[answer->count++] = PlayOf(card);
                break;
            default:
                return;
        }
    }
}

// A decision of a game already won belongs to the next deal, which no one
// plays: the rules take it.
bool Playing() {
    return game && game->winner < 0 && game->failure.empty();
}

// The seat's knowledge at the question; a question the engine cannot read
// would leave the decision to the rules' computer, which is no game of the
// seat's: a failure.
bool Readable(ComputerQuestion question, Knowledge& k) {
    if (!Playing()) return false;
    if (ComputerSeatKnowledge(question, k)) return true;
    Fail("the engine could not read the computer's question " + std::to_string(question));
    return false;
}

bool RandomAnswers(ComputerQuestion question, ComputerAnswer* answer) {
    Knowledge k;
    if (!Readable(question, k)) return false;
    const std::vector<Move> play = RandomPlay(k.seen, game->rng);
    if (play.empty()) return false;
    PutAnswer(play, answer);
    return true;
}

bool TimedExpertAnswers(ComputerQuestion question, ComputerAnswer* answer) {
    Knowledge k;
    if (!Readable(question, k)) return false;
    const bool choice = MoveCount(k.seen) > 1;
    const double start = NowMs();
    const bool answered = expert::ExpertAnswers(question, answer);
    if (choice) game->out->decisionMs.push_back(NowMs() - start);
    if (!answered) Fail("the Expert gave no answer to question " + std::to_string(question));
    return answered;
}

// The Expert's play for the human's seat; a cover of several cards is
// searched one cover at a time, as for the computer.
std::vector<Move> ExpertPlay(const Knowledge& k) {
    const bool choice = MoveCount(k.seen) > 1;
    const double start = NowMs();
    Move play[18];
    const int32_t n = expert::ExpertHumanPlay(play, 18);
    if (n == 0) return {};
    if (choice) game->out->decisionMs.push_back(NowMs() - start);
    return std::vector<Move>(play, play + n);
}

CardSet Cards(const CardPile& pile) {
    CardSet cards = 0;
    for (int32_t i = 1; i <= pile.count; ++i) {
        const int32_t card = expert::CardOf(CardAt(pile, i).suit, CardAt(pile, i).rank);
        if (card != expert::kNoCard) cards |= expert::Bit(card);
    }
    return cards;
}

// What any accepted move changes: a refused one leaves it as it was.
uint64_t Signature() {
    uint64_t s = Cards(humanHand) * 0x9E3779B97F4A7C15ull;
    s ^= Cards(humanTable) * 0xBF58476D1CE4E5B9ull + Cards(computerTable);
    s ^= static_cast<uint64_t>(computerHand.count) << 40 ^ static_cast<uint64_t>(Remaining(deck))
                                                               << 48;
    return s ^ static_cast<uint64_t>(gameSerial) << 56;
}

// The hand's selection made as taps make it: the unwanted cards first,
// since a tap that selects one card alone drops the others.
void SelectByTaps(CardSet cards) {
    for (int32_t want : {0, 1})
        for (int32_t i = 1; i <= humanHand.count; ++i) {
            const Card& c = CardAt(humanHand, i);
            const int32_t card = expert::CardOf(c.suit, c.rank);
            const bool wanted = card != expert::kNoCard && (cards & expert::Bit(card)) != 0;
            if (wanted == (want == 1) && c.selected != want) TapHandCard(i);
        }
}

void Perform(const std::vector<Move>& play) {
    if (statusText) ShowStatus(nullptr);  // as every tap does first
    CardSet cards = 0;
    for (const Move& m : play)
        cards |= m.cards;
    if (cards == 0) {
        PressLowerButton();
        return;
    }
    // A trump of the attack's rank may transfer or cover: the game asks.
    game->transferAnswer = play[0].kind == expert::kMoveTransfer ? IDYES : IDNO;
    SelectByTaps(cards);
    PlaySelection();
}

bool AnswerBox() {
    const std::vector<BoxRecord>& boxes = HeadlessBoxes();
    int answer = IDOK;
    if (boxes.empty()) {
        Fail("a box opened unrecorded");
    } else if (boxes.back().text == LoadText(IDS_ASK_TRANSFER)) {
        answer = game->transferAnswer;
    } else if (boxes.back().text == LoadText(IDS_YOU_WIN)) {
        if (game->winner < 0) game->winner = expert::kHuman;
    } else if (boxes.back().text == L"I win!") {
        if (game->winner < 0) game->winner = expert::kComputer;
    } else {
        const std::wstring& text = boxes.back().text;
        Fail("a box said \"" + std::string(text.begin(), text.end()) + "\"");
        if ((boxes.back().flags & 0x0F) == MB_YESNO) answer = IDNO;
    }
    HeadlessClearBoxes();
    HeadlessQueueBoxAnswer(answer);
    return true;
}

// The rules' computer's play in the human's seat: it reads the whole game,
// the computer's hand too, and takes the human's hand in the order it lies.
std::vector<Move> ClassicPlay() {
    Position p;
    if (expert::PositionFromGame(p) == 0 || expert::ToMove(p) != expert::kHuman) return {};
    const expert::ClassicSeat seat = expert::ClassicSeatFromGame(expert::kHuman);
    Move play[expert::kCards];
    const int32_t n = expert::ClassicPlay(p, seat, play);
    return std::vector<Move>(play, play + n);
}

std::vector<Move> HumanPlay() {
    if (game->setup->human == SeatClassic) return ClassicPlay();
    Knowledge k;
    if (expert::KnowledgeFromGame(expert::kHuman, expert::SeenPickedUp(expert::kComputer), k) ==
            0 ||
        expert::ToMove(k.seen) != expert::kHuman)
        return {};
    return game->setup->human == SeatExpert ? ExpertPlay(k) : RandomPlay(k.seen, game->rng);
}

bool OnInput() {
    if (HeadlessOpenBoxes() > 0) return AnswerBox();
    if (game->exiting) return false;
    HeadlessClearInvalidations();  // the record would only grow
    if (game->winner < 0 && game->failure.empty()) {
        const uint64_t now = Signature();
        if (game->humanMoves > 0 && now == game->lastSignature) {
            Fail("the game refused the human's move " + std::to_string(game->humanMoves));
        } else if (game->humanMoves >= kMoveCap) {
            Fail("no end after " + std::to_string(kMoveCap) + " human moves");
        } else {
            const std::vector<Move> play = HumanPlay();
            if (play.empty()) {
                Fail("the game waits for the human in no state the engine reads");
            } else {
                game->lastSignature = now;
                ++game->humanMoves;
                Perform(play);
                return true;
            }
        }
    }
    game->exiting = true;
    PostMessageW(mainWindow, WM_COMMAND, IDM_EXIT, 0);
    return true;
}

void PlayOne(const Setup& setup, int64_t i, Results* out) {
    const uint64_t seed = GameSeed(setup, i);
    Game one;
    one.setup = &setup;
    one.out = out;
    one.rng = expert::SeedRng(seed ^ 0xA5A5A5A5A5A5A5A5ull);
    game = &one;
    const int32_t type = TypeOfGame(setup, i);
    // The deal is seeded from the clock as the window is made.
    HeadlessStartAtDpi(96);
    HeadlessSetDrawing(false);
    HeadlessSetClock(static_cast<int>(seed % 24), static_cast<int>(seed / 24 % 60),
                     static_cast<int>(seed / 1440 % 60), static_cast<int>(seed / 86400 % 1000));
    SaveSetting(static_cast<uint32_t>(type), kValueGameType);
    ProgramHooks hooks;
    hooks.started = [] { HeadlessSetInputSource(OnInput); };
    hooks.ended = [] { HeadlessSetInputSource(nullptr); };
    RunProgram(L"", hooks);
    game = nullptr;
    GameResult result{type, one.failure.empty() ? one.winner : -1};
    if (result.winner < 0)
        out->failures.push_back("game " + std::to_string(i) + " (type " + std::to_string(type) +
                                "): " + (one.failure.empty() ? "no winner" : one.failure));
    out->games.push_back(result);
}

}  // namespace

void PlayReal(const Setup& setup, int64_t first, int64_t step, Results* out) {
    soak::TemporaryStore store("velmora-arena");
    if (!store.Ok()) {
        out->failures.push_back("no folder for the store");
        return;
    }
    SetOpponentFromCaller(setup.computer == SeatExpert ? OpponentExpert : OpponentClassic);
    SetChooserFromCaller(setup.computer == SeatExpert   ? TimedExpertAnswers
                         : setup.computer == SeatRandom ? RandomAnswers
                                                        : nullptr);
    for (int64_t i = first; i < setup.games; i += step)
        if (Plays(setup, i)) PlayOne(setup, i, out);
    SetChooserFromCaller(nullptr);
}

}  // namespace arena
