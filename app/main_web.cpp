// Entry point of the page: builds the program on the canvas and runs
// WinMain; when it returns, the page offers another game.
#include <emscripten.h>

#include <string>

#include "ai/expert/answer.h"
#include "app/account.h"
#include "app/speech.h"
#include "app/startup.h"
#include "app/window.h"
#include "platform/kept.h"
#include "platform/platform.h"
#include "platform/web/web.h"
#include "ui/graphics.h"

namespace {

// Before each wait: the account's new lines and the status line's new text
// go to the page's account, a change of the buttons' meanings is said.
void TellPage() {
    for (const std::wstring& line : TakeNewAccountLines())
        WebAccountLine(line, false);
    std::wstring text;
    if (TakeStatusChange(&text)) WebAccountLine(text, true);
    if (TakeButtonsChange(&text)) WebSay(text);
}

}  // namespace

int main() {
    std::string error;
    // The first density's glyphs are fetched as the page opens.
    RegisterOwnFonts();
    if (!WebOpen(&error)) {
        WebFail(error);
        return 1;
    }
    PlatformSetStateHome("");
    // A slow machine cuts the Expert's search short rather than stall input.
    expert::Budget budget;
    budget.clock = [] { return emscripten_get_now(); };
    budget.capMs = 80;
    expert::SetBudget(budget);
    int status = RunProgram(L"", {[] {
                                      KeepAccount(true);
                                      sayListener = WebSay;
                                      WebBeforeWait(TellPage);
                                  },
                                  nullptr});
    WebEnded();
    return status;
}
