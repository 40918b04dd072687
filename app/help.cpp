#include "app/help.h"

#include "app/account.h"
#include "game/host.h"
#include "res/ids.h"

void ShowRules() {
    const wchar_t* format = LoadText(IDS_RULES_LINK);
    if (!format) return;
    wchar_t commandLine[kWsprintfMax];
    wsprintfW(commandLine, format, IDH_RULES);
    if (!CreateProcessW(L"peghelp.exe", commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        nullptr, nullptr))
        AddAccountLine(LoadText(IDS_LOG_RULES_UNAVAILABLE));
}
