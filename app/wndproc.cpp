// The main window procedure: menu commands, painting, full screen, the
// stylus, and the game messages that carry the turn-taking.
#include "ai/ai.h"
#include "app/about.h"
#include "app/actions.h"
#include "app/help.h"
#include "app/hint.h"
#include "app/kept.h"
#include "app/keyboard.h"
#include "app/opponent.h"
#include "app/options.h"
#include "app/panel.h"
#include "app/records_dialog.h"
#include "app/relayout.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/statistics.h"
#include "app/stylus.h"
#include "app/window.h"
#include "game/bout.h"
#include "game/deal.h"
#include "game/gameover.h"
#include "game/host.h"
#include "game/message.h"
#include "game/pace.h"
#include "game/random.h"
#include "game/state.h"
#include "game/status.h"
#include "game/taking.h"
#include "game/types.h"
#include "res/ids.h"
#include "ui/graphics.h"
#include "ui/table.h"

CLPA gameTypeNames = {nullptr, 0, 0, 0};
HDC offscreenDc = nullptr;
HBITMAP offscreenBitmap = nullptr;

namespace {

void OnCreate(HWND hwnd) {
    ClpaRemoveAll(gameTypeNames);
    for (const GameTypeTraits& type : kGameTypes)
        ClpaAddString(gameTypeNames, LoadText(type.name));
    MakeMenuBar(hwnd);

    SetWindowTextW(hwnd, GameTypeName(gameType));
    const KeptStart kept = RestoreKeptGame();
    if (kept == kKeptNone) SeedFromClock();
    if (kept != kKeptResumed) SendGameMessage(NEW_GAME);
    EnterFullScreen(hwnd);
}

void OnDestroy() {
    StopKeepingGame();
    ClearPile(humanHand);
    ClearPile(computerHand);
    ClearPile(humanTable);
    ClearPile(computerTable);
    if (offscreenBitmap) DeleteObject(offscreenBitmap);
    offscreenBitmap = nullptr;
    if (offscreenDc) DeleteDC(offscreenDc);
    offscreenDc = nullptr;
    DestroyWindow(menuBar);
    PostQuitMessage(0);
}

// The whole scene is drawn off screen and copied in one piece; what reaches
// the screen is clipped to the region being repainted.
void OnPaint(HWND hwnd) {
    SyncFocusFrame();
    SetScreenMarginColour(backgroundColours[background]);
    HBRUSH table = CreateSolidBrush(backgroundColours[background]);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!offscreenDc) offscreenDc = CreateCompatibleDC(dc);
    RECT client;
    GetClientRect(hwnd, &client);
    if (!offscreenBitmap) offscreenBitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ kept = SelectObject(offscreenDc, offscreenBitmap);
    FillRect(offscreenDc, &client, table);
    PaintTable(offscreenDc);
    BitBlt(dc, 0, 0, client.right, client.bottom, offscreenDc, 0, 0, SRCCOPY);
    DeleteObject(table);
    SelectObject(offscreenDc, kept);
    EndPaint(hwnd, &ps);
}

// After a new deal under the sequence, only the closing repaint runs.
void OnComputerAttack() {
    const uint32_t serial = gameSerial;
    InvalidateLowerButton();
    if (ComputerAttack() != 1) {
        ShowStatus(LoadText(IDS_OK_YOUR_MOVE));
        EndBout(0);
    }
    if (gameSerial == serial) CheckGameOver();
    InvalidateLowerButton();
}

void OnComputerDefend() {
    const uint32_t serial = gameSerial;
    CheckGameOver();
    if (gameSerial == serial) {
        InvalidateLowerButton();
        if (ComputerDefend() == 0) ComputerTakes();
    }
    InvalidateLowerButton();
    if (gameSerial == serial) CheckGameOver();
}

// A dialog template of the program's resources, run modally over the window.
void RunDialog(HWND hwnd, UINT id, DLGPROC proc) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_DIALOG);
    HGLOBAL loaded = LoadResource(instance, found);
    DialogBoxIndirectParamW(instance, static_cast<const DLGTEMPLATE*>(LockResource(loaded)), hwnd,
                            proc, 0);
}

}  // namespace

HWND CreateBar(HWND parent, UINT menuId) {
    SHMENUBARINFO bar{};
    bar.cbSize = 36;
    bar.hwndParent = parent;
    bar.dwFlags = SHCMBF_HMENU | SHCMBF_HIDESIPBUTTON;
    bar.nToolBarId = menuId;
    bar.hInstRes = instance;
    SHCreateMenuBar(&bar);
    return bar.hwndMB;
}

void MakeMenuBar(HWND hwnd) {
    menuBar = CreateBar(hwnd, IDR_MAIN_MENU);
    ShowPaceChecked();
}

void ShowPaceChecked() {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuBar, SHCMBM_GETMENU, 0, 0));
    for (int32_t p : {PaceOff, PaceNormal, PaceSlow})
        CheckMenuItem(menu, IDM_PACE_OFF + static_cast<UINT>(p),
                      p == pace ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(menu, IDM_ACCOUNT_PANEL, accountPanelShown == 1 ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(menu, IDM_OPPONENT_CLASSIC,
                  computerPlayer == OpponentClassic ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(menu, IDM_OPPONENT_EXPERT,
                  computerPlayer == OpponentExpert ? MF_CHECKED : MF_UNCHECKED);
}

const wchar_t* GameTypeName(int32_t type) {
    return type < 0 ? nullptr : ClpaString(gameTypeNames, static_cast<uint32_t>(type));
}

LRESULT MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    mainWindow = hwnd;
    // Each input starts one of the player's moves (the game messages it
    // sends come back here as WM_USER).
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_KEYDOWN || msg == WM_COMMAND)
        moveSerial = gameSerial;
    switch (msg) {
        case WM_CREATE:
            OnCreate(hwnd);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != 0) EnterFullScreen(hwnd);
            return 0;
        case WM_PAINT:
            OnPaint(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTINGCHANGE:
            if (GetForegroundWindow() == hwnd) EnterFullScreen(hwnd);
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDM_NEW:
                    StartNewGame();
                    return 0;
                case IDM_STATISTICS:
                    RunDialog(hwnd, IDD_STATISTICS, StatisticsDialogProc);
                    return 0;
                case IDM_OPTIONS:
                    RunDialog(hwnd, IDD_OPTIONS, OptionsDialogProc);
                    return 0;
                case IDM_EXIT:
                    DestroyWindow(hwnd);
                    return 0;
                case IDM_RULES:
                    ShowRules();
                    return 0;
                case IDM_ABOUT:
                    ShowAbout(hwnd);
                    return 0;
                case IDM_RECORDS:
                    RunDialog(hwnd, IDD_RECORDS, RecordsDialogProc);
                    return 0;
                case IDM_HINT:
                    ShowHint();
                    return 0;
                case IDM_OPPONENT_CLASSIC:
                case IDM_OPPONENT_EXPERT:
                    ChooseOpponent(LOWORD(wParam) == IDM_OPPONENT_EXPERT ? OpponentExpert
                                                                         : OpponentClassic);
                    ShowPaceChecked();
                    return 0;
                case IDM_ACCOUNT_PANEL:
                    SwitchAccountPanel();
                    ShowPaceChecked();
                    return 0;
                case IDM_PACE_OFF:
                case IDM_PACE_NORMAL:
                case IDM_PACE_SLOW:
                    pace = static_cast<int32_t>(LOWORD(wParam) - IDM_PACE_OFF);
                    SaveSetting(static_cast<uint32_t>(pace) + 1, kValuePace, kWindowKey);
                    ShowPaceChecked();
                    return 0;
                default:
                    return DefWindowProcW(hwnd, msg, wParam, lParam);
            }
        case WM_DPICHANGED:
            Relayout(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_KEYDOWN:
            if (KeyboardDown(hwnd, wParam, lParam)) return 0;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_KEYUP:
            if (KeyboardUp(wParam)) return 0;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_LBUTTONDOWN:
            StylusDown(lParam);
            return 0;
        case WM_LBUTTONUP:
            StylusUp();
            return 0;
        case WM_LBUTTONDBLCLK:
            StylusDoubleTap(lParam);
            return 0;
        case WM_USER:
            switch (wParam) {
                case NEW_GAME:
                    NewGame();
                    break;
                case COMPUTER_ATTACK:
                    OnComputerAttack();
                    break;
                case COMPUTER_DEFEND:
                    OnComputerDefend();
                    break;
                default:
                    break;
            }
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
