// velmora-arena: plays games between two seats and reports who wins.
// Usage: velmora-arena --human SEAT --computer SEAT --games N [--type T]
//                      [-j J] [--seed S] [--fast] [--only I]
// The last line of stdout is one JSON object with the totals.
#include <sys/wait.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/types.h"
#include "tools/arena/arena.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: velmora-arena --human SEAT --computer SEAT --games N [--type T] "
                 "[-j J] [--seed S] [--fast] [--only I]\n"
                 "  SEAT: classic, expert or random (thrifty too with --fast); T: 0 to 5;\n"
                 "  I: the one game of the N to play, to look into it\n");
    return 2;
}

bool ParseNumber(const char* text, int64_t low, int64_t high, int64_t* out) {
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 10);
    if (!*text || *end || v < low || v > high) return false;
    *out = v;
    return true;
}

// A child's results, as text down a pipe: "g TYPE WINNER", "d MS" and
// "f WHY" lines.
void Send(int fd, const arena::Results& r) {
    std::string text;
    char line[64];
    for (const arena::GameResult& g : r.games) {
        std::snprintf(line, sizeof line, "g %d %d\n", g.type, g.winner);
        text += line;
    }
    for (double ms : r.decisionMs) {
        std::snprintf(line, sizeof line, "d %.6f\n", ms);
        text += line;
    }
    for (std::string why : r.failures) {
        for (char& c : why)
            if (c == '\n') c = ' ';
        text += "f " + why + "\n";
    }
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

bool Receive(int fd, arena::Results* r) {
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        if (end == std::string::npos) return false;
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        arena::GameResult g;
        double ms = 0;
        if (line.starts_with("f "))
            r->failures.push_back(line.substr(2));
        else if (std::sscanf(line.c_str(), "g %d %d", &g.type, &g.winner) == 2)
            r->games.push_back(g);
        else if (std::sscanf(line.c_str(), "d %lf", &ms) == 1)
            r->decisionMs.push_back(ms);
        else
            return false;
    }
    return true;
}

void Play(const arena::Setup& setup, int64_t first, int64_t step, arena::Results* out) {
    (setup.fast ? arena::PlayFast : arena::PlayReal)(setup, first, step, out);
}

// Each job plays every jobs-th game in a process of its own.
bool PlayAll(const arena::Setup& setup, arena::Results* all) {
    if (setup.jobs <= 1) {
        Play(setup, 0, 1, all);
        return true;
    }
    std::vector<std::pair<pid_t, int>> children;
    for (int32_t j = 0; j < setup.jobs; ++j) {
        int fds[2];
        if (pipe(fds) != 0) return false;
        const pid_t pid = fork();
        if (pid < 0) return false;
        if (pid == 0) {
            close(fds[0]);
            arena::Results mine;
            Play(setup, j, setup.jobs, &mine);
            Send(fds[1], mine);
            _exit(0);
        }
        close(fds[1]);
        children.emplace_back(pid, fds[0]);
    }
    bool ok = true;
    for (auto [pid, fd] : children) {
        ok = Receive(fd, all) && ok;
        close(fd);
        int status = 0;
        waitpid(pid, &status, 0);
        ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return ok;
}

void PrintRow(const char* name, int64_t human, int64_t computer) {
    const int64_t n = human + computer;
    double low = 0, high = 1;
    arena::WilsonInterval(human, n, &low, &high);
    std::printf("%-10s %7" PRId64 " games  human seat %6.1f%%  (95%%: %.1f-%.1f%%)\n", name, n,
                n ? 100.0 * static_cast<double>(human) / static_cast<double>(n) : 0.0, 100 * low,
                100 * high);
}

}  // namespace

int main(int argc, char** argv) {
    arena::Setup setup;
    bool haveHuman = false, haveComputer = false, haveGames = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        int64_t v = 0;
        if (arg == "--human" && hasValue) {
            if (!arena::ParseSeat(argv[++i], &setup.human)) return Usage();
            haveHuman = true;
        } else if (arg == "--computer" && hasValue) {
            if (!arena::ParseSeat(argv[++i], &setup.computer)) return Usage();
            haveComputer = true;
        } else if (arg == "--games" && hasValue) {
            if (!ParseNumber(argv[++i], 1, 100000000, &setup.games)) return Usage();
            haveGames = true;
        } else if (arg == "--type" && hasValue) {
            if (!ParseNumber(argv[++i], 0, GameTypeCount - 1, &v)) return Usage();
            setup.type = static_cast<int32_t>(v);
        } else if (arg == "-j" && hasValue) {
            if (!ParseNumber(argv[++i], 1, 256, &v)) return Usage();
            setup.jobs = static_cast<int32_t>(v);
        } else if (arg == "--seed" && hasValue) {
            if (!ParseNumber(argv[++i], 0, INT64_MAX, &v)) return Usage();
            setup.seed = static_cast<uint64_t>(v);
        } else if (arg == "--only" && hasValue) {
            if (!ParseNumber(argv[++i], 0, INT64_MAX, &setup.only)) return Usage();
        } else if (arg == "--fast") {
            setup.fast = true;
        } else {
            return Usage();
        }
    }
    if (!haveHuman || !haveComputer || !haveGames) return Usage();
    for (arena::SeatKind seat : {setup.human, setup.computer}) {
        if (!setup.fast && seat == arena::SeatThrifty) {
            std::fprintf(stderr, "velmora-arena: thrifty plays only with --fast\n");
            return 2;
        }
    }
    arena::Results all;
    if (!PlayAll(setup, &all)) {
        std::fprintf(stderr, "velmora-arena: a job failed\n");
        return 1;
    }
    int64_t human[GameTypeCount] = {}, computer[GameTypeCount] = {};
    int64_t humanWins = 0, computerWins = 0, unfinished = 0;
    for (const arena::GameResult& g : all.games) {
        if (g.type < 0 || g.type >= GameTypeCount || g.winner < 0) {
            ++unfinished;
            continue;
        }
        (g.winner == 0 ? human[g.type] : computer[g.type])++;
        (g.winner == 0 ? humanWins : computerWins)++;
    }
    std::printf("%s (human seat) against %s (computer seat)%s\n", arena::SeatName(setup.human),
                arena::SeatName(setup.computer), setup.fast ? ", in the engine alone" : "");
    for (int32_t t = 0; t < GameTypeCount; ++t)
        if (human[t] + computer[t] > 0) {
            const std::string name = "type " + std::to_string(t);
            PrintRow(name.c_str(), human[t], computer[t]);
        }
    PrintRow("pooled", humanWins, computerWins);
    if (unfinished) std::printf("unfinished: %" PRId64 "\n", unfinished);
    for (size_t f = 0; f < all.failures.size() && f < 5; ++f)
        std::fprintf(stderr, "velmora-arena: %s\n", all.failures[f].c_str());
    const double median = arena::Quantile(all.decisionMs, 0.5);
    const double p99 = arena::Quantile(all.decisionMs, 0.99);
    std::printf("Expert decisions: %zu, median %.2f ms, p99 %.2f ms\n", all.decisionMs.size(),
                median, p99);
    std::printf("{\"games\": %zu, \"humanWins\": %" PRId64 ", \"computerWins\": %" PRId64
                ", \"decisionMs\": {\"median\": %.3f, \"p99\": %.3f}}\n",
                all.games.size(), humanWins, computerWins, median, p99);
    return unfinished || !all.failures.empty() ? 1 : 0;
}
