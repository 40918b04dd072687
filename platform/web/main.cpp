// Entry point of the page: builds the program on the canvas and runs
// WinMain; when it returns, the page offers another game.
#include <string>

#include "app/construct.h"
#include "app/window.h"
#include "platform/platform.h"
#include "platform/web/web.h"
#include "res/resources.h"
#include "ui/scale.h"

int main() {
    std::string error;
    if (!PlatformFontsAvailable(&error)) {
        WebFail(error);
        return 1;
    }
    WebOpen();
    ForgetDensities();
    RegisterResources();
    ConstructProgram();
    int status = WinMain(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOW);
    ReleaseProgram();
    WebEnded();
    return status;
}
