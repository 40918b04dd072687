// The start-up spine: settings, the main window, the message loop.
#include <cwchar>

#include "app/about.h"
#include "app/kept.h"
#include "app/opponent.h"
#include "app/panel.h"
#include "app/relayout.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/pace.h"
#include "game/state.h"
#include "game/types.h"
#include "res/ids.h"
#include "ui/graphics.h"
#include "ui/scale.h"

namespace {

constexpr int kTitleLength = 100;

}  // namespace

int WinMain(HINSTANCE hInstance, HINSTANCE, const wchar_t* commandLine, int showState) {
    instance = programModule = resourceModule = hInstance;
    FormAboutText();
    CreateGraphics();
    LoadButtonIcons();

    background = LoadSetting(kValueBackground);
    cardBack = LoadSetting(kValueCardBack);
    computerWins = LoadSetting(kValueComputerWins);
    humanWins = LoadSetting(kValueHumanWins);
    doubleTapPlay = LoadSetting(kValueDoubleTap);
    showCardsLeft = LoadSetting(kValueCardsLeft);
    if (commandLine && std::wcsstr(commandLine, L"q7K")) computerHandFaceDown = 0;
    gameType = static_cast<int32_t>(LoadSetting(kValueGameType));
    // Out-of-range values index no table: they count as the first entry,
    // and the store keeps what it holds.
    if (!IsGameType(gameType)) gameType = ThrownUp;
    if (background >= kTableColourCount) background = 0;
    if (cardBack >= kCardBackCount) cardBack = 0;
    transferRule = TypeTraits(gameType).transfer ? 1 : 0;
    computerHandLayout =
        LoadSetting(kValueHideCount) == LayoutStacked ? LayoutStacked : LayoutQuarterFan;
    const uint32_t storedPace = LoadSetting(kValuePace, kWindowKey);
    pace = storedPace >= 1 && storedPace <= 3 ? static_cast<int32_t>(storedPace) - 1 : PaceNormal;
    accountPanelShown = LoadSetting(kValueAccountPanel, kWindowKey) == 2 ? 0 : 1;
    LoadOpponent();

    StartKeepingGame();
    if (!CreateMainWindow(instance, showState)) {
        StopKeepingGame();
        return 0;
    }
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        KeepGameIfChanged();
    }
    StopKeepingGame();
    FreeButtonIcons();
    ReleaseGraphics();
    return static_cast<int>(msg.wParam);
}

bool CreateMainWindow(HINSTANCE hInstance, int showState) {
    wchar_t className[kTitleLength];
    LoadStringW(hInstance, IDS_CLASS, className, kTitleLength);
    RegisterMainClass(hInstance, className);
    wchar_t title[kTitleLength];
    LoadStringW(hInstance, IDS_TITLE, title, kTitleLength);
    HWND hwnd = CreateWindowExW(0, className, title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, hInstance, nullptr);
    if (!hwnd) return false;
    ShowWindow(hwnd, showState);
    UpdateWindow(hwnd);
    if (menuBar) CommandBar_Show(menuBar, TRUE);
    return true;
}

ATOM RegisterMainClass(HINSTANCE hInstance, const wchar_t* className) {
    WNDCLASSW wc{};
    // The double-click style makes a quick second tap arrive as a double click.
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconW(hInstance, MAKEINTRESOURCEW(IDI_PROGRAM));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = className;
    return RegisterClassW(&wc);
}

void EnterFullScreen(HWND hwnd) {
    SHFullScreen(hwnd, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
    ShowWindow(hwnd, SW_SHOW);
    SetWindowPos(hwnd, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_SHOWWINDOW);
}
