// A settings store in a fresh temporary folder for each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "platform/platform.h"

inline const std::string kHeader = "[Software\\ornit\\vlmra]\n";

std::string ReadWhole(const std::filesystem::path& file);

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override { UseHome("/tmp"); }
    void TearDown() override;
    // Moves the store to a new temporary folder under base.
    void UseHome(const char* base);
    std::filesystem::path Folder() const { return home / "velmora"; }
    std::filesystem::path File() const { return Folder() / "settings.ini"; }
    void Put(const std::string& text) const;
    std::string Get() const { return ReadWhole(File()); }
    // The folder's entries, the writers' lock file left out.
    std::set<std::string> FolderEntries() const;
    std::filesystem::path home;
};

// The stored value, or nothing when the store has none readable.
std::optional<uint32_t> Query(const wchar_t* name);
// A value written through the registry calls, with the status they give.
LONG SetRaw(const wchar_t* key, const wchar_t* name, DWORD type, DWORD size);
