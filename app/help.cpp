#include "app/help.h"

#include "app/shell.h"

void ShowRules() {
    const wchar_t* format = LoadText(2);
    if (!format) return;
    wchar_t commandLine[kWsprintfMax];
    wsprintfW(commandLine, format, 99);
    CreateProcessW(L"peghelp.exe", commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                   nullptr, nullptr);
}
