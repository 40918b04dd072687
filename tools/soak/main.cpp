// velmora-soak: the real program against a scripted human for many games,
// checking every move; exits 0 only when every check passed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/opponent.h"
#include "tools/soak/soak.h"

namespace {

int Usage() {
    std::fprintf(
        stderr,
        "usage: velmora-soak [--games N] [--seed S] [--types LIST] [--store DIR] [--draw]\n"
        "                    [--opponent classic|expert]\n"
        "  LIST: game types 0 to 5, separated by commas (all six by default)\n"
        "  DIR: the store's folder, shared with other copies (a temporary one by "
        "default)\n");
    return 2;
}

bool ParseNumber(const char* text, long long lo, long long hi, long long* value) {
    char* end;
    long long v = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || v < lo || v > hi) return false;
    *value = v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    soak::Options options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--draw") {
            options.draw = true;
            continue;
        }
        if (i + 1 >= argc) return Usage();
        const char* value = argv[++i];
        long long n;
        if (arg == "--games" && ParseNumber(value, 1, 1000000000, &n)) {
            options.games = n;
        } else if (arg == "--seed" && ParseNumber(value, 0, 0xFFFFFFFFLL, &n)) {
            options.seed = static_cast<uint32_t>(n);
        } else if (arg == "--types" && soak::ParseTypes(value, &options.types)) {
        } else if (arg == "--opponent" &&
                   (value == std::string("classic") || value == std::string("expert"))) {
            SetOpponentFromCaller(value == std::string("expert") ? OpponentExpert
                                                                 : OpponentClassic);
        } else if (arg == "--store" && value[0] != '\0') {
            options.storeFolder = value;
        } else {
            return Usage();
        }
    }
    soak::Summary summary = soak::Run(options);
    soak::Print(stdout, options, summary);
    return summary.Clean() ? 0 : 1;
}
