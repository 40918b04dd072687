#include "app/settings.h"

#include "res/ids.h"

namespace {

// The key created when missing; null when even that fails.
HKEY CreateKey(const wchar_t* keyName) {
    HKEY key;
    wchar_t noClass[] = L"";
    DWORD disposition;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyName, 0, noClass, 0, 0, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

// Each call opens and closes the key afresh: another running copy may have
// written in between, and nothing is cached.
int LoadStoredSetting(const wchar_t* name, uint32_t* value, const wchar_t* keyName) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    DWORD type = REG_DWORD;
    DWORD size = 4;
    BYTE data[4] = {};
    LONG status = RegQueryValueExW(key, name, nullptr, &type, data, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return 0;
    *value = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    return 1;
}

uint32_t LoadSetting(const wchar_t* name, const wchar_t* keyName) {
    uint32_t value = 0;
    LoadStoredSetting(name, &value, keyName);
    return value;
}

LONG SaveSetting(uint32_t value, const wchar_t* name, const wchar_t* keyName) {
    HKEY key = CreateKey(keyName);
    if (!key) return ERROR_INVALID_PARAMETER;
    const BYTE data[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                          static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    RegSetValueExW(key, name, 0, REG_DWORD, data, 4);
    // The status is the close's: a failed write is not reported, the value
    // just lives on in its global for this run.
    return RegCloseKey(key);
}

LONG SaveSettingIfAbsent(uint32_t value, const wchar_t* name, const wchar_t* keyName) {
    HKEY key = CreateKey(keyName);
    if (!key) return ERROR_INVALID_PARAMETER;
    PlatformRegSetValueIfAbsent(key, name, value);
    return RegCloseKey(key);
}

uint32_t AddOneToSetting(uint32_t count, const wchar_t* name, const wchar_t* keyName) {
    HKEY key = CreateKey(keyName);
    DWORD total = count + 1;
    if (key) {
        if (PlatformRegAddValue(key, name, 1, &total) != ERROR_SUCCESS) total = count + 1;
        RegCloseKey(key);
    }
    return total;
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
