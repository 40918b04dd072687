// The shell calls: the layer acts on them and hands each to the backend,
// which records or acts too.
#include "platform/backend.h"
#include "platform/internal.h"
#include "platform/menus.h"

BOOL SHFullScreen(HWND hwnd, DWORD state) {
    if (!IsWindow(hwnd)) return FALSE;
    BackendShellCall("SHFullScreen", hwnd, state, nullptr);
    return TRUE;
}

BOOL ToggleFullScreenWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    BackendShellCall("ToggleFullScreen", hwnd, 0, nullptr);
    return TRUE;
}

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
    if (!info || !IsWindow(info->hwndParent)) return FALSE;
    info->hwndMB = CreateLayerMenuBar(*info);
    BackendShellCall("SHCreateMenuBar", info->hwndParent, info->nToolBarId, &info->hwndMB);
    return info->hwndMB != nullptr;
}

BOOL CommandBar_Show(HWND bar, BOOL show) {
    if (!IsWindow(bar)) return FALSE;
    BackendShellCall("CommandBar_Show", bar, static_cast<DWORD>(show), nullptr);
    if (IsMenuBar(bar)) ShowWindow(bar, show ? SW_SHOW : SW_HIDE);
    return TRUE;
}
