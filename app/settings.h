// The options and the score, kept as 32-bit values under one registry key
// of the current user.
#pragma once

#include <cstdint>

#include "platform/platform.h"

inline constexpr wchar_t kSettingsKey[] = L"Software\\ornit\\vlmra";
// The desktop window's own values, apart from the game's eight.
inline constexpr wchar_t kWindowKey[] = L"Software\\ornit\\vlmra\\Window";
// Each game type's record (app/records.h), apart from the score.
inline constexpr wchar_t kRecordsKey[] = L"Software\\ornit\\vlmra\\Records";

// The stored value, or 0 when the key or the value cannot be read.
uint32_t LoadSetting(const wchar_t* name, const wchar_t* keyName = kSettingsKey);
// 1 with the stored value, 0 (value untouched) when there is none to read.
int LoadStoredSetting(const wchar_t* name, uint32_t* value, const wchar_t* keyName = kSettingsKey);
// Writes one value; callers ignore the status.
LONG SaveSetting(uint32_t value, const wchar_t* name, const wchar_t* keyName = kSettingsKey);
// Writes the value only where none is stored, so that a value another
// running copy stored stands.
LONG SaveSettingIfAbsent(uint32_t value, const wchar_t* name,
                         const wchar_t* keyName = kSettingsKey);
// Adds one to the stored count, read afresh under the store's lock so that
// every running copy's games count, and gives back the stored total; when
// the store cannot be written, count + 1.
uint32_t AddOneToSetting(uint32_t count, const wchar_t* name,
                         const wchar_t* keyName = kSettingsKey);

// The desktop window as a run leaves it for the next: its size out of full
// screen, in the display's points, and whether it fills the display. Never
// kept: 0 x 0.
struct KeptWindow {
    int32_t width = 0;
    int32_t height = 0;
    bool fullScreen = false;
};
KeptWindow LoadKeptWindow();
void SaveKeptWindow(const KeptWindow& window);
