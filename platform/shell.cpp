// The shell calls: each is handed to the backend, which records or acts.
#include "platform/backend.h"
#include "platform/internal.h"

BOOL SHFullScreen(HWND hwnd, DWORD state) {
    if (!IsWindow(hwnd)) return FALSE;
    BackendShellCall("SHFullScreen", hwnd, state, nullptr);
    return TRUE;
}

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
    if (!info || !IsWindow(info->hwndParent)) return FALSE;
    info->hwndMB = nullptr;
    BackendShellCall("SHCreateMenuBar", info->hwndParent, info->nToolBarId, &info->hwndMB);
    return info->hwndMB != nullptr;
}

BOOL CommandBar_Show(HWND bar, BOOL show) {
    if (!IsWindow(bar)) return FALSE;
    BackendShellCall("CommandBar_Show", bar, static_cast<DWORD>(show), nullptr);
    return TRUE;
}
