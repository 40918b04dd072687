#include "tools/soak/soak.h"

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <random>

#include "app/account.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/host.h"
#include "game/state.h"
#include "game/types.h"
#include "platform/headless/headless.h"
#include "res/ids.h"
#include "res/resources.h"
#include "tools/soak/player.h"

namespace soak {

namespace {

struct Plan {
    int32_t type;
    int64_t games;
};

// Each type's share in runs of at most gamesPerRun, the types taking turns.
std::vector<Plan> PlanRuns(const Options& o) {
    const int64_t typeCount = static_cast<int64_t>(o.types.size());
    const int64_t perRun = std::max<int64_t>(1, o.gamesPerRun);
    std::vector<int64_t> left;
    for (int64_t i = 0; i < typeCount; ++i)
        left.push_back(o.games / typeCount + (i < o.games % typeCount ? 1 : 0));
    std::vector<Plan> plans;
    for (bool more = true; more;) {
        more = false;
        for (size_t i = 0; i < left.size(); ++i) {
            if (left[i] == 0) continue;
            int64_t n = std::min(left[i], perRun);
            plans.push_back({o.types[i], n});
            left[i] -= n;
            more = true;
        }
    }
    return plans;
}

std::string Narrow(const wchar_t* text);

class Driver;
Driver* listening = nullptr;  // the driver whose checks hear the account of play

class Driver {
  public:
    Driver(const Options& options, Summary& summary, std::mt19937& rng)
        : options_(options), summary_(summary), rng_(rng), player_(rng) {}
    void PlayRun(int32_t type, int64_t games);

  private:
    bool OnInput();
    bool AnswerBox();
    void Observe();
    void TallyBoxes();
    void CountGames();
    void NextMove();
    static void HearPlay(const PlayEvent& event);
    void Fail(const char* check, const std::string& detail, const TableState* before = nullptr,
              const TableState* after = nullptr);
    std::string Where() const;

    const Options& options_;
    Summary& summary_;
    std::mt19937& rng_;
    Player player_;
    int32_t type_ = 0;
    int64_t runGames_ = 0;
    int64_t runDone_ = 0;  // finished or given up in this run
    int64_t game_ = 1;
    int32_t movesInGame_ = 0;
    bool started_ = false;
    bool exiting_ = false;
    bool haveStep_ = false;
    Step step_;
    TableState before_;
    uint32_t serial_ = 0;
};

void Driver::PlayRun(int32_t type, int64_t games) {
    type_ = type;
    runGames_ = games;
    runDone_ = 0;
    movesInGame_ = 0;
    started_ = exiting_ = haveStep_ = false;
    step_ = Step{};

    // As the program starts on the device: the screen, the clock that seeds
    // the deal, the stored game type, then the construction step and WinMain.
    HeadlessStartAtDpi(96);
    HeadlessSetDrawing(options_.draw);
    auto pick = [this](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); };
    HeadlessSetClock(pick(0, 23), pick(0, 59), pick(0, 59), pick(0, 999));
    SaveSetting(static_cast<uint32_t>(type), kValueGameType);
    ProgramHooks hooks;
    hooks.started = [this] {
        if (options_.checks) {
            listening = this;
            playListener = HearPlay;
        }
        HeadlessSetInputSource([this] { return OnInput(); });
    };
    hooks.ended = [this] {
        if (options_.checks) {
            if (!started_) Fail("start", "the program never waited for input");
            if (IsWindow(mainWindow)) Fail("exit", "the main window outlived the Exit command");
            if (humanHand.count + humanTable.count + computerHand.count + computerTable.count != 0)
                Fail("exit", "cards were left in the piles at exit");
        }
        HeadlessSetInputSource(nullptr);
        if (listening == this) {
            playListener = nullptr;
            listening = nullptr;
        }
    };
    RunProgram(L"", hooks);
}

// No sentence may name a card that lies hidden in the computer's hand at
// the moment it is said.
void Driver::HearPlay(const PlayEvent& event) {
    if (!listening || computerHandFaceDown == 0) return;
    const std::wstring sentence = PlaySentence(event);
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        const Card& card = CardAt(computerHand, i);
        const std::wstring name = CardText(card);
        const size_t at = sentence.find(name);
        // "0♣" of "10♣" is no name of its own: ranks are whole words.
        if (at != std::wstring::npos && (at == 0 || sentence[at - 1] == L' ')) {
            listening->Fail("leak", "\"" + Narrow(sentence.c_str()) +
                                        "\" names a card of the computer's hidden hand");
        }
    }
}

// The loop has nothing left to do: the program waits for the human, or a
// box waits for its answer.
bool Driver::OnInput() {
    if (HeadlessOpenBoxes() > 0) return AnswerBox();
    if (exiting_) return false;
    Observe();
    if (runDone_ >= runGames_) {
        exiting_ = true;
        PostMessageW(mainWindow, WM_COMMAND, IDM_EXIT, 0);
        return true;
    }
    NextMove();
    return true;
}

bool Driver::AnswerBox() {
    const std::vector<BoxRecord>& boxes = HeadlessBoxes();
    int answer = IDOK;
    if (!boxes.empty()) {
        const BoxRecord& box = boxes.back();
        if ((box.flags & 0x0F) == MB_YESNO) answer = IDNO;
        if (box.text == L"Transfer?") {
            answer = rng_() % 2 == 0 ? IDYES : IDNO;
            step_.transferAnswer = answer;
            ++(answer == IDYES ? summary_.transferYes : summary_.transferNo);
        }
    }
    ++step_.answeredBoxes;
    HeadlessQueueBoxAnswer(answer);
    return true;
}

void Driver::TallyBoxes() {
    for (const BoxRecord& box : HeadlessBoxes()) {
        if (box.text == L"Transfer?") {
            ++step_.transferQuestions;
        } else if (box.text == L"You win!") {
            ++step_.humanWinBoxes;
        } else if (box.text == L"I win!") {
            ++step_.computerWinBoxes;
        } else {
            step_.strayBoxes.push_back(box.text);
        }
    }
    HeadlessClearBoxes();
}

void Driver::Observe() {
    TallyBoxes();
    HeadlessClearInvalidations();  // the record would only grow
    if (options_.afterMove) options_.afterMove({game_, movesInGame_, haveStep_ ? &step_ : nullptr});
    if (options_.checks) {
        TableState now = Capture();
        Findings findings;
        if (haveStep_) {
            CheckStep(before_, step_, now, findings, !options_.storeFolder.empty());
        } else {
            for (const std::wstring& text : step_.strayBoxes)
                findings.push_back({"boxes", "a box at start said \"" +
                                                 std::string(text.begin(), text.end()) + "\""});
            if (step_.answeredBoxes != static_cast<int>(step_.strayBoxes.size()))
                findings.push_back({"boxes", "a box at start closed without an answer"});
        }
        CheckTable(now, findings);
        for (const Finding& f : findings)
            Fail(f.check, f.detail, haveStep_ ? &before_ : nullptr, &now);
        before_ = now;
    }
    CountGames();
    started_ = true;
}

// A finished game is one the score counts; every new deal starts the move
// count afresh.
void Driver::CountGames() {
    const uint32_t c = computerWins, h = humanWins;
    // Counted by the boxes: with a shared store the counters take in other
    // copies' wins as well.
    const int64_t computerWon = haveStep_ ? step_.computerWinBoxes : 0;
    const int64_t humanWon = haveStep_ ? step_.humanWinBoxes : 0;
    if (started_ && computerWon + humanWon > 0) {
        TypeCount& t = summary_.types[static_cast<size_t>(type_)];
        const int64_t won = computerWon + humanWon;
        t.finished += won;
        t.computerWins += computerWon;
        t.humanWins += humanWon;
        runDone_ += won;
        game_ += won;
        const uint32_t storedC = LoadSetting(kValueComputerWins);
        const uint32_t storedH = LoadSetting(kValueHumanWins);
        const bool shared = !options_.storeFolder.empty();
        if (options_.checks && (shared ? storedC < c || storedH < h : storedC != c || storedH != h))
            Fail("store", "the store holds " + std::to_string(storedH) + ":" +
                              std::to_string(storedC) + " for a score of " + std::to_string(h) +
                              ":" + std::to_string(c));
    }
    if (gameSerial != serial_) {
        movesInGame_ = 0;
        player_.SetCareful(rng_() % 2 == 0);
    }
    serial_ = gameSerial;
}

void Driver::NextMove() {
    bool giveUp = movesInGame_ >= options_.moveCap;
    if (giveUp) {
        ++summary_.types[static_cast<size_t>(type_)].capped;
        if (summary_.firstCap.empty())
            summary_.firstCap = Where() + ": no end after " + std::to_string(movesInGame_) +
                                " human moves\n  " + Describe(Capture());
    } else if (!player_.Choose(&step_)) {
        Fail("move", "the human has no move", nullptr, nullptr);
        giveUp = true;
    }
    if (giveUp) {
        // Given up: the menu's New deals afresh and the game counts for nobody.
        step_ = Step{};
        step_.action = Action::MenuNew;
        step_.what = "New from the menu";
        ++runDone_;
        ++game_;
    } else {
        ++movesInGame_;
        ++summary_.moves;
        ++summary_.movesByKind[step_.what];
        if (step_.expect == Expect::Refused) ++summary_.refusedMoves;
    }
    haveStep_ = true;
    Player::Perform(step_);
}

std::string Driver::Where() const {
    std::string where = "game " + std::to_string(game_) + " (type " + std::to_string(type_);
    if (!haveStep_) return where + ", the deal)";
    where += ", human move " + std::to_string(movesInGame_) + ": " + step_.what;
    if (step_.action == Action::Confirm || step_.action == Action::Give)
        where += " [" + Names(step_.selection) + "]";
    if (step_.transferQuestions > 0)
        where += step_.transferAnswer == IDYES ? ", transfer: yes" : ", transfer: no";
    return where + ")";
}

void Driver::Fail(const char* check, const std::string& detail, const TableState* before,
                  const TableState* after) {
    ++summary_.failures;
    ++summary_.failuresByCheck[check];
    if (!summary_.firstFailure.empty()) return;
    summary_.firstFailure = Where() + ": " + check + ": " + detail;
    if (before) summary_.firstFailure += "\n  before: " + Describe(*before);
    if (after) summary_.firstFailure += "\n  after: " + Describe(*after);
}

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; text && *text; ++text)
        out += *text < 0x80 ? static_cast<char>(*text) : '?';
    return out;
}

}  // namespace

int64_t Summary::Finished() const {
    int64_t n = 0;
    for (const TypeCount& t : types)
        n += t.finished;
    return n;
}

int64_t Summary::Capped() const {
    int64_t n = 0;
    for (const TypeCount& t : types)
        n += t.capped;
    return n;
}

Summary Run(const Options& options) {
    Summary summary;
    if (options.types.empty() || options.games <= 0) return summary;
    std::optional<TemporaryStore> temporary;
    if (options.storeFolder.empty()) {
        temporary.emplace();
    } else {
        PlatformSetConfigHome(options.storeFolder.c_str());
    }
    if (temporary && !temporary->Ok()) {
        summary.failures = 1;
        summary.failuresByCheck["store"] = 1;
        summary.firstFailure = "no temporary folder for the store";
        return summary;
    }
    std::mt19937 rng(options.seed);
    Driver driver(options, summary, rng);
    for (const Plan& plan : PlanRuns(options))
        driver.PlayRun(plan.type, plan.games);
    if (!temporary) PlatformSetConfigHome(nullptr);
    return summary;
}

void Print(std::FILE* out, const Options& options, const Summary& summary) {
    RegisterResources();  // the type names come from the string table
    std::fprintf(out, "velmora-soak: %lld games, seed %u, types",
                 static_cast<long long>(options.games), options.seed);
    for (int32_t t : options.types)
        std::fprintf(out, " %d", t);
    std::fprintf(out, "\n\n  %-24s %9s %9s %9s %7s\n", "type", "finished", "human", "computer",
                 "capped");
    TypeCount all;
    for (int32_t t : options.types) {
        const TypeCount& c = summary.types[static_cast<size_t>(t)];
        std::string name = std::to_string(t) + " " + Narrow(LoadText(TypeTraits(t).name));
        std::fprintf(out, "  %-24s %9lld %9lld %9lld %7lld\n", name.c_str(),
                     static_cast<long long>(c.finished), static_cast<long long>(c.humanWins),
                     static_cast<long long>(c.computerWins), static_cast<long long>(c.capped));
        all.finished += c.finished;
        all.humanWins += c.humanWins;
        all.computerWins += c.computerWins;
        all.capped += c.capped;
    }
    std::fprintf(out, "  %-24s %9lld %9lld %9lld %7lld\n\n", "all",
                 static_cast<long long>(all.finished), static_cast<long long>(all.humanWins),
                 static_cast<long long>(all.computerWins), static_cast<long long>(all.capped));
    std::fprintf(out, "human moves: %lld, of them refused on purpose: %lld\n",
                 static_cast<long long>(summary.moves),
                 static_cast<long long>(summary.refusedMoves));
    std::fprintf(out, "\"Transfer?\" answered yes %lld times, no %lld times\n",
                 static_cast<long long>(summary.transferYes),
                 static_cast<long long>(summary.transferNo));
    for (const auto& [kind, count] : summary.movesByKind)
        std::fprintf(out, "  %-32s %9lld\n", kind.c_str(), static_cast<long long>(count));
    std::fprintf(out, "checks failed: %lld", static_cast<long long>(summary.failures));
    const char* separator = " (";
    for (const auto& [check, count] : summary.failuresByCheck) {
        std::fprintf(out, "%s%s %lld", separator, check.c_str(), static_cast<long long>(count));
        separator = ", ";
    }
    std::fprintf(out, "%s\n", summary.failuresByCheck.empty() ? "" : ")");
    if (!summary.firstFailure.empty())
        std::fprintf(out, "first failure: %s\n", summary.firstFailure.c_str());
    if (!summary.firstCap.empty())
        std::fprintf(out, "first game over the move cap: %s\n", summary.firstCap.c_str());
}

TemporaryStore::TemporaryStore(const char* prefix) {
    for (const char* base : {"/dev/shm", "/tmp"}) {
        std::string pattern = std::string(base) + "/" + prefix + "-XXXXXX";
        if (mkdtemp(pattern.data())) {
            path_ = pattern;
            break;
        }
    }
    // An empty name would send the store back to the user's own folder.
    if (!path_.empty()) PlatformSetConfigHome(path_.c_str());
}

TemporaryStore::~TemporaryStore() {
    if (path_.empty()) return;
    PlatformSetConfigHome(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool ParseTypes(const char* text, std::vector<int32_t>* types) {
    types->clear();
    const char* p = text;
    for (;;) {
        if (*p < '0' || *p > '9') return false;
        int32_t t = *p - '0';
        if (!IsGameType(t)) return false;
        for (int32_t seen : *types)
            if (seen == t) return false;
        types->push_back(t);
        ++p;
        if (*p == '\0') return true;
        if (*p != ',') return false;
        ++p;
    }
}

}  // namespace soak
