#include "bench/in_program.h"

#include "app/settings.h"
#include "app/shell.h"
#include "app/startup.h"
#include "platform/headless/headless.h"
#include "res/ids.h"

void InProgram(int dpi, const std::function<void()>& body) {
    PlatformUseMemoryRegistry(true);
    HeadlessStartAtDpi(dpi);
    HeadlessSetDrawing(true);
    HeadlessSetClock(9, 30, 15, 250);
    SaveSetting(0, L"type");
    SaveSetting(1, L"cidc");  // the count of cards left on
    bool ran = false;
    HeadlessSetInputSource([&] {
        if (ran || HeadlessOpenBoxes() > 0) return false;
        ran = true;
        body();
        PostMessageW(mainWindow, WM_COMMAND, IDM_EXIT, 0);
        return true;
    });
    RunProgram(L"");
    HeadlessSetInputSource(nullptr);
    PlatformUseMemoryRegistry(false);
}
