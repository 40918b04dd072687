// Painting speed on the headless screen, inside the real program started as
// on the device. A full paint is the window procedure's own: the whole
// client invalidated, then WM_PAINT dispatched, so BeginPaint, the table
// colour filled off screen, PaintTable, the BitBlt of the whole client and
// EndPaint. The table is a busy one: both hands of twelve, six covered
// attacks, the trump card and the stock, the count of cards left and a
// status text. Tap to paint: the human's opening card tapped onto the table
// until the paint that shows the computer's answer has finished.
#include <benchmark/benchmark.h>

#include <functional>

#include "app/settings.h"
#include "app/shell.h"
#include "app/startup.h"
#include "app/window.h"
#include "bench/busy_table.h"
#include "bench/in_program.h"
#include "game/state.h"
#include "game/status.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "res/ids.h"
#include "res/resources.h"
#include "ui/scale.h"

namespace {

void FullPaint(benchmark::State& state) {
    const int dpi = static_cast<int>(state.range(0));
    bool busy = false;
    InProgram(dpi, [&] {
        LayBusyTable(HeadlessPump);
        busy = humanHand.count >= 12 && computerHand.count >= 12 && humanTable.count == 6 &&
               computerTable.count == 6 && trumpCard.hidden == 0 && stockCard.hidden == 0 &&
               statusText != nullptr;
        if (!busy) return;
        const int before = HeadlessPresentCount();
        for (auto _ : state) {
            InvalidateRect(mainWindow, nullptr, FALSE);
            HeadlessPump();
        }
        if (HeadlessPresentCount() - before < static_cast<int>(state.iterations()))
            state.SkipWithError("a paint did not reach the screen");
    });
    if (!busy) state.SkipWithError("the busy table could not be laid");
}
BENCHMARK(FullPaint)->Arg(96)->Arg(192)->Arg(288)->Unit(benchmark::kMicrosecond);

// From the tap that plays the human's lowest card to the end of the paint
// showing the computer's cover (or its taking of the card). Each opening
// is a fresh deal, laid and painted with the clock stopped.
void TapToPaint(benchmark::State& state) {
    const int dpi = static_cast<int>(state.range(0));
    int64_t answered = 0;
    InProgram(dpi, [&] {
        const RECT table = ScaleRect(units::tableArea);
        const int x = (table.left + table.right) / 2, y = (table.top + table.bottom) / 2;
        for (auto _ : state) {
            state.PauseTiming();
            DealForTheHuman(HeadlessPump);
            DeselectAll(humanHand);
            CardAt(humanHand, 1).selected = 1;
            state.ResumeTiming();
            HeadlessTap(x, y);
            HeadlessPump();
            state.PauseTiming();
            // Covered, or taken: the human may then give extra cards.
            if (humanTable.count == 1 && (computerTable.count == 1 || extraCardsAllowed >= 0))
                ++answered;
            state.ResumeTiming();
        }
    });
    if (answered != static_cast<int64_t>(state.iterations()))
        state.SkipWithError("the computer did not answer every opening");
}
BENCHMARK(TapToPaint)->Arg(96)->Arg(192)->Arg(288)->Unit(benchmark::kMicrosecond);

}  // namespace

// Dragging the window's edge: a relayout to the density and the full paint
// that follows, on the busy table. Each round alternates with the density
// one below, so every relayout really changes the screen.
void RelayoutAndPaint(benchmark::State& state) {
    const int dpi = static_cast<int>(state.range(0));
    bool moved = true;
    InProgram(dpi, [&] {
        LayBusyTable(HeadlessPump);
        int round = 0;
        for (auto _ : state) {
            const int target = round++ % 2 == 0 ? dpi - 1 : dpi;
            HeadlessWantDensity(target);
            HeadlessPump();
            moved = moved && DensityX() == target;
        }
    });
    if (!moved) state.SkipWithError("a relayout did not reach its density");
}
BENCHMARK(RelayoutAndPaint)->Arg(96)->Arg(192)->Arg(288)->Unit(benchmark::kMillisecond);
