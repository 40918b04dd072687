#include "tests/expert_difference.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>

#include "ai/expert/answer.h"
#include "ai/expert/classic.h"
#include "ai/expert/from_game.h"
#include "ai/expert/position.h"
#include "app/actions.h"
#include "app/opponent.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/startup.h"
#include "game/account.h"
#include "game/host.h"
#include "game/rules.h"
#include "game/snapshot.h"
#include "game/state.h"
#include "game/types.h"
#include "platform/headless/headless.h"
#include "res/ids.h"
#include "tests/fixture.h"

namespace expert_difference {

namespace {

using expert::Bit;
using expert::CardSet;
using expert::Count;
using expert::Lowest;
using expert::Move;
using expert::Position;

constexpr size_t kReportsKept = 5;

// A play as the engine names it: its kind and the cards it lays.
struct Key {
    int8_t kind;
    CardSet cards;
    bool operator<(const Key& o) const { return kind != o.kind ? kind < o.kind : cards < o.cards; }
    bool operator==(const Key& o) const { return kind == o.kind && cards == o.cards; }
};
using Keys = std::set<Key>;

const char* const kPhaseWords[] = {"lead", "defend", "covering", "attack", "give", "over"};

std::string KeysText(const Keys& keys) {
    std::string out;
    for (const Key& k : keys) {
        if (!out.empty()) out += "; ";
        out += expert::Describe(Move{k.cards, k.kind, expert::kNoCard});
    }
    return out.empty() ? "none" : out;
}

bool Several(const Position& p) {
    return p.phase == expert::kDefend && p.cover == 0 && Count(p.open) >= 2;
}

// Every cover of several cards the engine's one-at-a-time covers can
// complete from q, each as the set laid. A dead end is reported.
void CompleteCovers(const Position& q, CardSet laid, Keys& keys, bool& deadEnd) {
    if (q.phase != expert::kCovering) {
        keys.insert({expert::kMoveCover, laid});
        return;
    }
    Move moves[expert::kMaxMoves];
    const int32_t n = expert::LegalMoves(q, moves);
    if (n == 0) deadEnd = true;
    for (int32_t i = 0; i < n; ++i) {
        Position next = q;
        expert::Apply(next, moves[i]);
        CompleteCovers(next, laid | moves[i].cards, keys, deadEnd);
    }
}

// The engine's legal moves as whole plays.
Keys EngineKeys(const Position& p, bool& deadEnd) {
    Keys keys;
    Move moves[expert::kMaxMoves];
    const int32_t n = expert::LegalMoves(p, moves);
    for (int32_t i = 0; i < n; ++i) {
        if (moves[i].kind == expert::kMoveCover && Several(p)) {
            Position q = p;
            expert::Apply(q, moves[i]);
            CompleteCovers(q, moves[i].cards, keys, deadEnd);
        } else {
            keys.insert({moves[i].kind, moves[i].cards});
        }
    }
    return keys;
}

// The engine's moves that make the play: one, or one cover after another.
bool CoverSequence(const Position& p, CardSet set, std::vector<Move>& out) {
    if (p.phase != expert::kCovering && !Several(p)) return set == 0;
    if (set == 0) return false;
    Move moves[expert::kMaxMoves];
    const int32_t n = expert::LegalMoves(p, moves);
    for (int32_t i = 0; i < n; ++i) {
        if (moves[i].kind != expert::kMoveCover || (moves[i].cards & ~set) != 0) continue;
        Position next = p;
        expert::Apply(next, moves[i]);
        out.push_back(moves[i]);
        if (CoverSequence(next, set & ~moves[i].cards, out)) return true;
        out.pop_back();
    }
    return false;
}

std::vector<Move> MovesFor(const Position& p, const Key& key) {
    std::vector<Move> out;
    if (key.kind == expert::kMoveCover && Several(p)) {
        if (!CoverSequence(p, key.cards, out)) out.clear();
        return out;
    }
    Move moves[expert::kMaxMoves];
    const int32_t n = expert::LegalMoves(p, moves);
    for (int32_t i = 0; i < n; ++i)
        if (moves[i].kind == key.kind && moves[i].cards == key.cards) out.push_back(moves[i]);
    if (out.size() > 1) out.resize(1);
    return out;
}

// What differs between the engine's position and the game's, field by field.
std::string Differences(const Position& engine, const Position& game) {
    std::string out;
    auto cards = [&](const char* what, CardSet e, CardSet g) {
        if (e != g)
            out += std::string("  ") + what + ": engine " + expert::CardNames(e) + ", game " +
                   expert::CardNames(g) + "\n";
    };
    auto word = [&](const char* what, int32_t e, int32_t g) {
        if (e != g)
            out += std::string("  ") + what + ": engine " + std::to_string(e) + ", game " +
                   std::to_string(g) + "\n";
    };
    cards("human hand", engine.hand[expert::kHuman], game.hand[expert::kHuman]);
    cards("computer hand", engine.hand[expert::kComputer], game.hand[expert::kComputer]);
    cards("attack", engine.attack, game.attack);
    cards("cover", engine.cover, game.cover);
    cards("discard", engine.discard, game.discard);
    if (engine.phase != expert::kGive) cards("open", engine.open, game.open);
    word("stock count", engine.stockCount, game.stockCount);
    if (engine.stockCount == game.stockCount &&
        !std::equal(engine.stock, engine.stock + engine.stockCount, game.stock))
        out += "  stock order differs\n";
    word("trump card", engine.trumpCard, game.trumpCard);
    word("trump suit", engine.trumpSuit, game.trumpSuit);
    word("type", engine.type, game.type);
    word("phase", engine.phase, game.phase);
    word("attacker", engine.attacker, game.attacker);
    word("leader", engine.leader, game.leader);
    word("transfer open", engine.transferOpen, game.transferOpen);
    word("human hand at opening", engine.handAtOpening[expert::kHuman],
         game.handAtOpening[expert::kHuman]);
    word("computer hand at opening", engine.handAtOpening[expert::kComputer],
         game.handAtOpening[expert::kComputer]);
    if (game.phase == expert::kGive) word("extras left", engine.extrasLeft, game.extrasLeft);
    word("winner", engine.winner, game.winner);
    return out;
}

// The rule checks of the game, on cards made for the question.
// The position's trump suit, not the game's: a check may follow a game
// that has ended and been dealt anew.
Card MakeCard(const Position& p, int32_t id) {
    Card c{};
    InitCard(c);
    c.suit = expert::SuitOf(id);
    c.rank = expert::RankOf(id);
    c.isTrump = c.suit == p.trumpSuit ? 1 : 0;
    return c;
}

struct ScratchPile {
    CardPile pile{};
    ScratchPile(const Position& p, CardSet cards) {
        InitPile(pile);
        SetTrumpSuit(pile, p.trumpSuit);
        for (; cards != 0; cards &= cards - 1) {
            const int32_t id = Lowest(cards);
            AddCard(pile, expert::SuitOf(id), expert::RankOf(id));
        }
    }
    ~ScratchPile() { ClearPile(pile); }
    ScratchPile(const ScratchPile&) = delete;
    ScratchPile& operator=(const ScratchPile&) = delete;
};

bool RankOnTableOf(const Position& p, int32_t id) {
    ScratchPile attack(p, p.attack), cover(p, p.cover);
    const int32_t rank = expert::RankOf(id);
    return FindRank(attack.pile, rank) != 0 || FindRank(cover.pile, rank) != 0;
}

bool CoverAllAccepts(const Position& p, CardSet chosen) {
    ScratchPile attack(p, p.attack), defence(p, chosen);
    return CoverAll(attack.pile, defence.pile) == 0;
}

// The k-card subsets of from: every one when there are at most limit,
// else limit drawn at random.
std::vector<CardSet> Subsets(CardSet from, int32_t k, int32_t limit, std::mt19937& rng) {
    std::vector<int32_t> ids;
    for (CardSet c = from; c != 0; c &= c - 1)
        ids.push_back(Lowest(c));
    const int32_t n = static_cast<int32_t>(ids.size());
    std::vector<CardSet> out;
    if (k > n || k <= 0) return out;
    double total = 1;
    for (int32_t i = 0; i < k; ++i)
        total = total * (n - i) / (i + 1);
    if (total <= limit) {
        std::vector<int32_t> pick(static_cast<size_t>(k));
        for (int32_t i = 0; i < k; ++i)
            pick[static_cast<size_t>(i)] = i;
        for (;;) {
            CardSet s = 0;
            for (int32_t i : pick)
                s |= Bit(ids[static_cast<size_t>(i)]);
            out.push_back(s);
            int32_t i = k - 1;
            while (i >= 0 && pick[static_cast<size_t>(i)] == n - k + i)
                --i;
            if (i < 0) break;
            ++pick[static_cast<size_t>(i)];
            for (int32_t j = i + 1; j < k; ++j)
                pick[static_cast<size_t>(j)] = pick[static_cast<size_t>(j - 1)] + 1;
        }
        return out;
    }
    for (int32_t t = 0; t < limit; ++t) {
        std::shuffle(ids.begin(), ids.end(), rng);
        CardSet s = 0;
        for (int32_t i = 0; i < k; ++i)
            s |= Bit(ids[static_cast<size_t>(i)]);
        out.push_back(s);
    }
    return out;
}

// What the computer's routines may lay with the cards chosen, by the rule
// checks they call: Lead/ThrowIn/Cover/Transfer/Extra, or the play that
// lays nothing.
Keys ComputerOutcomes(const Position& p, CardSet chosen) {
    Keys out;
    const CardSet hand = p.hand[expert::kComputer];
    const int32_t humanCards = Count(p.hand[expert::kHuman]);
    const bool single = Count(chosen) == 1 && (chosen & hand) != 0;
    const int32_t card = chosen != 0 ? Lowest(chosen) : expert::kNoCard;
    switch (p.phase) {
        case expert::kLead:
            if (single) out.insert({expert::kMoveLead, chosen});
            break;
        case expert::kAttack:
            if (chosen == 0) out.insert({expert::kMoveEndBout, 0});
            if (single && humanCards > 0 && RankOnTableOf(p, card))
                out.insert({expert::kMoveThrowIn, chosen});
            break;
        case expert::kDefend: {
            if (chosen == 0) out.insert({expert::kMoveTake, 0});
            const int32_t attackRank = expert::RankOf(Lowest(p.open));
            if (single && TypeTraits(gameType).transfer && p.transferOpen == 1 &&
                expert::RankOf(card) == attackRank && humanCards >= Count(p.attack) + 1)
                out.insert({expert::kMoveTransfer, chosen});
            if (Several(p)) {
                if ((chosen & ~hand) == 0 && Count(chosen) == Count(p.open) &&
                    CoverAllAccepts(p, chosen))
                    out.insert({expert::kMoveCover, chosen});
            } else if (single && CanCover(MakeCard(p, card), MakeCard(p, Lowest(p.open))) > 0) {
                out.insert({expert::kMoveCover, chosen});
            }
            break;
        }
        case expert::kGive:
            if (chosen == 0) out.insert({expert::kMoveStop, 0});
            if (single && p.extrasLeft > 0 && humanCards > 0 && RankOnTableOf(p, card))
                out.insert({expert::kMoveExtra, chosen});
            break;
        default:
            break;
    }
    return out;
}

Keys WithCards(const Keys& keys, CardSet cards) {
    Keys out;
    for (const Key& k : keys)
        if (k.cards == cards) out.insert(k);
    return out;
}

struct Trial {
    bool button = false;
    CardSet selection = 0;
    int answer = IDYES;  // to "Transfer?", if asked
};

class Harness;
Harness* listening = nullptr;

class Harness {
  public:
    Harness(const Options& options, Summary& summary)
        : options_(options), summary_(summary), rng_(options.seed) {}
    void PlayRun(int32_t type);
    bool Done() const { return summary_.Positions() >= options_.positions; }

  private:
    bool OnInput();
    void OnEvent(const PlayEvent& event);
    static void Listen(const PlayEvent& event) {
        if (listening) listening->OnEvent(event);
    }
    // Asked each decision, the harness notes what the engine's Classic
    // would play and leaves the decision to the rules.
    static bool Ask(ComputerQuestion question, ComputerAnswer*) {
        if (listening) listening->PredictClassic(question);
        return false;
    }
    void PredictClassic(ComputerQuestion question);
    void CompareClassic(const Position& p, const std::vector<Move>& played);
    void Mismatch(const std::string& what, const Position* engine, const Position* game = nullptr);
    void Track();
    bool ComputerMove(size_t& i, std::vector<Move>& out);
    void CheckComputer(const Position& p);
    void CompareComputer(const Position& p, const Keys& engine);
    void CompareHumanCovers(const Position& p, const Keys& engine);
    void HumanTurn();
    Key RunTrial(const Trial& t, const std::string& snapshot, bool* asked);
    void Restore(const std::string& snapshot);
    void Perform(const Trial& t);
    std::string Decision(const Position& p, int32_t seat) const;

    const Options& options_;
    Summary& summary_;
    std::mt19937 rng_;
    int32_t runGames_ = 0;
    int32_t movesInGame_ = 0;
    bool exiting_ = false;
    bool trying_ = false;
    bool asked_ = false;
    int answer_ = IDYES;
    std::vector<PlayEvent> events_, trialEvents_;
    // Each new deal as read when it was told, by its event's place.
    std::map<size_t, std::pair<bool, Position>> dealt_;
    Position p_{};
    bool valid_ = false;
    struct Prediction {
        Position p;
        Key key;
    };
    std::vector<Prediction> predictions_;
    uint32_t savedComputerWins_ = 0, savedHumanWins_ = 0, savedSerial_ = 0;
};

void Harness::PlayRun(int32_t type) {
    runGames_ = 0;
    movesInGame_ = 0;
    exiting_ = false;
    valid_ = false;
    events_.clear();
    dealt_.clear();
    HeadlessStartAtDpi(96);
    HeadlessSetDrawing(false);
    auto pick = [this](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); };
    HeadlessSetClock(pick(0, 23), pick(0, 59), pick(0, 59), pick(0, 999));
    SaveSetting(static_cast<uint32_t>(type), kValueGameType);
    ProgramHooks hooks;
    hooks.started = [this] {
        listening = this;
        playListener = Listen;
        HeadlessSetInputSource([this] { return OnInput(); });
    };
    SetChooserFromCaller(Ask);
    hooks.ended = [] {
        SetChooserFromCaller(nullptr);
        HeadlessSetInputSource(nullptr);
        playListener = nullptr;
        listening = nullptr;
    };
    RunProgram(L"", hooks);
}

void Harness::OnEvent(const PlayEvent& event) {
    if (trying_) {
        trialEvents_.push_back(event);
        return;
    }
    events_.push_back(event);
    if (event.kind == PlayGameOver) {
        ++summary_.games;
        ++runGames_;
    }
    if (event.kind != PlayNewGame) return;
    // The deal as it stands before the opener's first card.
    Position p;
    const bool read = expert::PositionFromGame(p) == 1;
    p.attacker = event.side == SideHuman ? expert::kHuman : expert::kComputer;
    p.phase = expert::kLead;
    dealt_[events_.size() - 1] = {read, p};
}

bool Harness::OnInput() {
    if (HeadlessOpenBoxes() > 0) {
        const std::vector<BoxRecord>& boxes = HeadlessBoxes();
        int answer = IDOK;
        if (!boxes.empty() && boxes.back().text == LoadText(IDS_ASK_TRANSFER)) {
            asked_ = true;
            answer = answer_;
        }
        HeadlessQueueBoxAnswer(answer);
        return true;
    }
    if (exiting_) return false;
    HeadlessClearBoxes();
    HeadlessClearInvalidations();
    Track();
    if (runGames_ >= options_.gamesPerRun || Done()) {
        exiting_ = true;
        PostMessageW(mainWindow, WM_COMMAND, IDM_EXIT, 0);
        return true;
    }
    if (movesInGame_ >= options_.moveCap) {
        ++summary_.abandoned;
        movesInGame_ = 0;
        valid_ = false;
        SendMessageW(mainWindow, WM_COMMAND, IDM_NEW, 0);
        return true;
    }
    HumanTurn();
    return true;
}

std::string Harness::Decision(const Position& p, int32_t seat) const {
    std::string what = seat == expert::kHuman ? "human " : "computer ";
    what += p.phase >= expert::kLead && p.phase <= expert::kOver ? kPhaseWords[p.phase] : "?";
    if (Several(p)) what += " several";
    return what;
}

void Harness::Mismatch(const std::string& what, const Position* engine, const Position* game) {
    ++summary_.mismatches;
    if (summary_.reports.size() >= kReportsKept) return;
    std::string report = "game " + std::to_string(summary_.games + 1) + ", type " +
                         std::to_string(gameType) + ": " + what + "\n";
    if (engine) report += "engine:\n  " + expert::Describe(*engine);
    if (game) report += "game:\n  " + expert::Describe(*game);
    summary_.reports.push_back(report);
}

// The computer's moves since the human's last, read from the account of
// play and followed in the engine, each checked against the rule checks.
void Harness::Track() {
    size_t i = 0;
    for (;;) {
        if (!valid_) {
            while (i < events_.size() && events_[i].kind != PlayNewGame)
                ++i;
            if (i == events_.size()) break;
            const auto& [read, dealt] = dealt_[i++];
            if (!read) {
                Mismatch("the new deal could not be read", nullptr);
                continue;
            }
            p_ = dealt;
            valid_ = true;
            movesInGame_ = 0;
            continue;
        }
        if (p_.phase == expert::kOver) {
            size_t j = i;
            while (j < events_.size() && events_[j].kind != PlayGameOver) {
                if (events_[j].side == SideComputer && events_[j].kind >= PlayLead &&
                    events_[j].kind <= PlayExtra)
                    Mismatch("the computer laid a card after the engine's game had ended", &p_);
                ++j;
            }
            if (j == events_.size()) {
                Mismatch("the engine's game ended, the game's did not", &p_);
                valid_ = false;
                break;
            }
            if (events_[j].side != p_.winner) Mismatch("another winner", &p_);
            i = j + 1;
            valid_ = false;
            continue;
        }
        if (expert::ToMove(p_) != expert::kComputer) break;
        ++summary_.computerPositions;
        ++summary_.byDecision[Decision(p_, expert::kComputer)];
        ++summary_.byType[p_.type];
        CheckComputer(p_);
        std::vector<Move> moves;
        if (!ComputerMove(i, moves)) {
            valid_ = false;
            break;
        }
        CompareClassic(p_, moves);
        for (const Move& m : moves)
            expert::Apply(p_, m);
    }
    for (size_t j = i; j < events_.size() && valid_; ++j) {
        const PlayEvent& e = events_[j];
        if (e.side == SideComputer && e.kind >= PlayLead && e.kind <= PlayExtra) {
            Mismatch("the computer laid a card while the engine waits for the human", &p_);
            valid_ = false;
        } else if (e.kind == PlayGameOver) {
            Mismatch("the game ended, the engine's did not", &p_);
            valid_ = false;
        }
    }
    if (valid_ && !predictions_.empty())
        Mismatch("Classic was asked " + std::to_string(predictions_.size()) +
                     " time(s) more than the computer decided",
                 &p_);
    predictions_.clear();
    events_.clear();
    dealt_.clear();
}

void Harness::PredictClassic(ComputerQuestion question) {
    Position p;
    if (trying_ || expert::PositionFromGame(p) == 0) return;
    expert::AtQuestion(question, p);
    if (expert::ClassicAttacking(p, expert::kComputer) != (computerAttacks == 1))
        Mismatch("Classic weighs trumps as " +
                     std::string(computerAttacks == 1 ? "a defender" : "an attacker"),
                 &p);
    const expert::ClassicSeat seat = expert::ClassicSeatFromGame(expert::kComputer);
    Move play[expert::kCards];
    const int32_t n = expert::ClassicPlay(p, seat, play);
    Key key{n > 0 ? play[0].kind : int8_t{-1}, 0};
    for (int32_t m = 0; m < n; ++m)
        key.cards |= play[m].cards;
    predictions_.push_back({p, key});
}

// The rules' decision against Classic's at the same question. A decision
// the rules make unasked has one move: the computer's throw-in to a hand
// already empty.
void Harness::CompareClassic(const Position& p, const std::vector<Move>& played) {
    Key actual{played[0].kind, 0};
    for (const Move& m : played)
        actual.cards |= m.cards;
    const bool asked =
        !predictions_.empty() &&
        predictions_.front().p.hand[expert::kComputer] == p.hand[expert::kComputer] &&
        predictions_.front().p.phase == p.phase &&
        (predictions_.front().p.attack | predictions_.front().p.cover) == (p.attack | p.cover);
    if (!asked) {
        Move moves[expert::kMaxMoves];
        if (expert::LegalMoves(p, moves) > 1) Mismatch("the computer decided unasked", &p);
        return;
    }
    const Key predicted = predictions_.front().key;
    predictions_.erase(predictions_.begin());
    ++summary_.classicDecisions;
    if (predicted != actual)
        Mismatch("Classic plays " + KeysText({predicted}) + ", the rules " + KeysText({actual}),
                 &p);
}

// The computer's decision as the events tell it.
bool Harness::ComputerMove(size_t& i, std::vector<Move>& out) {
    auto laid = [](const PlayEvent& e) {
        return e.side == SideComputer && e.kind >= PlayLead && e.kind <= PlayExtra;
    };
    auto card = [](const PlayEvent& e) { return expert::CardOf(e.card.suit, e.card.rank); };
    // The first event from i that is a computer card or one of the ends.
    auto next = [&](std::initializer_list<PlayKind> ends) {
        size_t j = i;
        for (; j < events_.size(); ++j) {
            if (laid(events_[j])) break;
            if (std::find(ends.begin(), ends.end(), events_[j].kind) != ends.end()) break;
        }
        return j;
    };
    Key key{expert::kMoveLead, 0};
    size_t j = 0;
    switch (p_.phase) {
        case expert::kLead:
            j = next({PlayGameOver, PlayNewGame});
            if (j == events_.size() || !laid(events_[j]) || events_[j].kind != PlayLead) {
                Mismatch("the engine waits for the computer's lead; it did not lead", &p_);
                return false;
            }
            key = {expert::kMoveLead, Bit(card(events_[j]))};
            i = j + 1;
            break;
        case expert::kAttack:
            j = next({PlayBeaten, PlayGameOver, PlayNewGame});
            if (j < events_.size() && laid(events_[j]) && events_[j].kind == PlayThrowIn) {
                key = {expert::kMoveThrowIn, Bit(card(events_[j]))};
                i = j + 1;
            } else {
                key = {expert::kMoveEndBout, 0};
                if (j < events_.size() && events_[j].kind == PlayBeaten) i = j + 1;
            }
            break;
        case expert::kDefend:
            j = next({PlayTake, PlayGameOver, PlayNewGame});
            if (j < events_.size() && laid(events_[j]) && events_[j].kind == PlayTransfer) {
                key = {expert::kMoveTransfer, Bit(card(events_[j]))};
                i = j + 1;
            } else if (j < events_.size() && laid(events_[j]) && events_[j].kind == PlayCover) {
                key = {expert::kMoveCover, 0};
                for (; j < events_.size() && laid(events_[j]) && events_[j].kind == PlayCover; ++j)
                    key.cards |= Bit(card(events_[j]));
                i = j;
            } else {
                key = {expert::kMoveTake, 0};
            }
            break;
        case expert::kGive:
            j = next({PlayTake, PlayGameOver, PlayNewGame});
            if (j < events_.size() && laid(events_[j]) && events_[j].kind == PlayExtra) {
                key = {expert::kMoveExtra, Bit(card(events_[j]))};
                i = j + 1;
            } else {
                key = {expert::kMoveStop, 0};
            }
            break;
        default:
            Mismatch("the engine waits for the computer in no phase it decides in", &p_);
            return false;
    }
    out = MovesFor(p_, key);
    if (out.empty()) {
        Mismatch("the computer's play is no legal move of the engine: " +
                     expert::Describe(Move{key.cards, key.kind, expert::kNoCard}),
                 &p_);
        return false;
    }
    return true;
}

// Each candidate the computer could choose: the engine lists it exactly
// when the rule checks allow it.
void Harness::CheckComputer(const Position& p) {
    bool deadEnd = false;
    const Keys engine = EngineKeys(p, deadEnd);
    if (deadEnd) Mismatch("a cover of several cards leads the engine to a dead end", &p);
    CompareComputer(p, engine);
}

void Harness::CompareComputer(const Position& p, const Keys& engine) {
    std::set<CardSet> chosen{0};
    const CardSet hand = p.hand[expert::kComputer];
    for (CardSet c = hand; c != 0; c &= c - 1)
        chosen.insert(Bit(Lowest(c)));
    if (Several(p))
        for (CardSet s : Subsets(hand, Count(p.open), options_.checkLimit, rng_))
            chosen.insert(s);
    for (const Key& k : engine)
        chosen.insert(k.cards);
    for (CardSet s : chosen) {
        const Keys truth = ComputerOutcomes(p, s), listed = WithCards(engine, s);
        if (truth != listed)
            Mismatch("the computer with " + expert::CardNames(s) + ": the rule checks allow " +
                         KeysText(truth) + ", the engine lists " + KeysText(listed),
                     &p);
    }
}

// The human's covers of several cards by the rule check the confirm calls,
// many more than can be tried on the game.
void Harness::CompareHumanCovers(const Position& p, const Keys& engine) {
    std::set<CardSet> chosen;
    for (CardSet s : Subsets(p.hand[expert::kHuman], Count(p.open), options_.checkLimit, rng_))
        chosen.insert(s);
    for (const Key& k : engine)
        if (k.kind == expert::kMoveCover) chosen.insert(k.cards);
    for (CardSet s : chosen) {
        const bool truth = CoverAllAccepts(p, s);
        const bool listed = engine.count({expert::kMoveCover, s}) != 0;
        if (truth != listed)
            Mismatch(std::string("the rule check ") + (truth ? "accepts" : "refuses") +
                         " the cover " + expert::CardNames(s) + ", the engine " +
                         (listed ? "lists" : "does not list") + " it",
                     &p);
    }
}

void Harness::Restore(const std::string& snapshot) {
    SnapshotExtras extras;
    if (ReadSnapshot(snapshot, gameType, &extras) != kSnapshotRead)
        Mismatch("the game's own snapshot could not be read back", nullptr);
    computerWins = savedComputerWins_;
    humanWins = savedHumanWins_;
    gameSerial = savedSerial_;
    HeadlessClearBoxes();
}

// The hand's selection made as taps would make it: the unwanted cards
// first, since a tap that selects one card alone drops the others.
void SelectByTaps(CardSet cards) {
    for (int32_t want : {0, 1})
        for (int32_t i = 1; i <= humanHand.count; ++i) {
            const Card& c = CardAt(humanHand, i);
            const int32_t id = expert::CardOf(c.suit, c.rank);
            const bool wanted = id >= 0 && (cards & Bit(id)) != 0;
            if (wanted == (want == 1) && c.selected != want) TapHandCard(i);
        }
}

void Harness::Perform(const Trial& t) {
    answer_ = t.answer;
    asked_ = false;
    if (t.button) {
        PressLowerButton();
    } else {
        SelectByTaps(t.selection);
        PlaySelection();
    }
}

// What the game made of a candidate, tried on a copy: the play made, or
// kind -1 when refused.
Key Harness::RunTrial(const Trial& t, const std::string& snapshot, bool* asked) {
    Restore(snapshot);
    trialEvents_.clear();
    trying_ = true;
    Perform(t);
    trying_ = false;
    *asked = asked_;
    ++summary_.trials;
    Key key{-1, 0};
    for (const PlayEvent& e : trialEvents_) {
        if (e.side != SideHuman || e.kind < PlayLead || e.kind > PlayExtra) continue;
        static constexpr int8_t kKinds[] = {expert::kMoveLead, expert::kMoveThrowIn,
                                            expert::kMoveCover, expert::kMoveTransfer,
                                            expert::kMoveExtra};
        key.kind = kKinds[e.kind - PlayLead];
        key.cards |= Bit(expert::CardOf(e.card.suit, e.card.rank));
    }
    if (key.kind >= 0 || !t.button) return key;
    for (const PlayEvent& e : trialEvents_) {
        if (e.kind != PlayTake && e.kind != PlayBeaten) continue;
        switch (p_.phase) {
            case expert::kAttack:
                return {expert::kMoveEndBout, 0};
            case expert::kDefend:
                return {expert::kMoveTake, 0};
            case expert::kGive:
                return {expert::kMoveStop, 0};
            default:
                return {-2, 0};  // a button the engine knows no play for
        }
    }
    return key;
}

void Harness::HumanTurn() {
    Position live;
    if (expert::PositionFromGame(live) != 1) {
        Mismatch("the game waits for the human in no state the engine can read", nullptr);
        valid_ = false;
        return;
    }
    if (valid_) {
        const std::string diff = Differences(p_, live);
        if (!diff.empty()) Mismatch("the engine stands elsewhere:\n" + diff, &p_, &live);
    }
    p_ = live;
    valid_ = true;
    if (expert::ToMove(p_) != expert::kHuman) {
        Mismatch("the game waits for the human, the engine for someone else", &p_);
        valid_ = false;
        return;
    }
    ++summary_.humanPositions;
    ++summary_.byDecision[Decision(p_, expert::kHuman)];
    ++summary_.byType[p_.type];
    bool deadEnd = false;
    const Keys engine = EngineKeys(p_, deadEnd);
    if (deadEnd) Mismatch("a cover of several cards leads the engine to a dead end", &p_);
    if (Several(p_)) CompareHumanCovers(p_, engine);

    // The candidates: the button, each card alone, and before several open
    // cards the selections of several.
    std::vector<Trial> trials;
    trials.push_back({true, 0, IDYES});
    const CardSet hand = p_.hand[expert::kHuman];
    for (CardSet c = hand; c != 0; c &= c - 1)
        trials.push_back({false, Bit(Lowest(c)), IDYES});
    if (Several(p_)) {
        std::set<CardSet> several;
        const CardSet ofRank = hand & expert::RankCards(expert::RankOf(Lowest(p_.open)));
        for (CardSet s = ofRank; s != 0; s = (s - 1) & ofRank)
            if (Count(s) > 1) several.insert(s);
        std::vector<CardSet> listed;
        for (const Key& k : engine)
            if (Count(k.cards) > 1) listed.push_back(k.cards);
        std::shuffle(listed.begin(), listed.end(), rng_);
        if (static_cast<int32_t>(listed.size()) > options_.tryLimit)
            listed.resize(static_cast<size_t>(options_.tryLimit));
        several.insert(listed.begin(), listed.end());
        for (CardSet s : Subsets(hand, Count(p_.open), options_.tryLimit, rng_))
            several.insert(s);
        for (CardSet s : several)
            trials.push_back({false, s, IDYES});
    }

    const std::string snapshot = SnapshotText(SnapshotExtras{});
    savedComputerWins_ = computerWins;
    savedHumanWins_ = humanWins;
    savedSerial_ = gameSerial;
    std::vector<std::pair<Key, Trial>> accepted;
    std::set<CardSet> tried;
    Keys outcomes;
    for (size_t t = 0; t < trials.size(); ++t) {
        bool asked = false;
        const Key key = RunTrial(trials[t], snapshot, &asked);
        if (asked && trials[t].answer == IDYES)
            trials.push_back({false, trials[t].selection, IDNO});
        tried.insert(trials[t].selection);
        if (key.kind == -2) Mismatch("the button made a play the engine has no name for", &p_);
        if (key.kind < 0) continue;
        if (key.cards != trials[t].selection)
            Mismatch("the game laid " + expert::CardNames(key.cards) + " for the selection " +
                         expert::CardNames(trials[t].selection),
                     &p_);
        outcomes.insert(key);
        accepted.push_back({key, trials[t]});
    }
    for (CardSet s : tried) {
        const Keys truth = WithCards(outcomes, s), listed = WithCards(engine, s);
        if (truth != listed)
            Mismatch("the human with " +
                         (s == 0 ? std::string("the button") : expert::CardNames(s)) +
                         ": the game accepts " + KeysText(truth) + ", the engine lists " +
                         KeysText(listed),
                     &p_);
    }
    Restore(snapshot);
    if (accepted.empty()) {
        Mismatch("the human has no move", &p_);
        valid_ = false;
        SendMessageW(mainWindow, WM_COMMAND, IDM_NEW, 0);
        return;
    }

    // Half the time the cheapest play, as a careful player; else any.
    size_t pick = std::uniform_int_distribution<size_t>(0, accepted.size() - 1)(rng_);
    if (rng_() % 2 == 0) {
        auto cost = [this](const Key& k) {
            int32_t c = k.cards == 0 ? 13 : 0;
            for (CardSet s = k.cards; s != 0; s &= s - 1)
                c = std::max(c, expert::RankOf(Lowest(s)) +
                                    (expert::SuitOf(Lowest(s)) == p_.trumpSuit ? 20 : 0));
            return c;
        };
        for (size_t a = 0; a < accepted.size(); ++a)
            if (cost(accepted[a].first) < cost(accepted[pick].first)) pick = a;
    }
    const std::vector<Move> moves = MovesFor(p_, accepted[pick].first);
    if (moves.empty()) {
        valid_ = false;
    } else {
        for (const Move& m : moves)
            expert::Apply(p_, m);
    }
    ++movesInGame_;
    events_.clear();
    dealt_.clear();
    Perform(accepted[pick].second);
    Track();
}

}  // namespace

Summary Run(const Options& options) {
    Summary summary;
    if (options.types.empty()) return summary;
    // Every game the trials end writes the score: on a memory file system
    // when there is one, where a flush costs nothing.
    TempFolder store(std::filesystem::is_directory("/dev/shm") ? "/dev/shm/velmora-expert-XXXXXX"
                                                               : "/tmp/velmora-expert-XXXXXX");
    PlatformSetConfigHome(store.path.c_str());
    Harness harness(options, summary);
    while (!harness.Done()) {
        for (int32_t type : options.types) {
            if (harness.Done()) break;
            harness.PlayRun(type);
        }
    }
    PlatformSetConfigHome(nullptr);
    return summary;
}

}  // namespace expert_difference
