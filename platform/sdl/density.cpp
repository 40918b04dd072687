#include "platform/sdl/density.h"

#include <cerrno>
#include <cstdlib>

namespace {

constexpr int kBase = 96;
constexpr int kStep = 48;

bool Fits(int dpi, int width, int height) {
    return ScreenWidthAt(dpi) <= width && ScreenHeightAt(dpi) <= height;
}

// A whole number within the limits, or 0.
int ParseOverride(const char* text) {
    if (!text || !*text) return 0;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || value < kMinDensity || value > kMaxDensity) return 0;
    return static_cast<int>(value);
}

}  // namespace

int ScreenWidthAt(int dpi) {
    return (dpi * 240 + kBase / 2) / kBase;
}

int ScreenHeightAt(int dpi) {
    return (dpi * 320 + kBase / 2) / kBase;
}

int ChooseDensity(int width, int height, int decorW, int decorH, const char* override) {
    if (int forced = ParseOverride(override)) return forced;
    if (width <= 0 || height <= 0) return kBase;
    int roomW = width - decorW, roomH = height - decorH;
    if (Fits(kBase, roomW, roomH)) {
        int dpi = kBase;
        while (dpi + kStep <= kMaxDensity && Fits(dpi + kStep, roomW, roomH))
            dpi += kStep;
        return dpi;
    }
    for (int dpi = kBase - 1; dpi > kMinDensity; --dpi)
        if (Fits(dpi, roomW, roomH)) return dpi;
    return kMinDensity;
}
