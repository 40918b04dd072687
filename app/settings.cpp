#include "app/settings.h"

#include "res/ids.h"

// Each call opens and closes the key afresh: another running copy may have
// written in between, and nothing is cached.
uint32_t LoadSetting(const wchar_t* name, const wchar_t* keyName) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    DWORD type = REG_DWORD;
    DWORD size = 4;
    BYTE data[4] = {};
    LONG status = RegQueryValueExW(key, name, nullptr, &type, data, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return 0;
    return data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
}

LONG SaveSetting(uint32_t value, const wchar_t* name, const wchar_t* keyName) {
    HKEY key;
    wchar_t noClass[] = L"";
    DWORD disposition;
    LONG status =
        RegCreateKeyExW(HKEY_CURRENT_USER, keyName, 0, noClass, 0, 0, nullptr, &key, &disposition);
    if (status != ERROR_SUCCESS) return status;
    const BYTE data[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                          static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    RegSetValueExW(key, name, 0, REG_DWORD, data, 4);
    // The status is the close's: a failed write is not reported, the value
    // just lives on in its global for this run.
    return RegCloseKey(key);
}

KeptWindow LoadKeptWindow() {
    return {static_cast<int32_t>(LoadSetting(kValueWindowWidth, kWindowKey)),
            static_cast<int32_t>(LoadSetting(kValueWindowHeight, kWindowKey)),
            LoadSetting(kValueFullScreen, kWindowKey) == 1};
}

void SaveKeptWindow(const KeptWindow& window) {
    SaveSetting(static_cast<uint32_t>(window.width), kValueWindowWidth, kWindowKey);
    SaveSetting(static_cast<uint32_t>(window.height), kValueWindowHeight, kWindowKey);
    SaveSetting(window.fullScreen ? 1 : 0, kValueFullScreen, kWindowKey);
}
