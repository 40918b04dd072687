#include "platform/density.h"

#include <algorithm>

#include "platform/internal.h"

namespace {

constexpr int kBase = 96;
constexpr int kStep = 48;

bool Fits(int dpi, int width, int height) {
    return ScreenWidthAt(dpi) <= width && ScreenHeightAt(dpi) <= height;
}

}  // namespace

int DensityOverride(const char* text) {
    if (!text) return 0;
    if (!*text) return -1;
    int value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return -1;
        value = value * 10 + (*c - '0');
        if (value > kMaxDensity) return -1;
    }
    return value < kMinDensity ? -1 : value;
}

int ScreenWidthAt(int dpi) {
    return (dpi * 240 + kBase / 2) / kBase;
}

int ScreenHeightAt(int dpi) {
    return (dpi * 320 + kBase / 2) / kBase;
}

int ChooseDensity(int width, int height, int decorW, int decorH, const char* override) {
    if (int forced = DensityOverride(override); forced > 0) return forced;
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

int FitDensity(int width, int height) {
    // Both sizes grow with the density, so a binary search finds the edge.
    int lo = kMinDensity, hi = kMaxDensity;
    while (lo < hi) {
        int mid = (lo + hi + 1) / 2;
        if (Fits(mid, width, height)) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    return lo;
}

int FitPageDensity(int width, int height) {
    return std::min(FitDensity(width, height), kMaxPageDensity);
}

void PlatformDensityWanted(int dpi) {
    Layer().pendingDpi = dpi;
    Layer().pendingScreen = {ScreenWidthAt(dpi), ScreenHeightAt(dpi)};
}

void PlatformDensityFits(int dpi) {
    if (dpi == Layer().dpiX) {
        Layer().pendingDpi = 0;
    } else {
        PlatformDensityWanted(dpi);
    }
}
