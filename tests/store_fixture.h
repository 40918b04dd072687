// A settings store in a fresh temporary folder for each test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "app/settings.h"
#include "platform/platform.h"

inline const std::string kHeader = "[Software\\ornit\\vlmra]\n";

inline std::string ReadWhole(const std::filesystem::path& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override { UseHome("/tmp"); }
    void TearDown() override {
        PlatformSetConfigHome(nullptr);
        PlatformUseMemoryRegistry(false);
        std::filesystem::remove_all(home);
    }
    // Moves the store to a new temporary folder under base.
    void UseHome(const char* base) {
        if (!home.empty()) std::filesystem::remove_all(home);
        std::string dir = std::string(base) + "/velmora-store-XXXXXX";
        ASSERT_NE(mkdtemp(dir.data()), nullptr);
        home = dir;
        PlatformSetConfigHome(dir.c_str());
    }
    std::filesystem::path Folder() const { return home / "velmora"; }
    std::filesystem::path File() const { return Folder() / "settings.ini"; }
    void Put(const std::string& text) const {
        std::filesystem::create_directories(Folder());
        std::ofstream(File(), std::ios::binary) << text;
    }
    std::string Get() const { return ReadWhole(File()); }
    // The folder's entries, the writers' lock file left out.
    std::set<std::string> FolderEntries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder()))
            if (entry.path().filename() != "settings.ini.lock")
                names.insert(entry.path().filename());
        return names;
    }
    std::filesystem::path home;
};

// The stored value, or nothing when the store has none readable.
inline std::optional<uint32_t> Query(const wchar_t* name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    BYTE data[4];
    DWORD size = 4, type = 0;
    LONG status = RegQueryValueExW(key, name, nullptr, &type, data, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    EXPECT_EQ(type, REG_DWORD);
    return data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
}

// A value written through the registry calls, with the status they give.
inline LONG SetRaw(const wchar_t* key, const wchar_t* name, DWORD type, DWORD size) {
    HKEY h;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, 0, nullptr, &h, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const BYTE data[8] = {1};
    status = RegSetValueExW(h, name, 0, type, data, size);
    RegCloseKey(h);
    return status;
}
