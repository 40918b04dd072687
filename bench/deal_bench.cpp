// The cost of the card machinery a game leans on: a full deal from the
// stock, and piles growing, sorting and moving with real invalidation.
#include <benchmark/benchmark.h>

#include "game/deck.h"
#include "game/pile.h"
#include "game/random.h"
#include "platform/headless/headless.h"
#include "ui/scale.h"

namespace {

void BM_DealWholeDeck(benchmark::State& state) {
    HeadlessStartAtDpi(96);
    ForgetDensities();
    ResetRandom();
    randSeed = 734553;
    Deck d;
    InitDeck(d, 36);
    int32_t rank, suit;
    for (auto _ : state) {
        ResetDeck(d);
        while (DrawCard(d, &rank, &suit) >= 0) {
        }
        benchmark::DoNotOptimize(rank);
    }
}
BENCHMARK(BM_DealWholeDeck);

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return DefWindowProcW(h, m, w, l);
}

void BM_HandToTable(benchmark::State& state) {
    HeadlessStartAtDpi(96);
    ForgetDensities();
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = L"Bench";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, L"Bench", L"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                                  nullptr, nullptr);
    CardPile hand, table;
    InitPile(hand);
    InitPile(table);
    hand.window = table.window = window;
    hand.sortMode = SortBySuit;
    hand.layoutMode = LayoutQuarterFan;
    hand.originX = table.originX = 2;
    hand.originY = 200;
    table.originY = 72;
    for (auto _ : state) {
        for (int32_t i = 0; i < 12; ++i)
            AddCard(hand, 1 + i % 4, 6 + i % 9);
        while (hand.count > 0) {
            CardAt(hand, 1).selected = 1;
            MoveSelected(hand, table);
        }
        ClearPile(table);
        HeadlessClearInvalidations();
        ValidateRect(window, nullptr);
    }
    DestroyWindow(window);
}
BENCHMARK(BM_HandToTable);

}  // namespace

BENCHMARK_MAIN();
