#include "app/startup.h"

#include "app/construct.h"
#include "app/window.h"
#include "res/resources.h"
#include "ui/graphics.h"
#include "ui/scale.h"

int RunProgram(const wchar_t* commandLine, const ProgramHooks& hooks) {
    ForgetDensities();
    RegisterResources();
    RegisterOwnFonts();
    ConstructProgram();
    if (hooks.started) hooks.started();
    const int status = WinMain(GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOW);
    if (hooks.ended) hooks.ended();
    ReleaseProgram();
    return status;
}
