// The page's paint figures, from inside the page: the same busy table and
// the same tap as the native FullPaint and TapToPaint benchmarks, each
// ending with its pixels on the canvas, as a wait for input would put
// them. run.mjs calls them once the program waits for input.
#include <emscripten.h>

#include "ai/expert/search.h"
#include "app/shell.h"
#include "app/window.h"
#include "bench/busy_table.h"
#include "bench/midgames.h"
#include "game/pace.h"
#include "game/state.h"
#include "platform/internal.h"
#include "platform/web/web.h"
#include "ui/scale.h"

namespace {

// Every message and paint there is, as the main loop would dispatch them.
int Pump() {
    MSG msg;
    int count = 0;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
        ++count;
    }
    return count;
}

}  // namespace

extern "C" {

// Lays the busy table; its count of cards in the human's hand (12 when laid).
EMSCRIPTEN_KEEPALIVE int WebBenchBusyTable() {
    pace = 0;
    LayBusyTable(Pump);
    return humanHand.count;
}

// Milliseconds per full paint of the whole client, over rounds.
EMSCRIPTEN_KEEPALIVE double WebBenchPaint(int rounds) {
    const double start = emscripten_get_now();
    for (int i = 0; i < rounds; ++i) {
        InvalidateRect(mainWindow, nullptr, FALSE);
        Pump();
        WebShowPending();
    }
    return (emscripten_get_now() - start) / rounds;
}

// Milliseconds from the tap that plays the human's lowest card on a fresh
// deal to the end of the paint showing the computer's answer; negative if
// some opening went unanswered.
EMSCRIPTEN_KEEPALIVE double WebBenchTap(int rounds) {
    pace = 0;
    const RECT table = ScaleRect(units::tableArea);
    const int x = (table.left + table.right) / 2, y = (table.top + table.bottom) / 2;
    double spent = 0;
    int answered = 0;
    for (int i = 0; i < rounds; ++i) {
        DealForTheHuman(Pump);
        DeselectAll(humanHand);
        CardAt(humanHand, 1).selected = 1;
        // The deal on the canvas before the clock starts, as natively.
        WebShowPending();
        const double start = emscripten_get_now();
        PlatformPointerInput(WM_LBUTTONDOWN, x, y);
        PlatformPointerInput(WM_LBUTTONUP, x, y);
        Pump();
        WebShowPending();
        spent += emscripten_get_now() - start;
        if (humanTable.count == 1 && (computerTable.count == 1 || extraCardsAllowed >= 0))
            ++answered;
    }
    return answered == rounds ? spent / rounds : -1;
}

// Milliseconds per decision of the Expert over the native benchmark's
// midgame choices (bench/midgames.h), at the game's budget; negative if
// one found no move.
EMSCRIPTEN_KEEPALIVE double WebBenchDecide(int rounds) {
    static const std::vector<expert::Knowledge> views = Decisions(24);
    double spent = 0;
    for (int i = 0; i < rounds; ++i) {
        expert::SearchResult result;
        const double start = emscripten_get_now();
        const int32_t found = expert::Decide(views[i % views.size()], expert::Budget{}, result);
        spent += emscripten_get_now() - start;
        if (found == 0) return -1;
    }
    return spent / rounds;
}

}  // extern "C"
