#include "ui/scale.h"

namespace {

struct CachedDensity {
    bool read = false;
    int32_t value = 0;
};

CachedDensity densityX;
CachedDensity densityY;

int32_t Cached(CachedDensity& cache, int index) {
    if (!cache.read) {
        cache.value = ScreenCaps(index);
        cache.read = true;
    }
    return cache.value;
}

int32_t Scale(int32_t density, int32_t n) {
    // Wrapping 32-bit arithmetic, as the device computes it.
    auto product =
        static_cast<int32_t>(static_cast<uint32_t>(density) * static_cast<uint32_t>(n) + 48u);
    return product / 96;
}

}  // namespace

RECT lowerButtonRect;
RECT upperButtonRect;

int32_t ScreenCaps(int index) {
    HDC screen = GetDC(nullptr);
    if (!screen) return -1;
    int32_t value = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return value;
}

int32_t DensityX() {
    return Cached(densityX, LOGPIXELSX);
}
int32_t DensityY() {
    return Cached(densityY, LOGPIXELSY);
}

int32_t ScaleX(int32_t n) {
    return Scale(DensityX(), n);
}
int32_t ScaleY(int32_t n) {
    return Scale(DensityY(), n);
}

void ForgetDensities() {
    densityX = CachedDensity{};
    densityY = CachedDensity{};
}

RECT ScaleRect(const RECT& r) {
    RECT out;
    out.left = ScaleX(r.left);
    out.top = ScaleY(r.top);
    out.right = ScaleX(r.right);
    out.bottom = ScaleY(r.bottom);
    return out;
}

void ComputeButtonRects() {
    lowerButtonRect = ScaleRect(units::lowerButtonRect);
    upperButtonRect = ScaleRect(units::upperButtonRect);
}
