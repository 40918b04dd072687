// The record of the screen's written pixels, and the copy that writes only
// what differs.
#include "platform/screen_touched.h"

#ifdef __wasm_simd128__
#include <wasm_simd128.h>
#endif

#include <algorithm>
#include <vector>

namespace {

// Each row's columns written since the backend last took them, as one run
// [lo, hi); lo >= hi when none were.
struct ScreenTouched {
    bool on = false;
    int width = 0;  // of the screen the rows are of
    std::vector<int> lo, hi;
};

ScreenTouched& Touched() {
    static ScreenTouched touched;
    return touched;
}

// The record fits the screen; after a change of screen every row counts
// as written, since the backend shows the new screen whole anyway.
void Fit() {
    ScreenTouched& t = Touched();
    const Surface& screen = Layer().screen;
    if (t.width == screen.width && t.lo.size() == static_cast<size_t>(screen.height)) return;
    t.width = screen.width;
    t.lo.assign(static_cast<size_t>(screen.height), 0);
    t.hi.assign(static_cast<size_t>(screen.height), screen.width);
}

// Whether writes to s go on the record.
bool Keeping(const Surface& s) {
    return Touched().on && &s == &Layer().screen;
}

void Note(int y, int lo, int hi) {
    ScreenTouched& t = Touched();
    const auto row = static_cast<size_t>(y);
    if (t.lo[row] >= t.hi[row]) {
        t.lo[row] = lo;
        t.hi[row] = hi;
    } else {
        t.lo[row] = std::min(t.lo[row], lo);
        t.hi[row] = std::max(t.hi[row], hi);
    }
}

// Copies from over to where they differ in [0, n); the run from the first
// to the last pixel copied, empty when none was.
void CopyDifferences(uint32_t* to, const uint32_t* from, int n, int* first, int* last) {
    *first = -1;
    *last = -1;
    int i = 0;
#ifdef __wasm_simd128__
    // Sixteen pixels to a test: most of a repainted row is as it was.
    for (; i + 16 <= n; i += 16) {
        const v128_t a = wasm_v128_load(from + i), b = wasm_v128_load(from + i + 4),
                     c = wasm_v128_load(from + i + 8), d = wasm_v128_load(from + i + 12);
        const v128_t same =
            wasm_v128_and(wasm_v128_and(wasm_i32x4_eq(a, wasm_v128_load(to + i)),
                                        wasm_i32x4_eq(b, wasm_v128_load(to + i + 4))),
                          wasm_v128_and(wasm_i32x4_eq(c, wasm_v128_load(to + i + 8)),
                                        wasm_i32x4_eq(d, wasm_v128_load(to + i + 12))));
        if (wasm_i32x4_all_true(same)) continue;
        wasm_v128_store(to + i, a);
        wasm_v128_store(to + i + 4, b);
        wasm_v128_store(to + i + 8, c);
        wasm_v128_store(to + i + 12, d);
        if (*first < 0) *first = i;
        *last = i + 16;
    }
#endif
    for (; i < n; ++i) {
        if (to[i] == from[i]) continue;
        to[i] = from[i];
        if (*first < 0) *first = i;
        *last = i + 1;
    }
}

}  // namespace

void KeepScreenTouched(bool on) {
    ScreenTouched& t = Touched();
    t.on = on;
    t.lo.clear();
    t.hi.clear();
    if (on) {
        Fit();
        std::fill(t.hi.begin(), t.hi.end(), 0);
    }
}

void TouchScreen(const Surface& s, const RECT& r) {
    if (!Keeping(s) || r.left >= r.right) return;
    Fit();
    for (LONG y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, s.height); ++y)
        Note(y, r.left, r.right);
}

void CopyRows(Surface& out, const RECT& r, const Surface& from, const int* rows, int fromX) {
    const bool keep = Keeping(out);
    if (keep) Fit();
    const int n = r.right - r.left;
    for (int y = r.top; y < r.bottom; ++y) {
        const int sy = rows[y - r.top];
        if (sy < 0) continue;
        uint32_t* to = out.pixels.data() + static_cast<size_t>(y) * out.width + r.left;
        const uint32_t* source = from.pixels.data() + static_cast<size_t>(sy) * from.width + fromX;
        if (!keep) {
            std::copy(source, source + n, to);
            continue;
        }
        int first = 0, last = 0;
        CopyDifferences(to, source, n, &first, &last);
        if (first >= 0) Note(y, r.left + first, r.left + last);
    }
}

void TakeTouched(const RECT& r, int* lo, int* hi) {
    ScreenTouched& t = Touched();
    Fit();
    for (LONG y = r.top; y < r.bottom; ++y) {
        const auto row = static_cast<size_t>(y);
        int& from = lo[y - r.top];
        int& to = hi[y - r.top];
        from = std::max<int>(t.lo[row], r.left);
        to = std::min<int>(t.hi[row], r.right);
        // A run reaching outside stays whole for the show that covers the rest.
        if (from < to && t.lo[row] >= r.left && t.hi[row] <= r.right) t.hi[row] = t.lo[row];
    }
}
