// The store's reading, writing and keys; the fixture brings the registry
// calls, the settings and the files.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <tuple>

#include "tests/store_fixture.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

struct ReadCase {
    const char* what;
    std::optional<std::string> file;
    const wchar_t* name;
    std::optional<uint32_t> value;
};

TEST_F(StoreTest, ReadsWhatItCanAndNothingElse) {
    const ReadCase cases[] = {
        {"no file", std::nullopt, L"type", std::nullopt},
        {"empty file", "", L"type", std::nullopt},
        {"plain", kHeader + "type=3\nback=1\n", L"back", 1},
        {"largest", kHeader + "statu=4294967295\n", L"statu", 4294967295u},
        {"too large", kHeader + "statu=4294967296\n", L"statu", std::nullopt},
        {"negative", kHeader + "statu=-1\n", L"statu", std::nullopt},
        {"signed", kHeader + "statu=+1\n", L"statu", std::nullopt},
        {"not a number", kHeader + "statu=ten\n", L"statu", std::nullopt},
        {"trailing junk", kHeader + "statu=10x\n", L"statu", std::nullopt},
        {"hexadecimal", kHeader + "statu=0x10\n", L"statu", std::nullopt},
        {"blanks and CRLF", "[Software\\ornit\\vlmra] \r\n statu = 12 \r\n", L"statu", 12},
        {"truncated mid-line", kHeader + "type=3\nback=", L"back", std::nullopt},
        {"truncated before it", kHeader + "type=3\nback=", L"type", 3},
        {"truncated header", "[Software\\ornit\\vlm", L"type", std::nullopt},
        {"garbled bytes", "\xff\xfe\0\x01junk\n"s + kHeader + "\x80\x81=\x82\n[\x90\ntype=2\n",
         L"type", 2},
        {"another key", "[Software\\ornit]\ntype=5\n[Other]\ntype=5\n", L"type", std::nullopt},
        {"before any key", "type=5\n" + kHeader, L"type", std::nullopt},
        {"names in any case", "[SOFTWARE\\Ornit\\VLMRA]\nTyPe=4\n", L"type", 4},
        {"the first line counts", kHeader + "type=1\n[Other]\n" + kHeader + "type=2\n", L"type", 1},
        {"byte-order mark", "\xEF\xBB\xBF" + kHeader + "statu=5\n", L"statu", 5},
        {"blanks inside the brackets", "[ Software\\ornit\\vlmra\t]\nstatu=6\n", L"statu", 6},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(File());
        if (c.file) Put(*c.file);
        EXPECT_EQ(Query(c.name), c.value);
        EXPECT_EQ(LoadSetting(c.name), c.value.value_or(0));
    }
}

struct WriteCase {
    const char* what;
    std::optional<std::string> before;
    const wchar_t* name;
    uint32_t value;
    std::string after;
};

TEST_F(StoreTest, WriteChangesOnlyItsLine) {
    const WriteCase cases[] = {
        {"no file", std::nullopt, L"type", 5, kHeader + "type=5\n"},
        {"replaced in place, spelling and other lines kept",
         "; note\n[Other]\nx = 1\r\n\n[software\\ORNIT\\vlmra]\nTYPE=1\n\xff junk\nback=2\n",
         L"type", 5,
         "; note\n[Other]\nx = 1\r\n\n[software\\ORNIT\\vlmra]\nTYPE=5\n\xff junk\nback=2\n"},
        {"added at the end of its key", kHeader + "type=1\n\n[Other]\nx=1\n", L"statu", 9,
         kHeader + "type=1\nstatu=9\n\n[Other]\nx=1\n"},
        {"key added after a truncated file", "[Other]\nx=", L"wc", 0,
         "[Other]\nx=\n\n" + kHeader + "wc=0\n"},
        {"garbled value replaced", kHeader + "back=zz\n", L"back", 4294967295u,
         kHeader + "back=4294967295\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF" + kHeader + "statu=5\n", L"statu", 7,
         "\xEF\xBB\xBF" + kHeader + "statu=7\n"},
        {"blanks inside the brackets", "[ Software\\ornit\\vlmra ]\ntype=1\n", L"back", 2,
         "[ Software\\ornit\\vlmra ]\ntype=1\nback=2\n"},
        {"a name beyond ASCII, as UTF-8", std::nullopt, L"größe", 12,
         kHeader + "gr\xc3\xb6\xc3\x9f"
                   "e=12\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(File());
        if (c.before) Put(*c.before);
        EXPECT_EQ(SaveSetting(c.value, c.name), ERROR_SUCCESS);
        EXPECT_EQ(Get(), c.after);
        EXPECT_EQ(Query(c.name), c.value);
    }
    EXPECT_EQ(FolderEntries(), std::set<std::string>{"settings.ini"});
    EXPECT_EQ(fs::status(Folder()).permissions() & fs::perms::all, fs::perms::owner_all)
        << "the first save makes the folder the user's alone";
}

// A write the system refuses fails, keeps the old file as it was and leaves
// no temporary file behind; a folder that cannot be made fails as cleanly.
TEST_F(StoreTest, RefusedWriteKeepsTheOldFile) {
    const std::string old = kHeader + "type=2\nback=2\n";
    Put(old);
    // The file size limit binds root too: the temporary file cannot be written.
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = {16, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    LONG status = SetRaw(kSettingsKey, L"type", REG_DWORD, 4);
    LONG saveStatus = SaveSetting(9, L"back");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldSignal);

    EXPECT_EQ(status, ERROR_WRITE_FAULT);
    EXPECT_EQ(saveStatus, ERROR_SUCCESS);  // a failed write is not reported
    EXPECT_EQ(Get(), old);
    EXPECT_EQ(FolderEntries(), std::set<std::string>{"settings.ini"});

    if (geteuid() != 0) {  // a read-only folder stops only other users
        fs::permissions(Folder(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(SetRaw(kSettingsKey, L"type", REG_DWORD, 4), ERROR_WRITE_FAULT);
        fs::permissions(Folder(), fs::perms::owner_all);
        EXPECT_EQ(Get(), old);
    }
    PlatformSetConfigHome(File().c_str());  // a file where the folder belongs
    EXPECT_EQ(SetRaw(kSettingsKey, L"type", REG_DWORD, 4), ERROR_WRITE_FAULT);
    EXPECT_EQ(Query(L"type"), std::nullopt);
}

TEST_F(StoreTest, KeysAndHandles) {
    HKEY created, opened, parent, child;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, 0, nullptr, &created,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_FALSE(fs::exists(File()));  // the key appears with its first value
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, 0, &opened), ERROR_FILE_NOT_FOUND);

    const BYTE one[4] = {1, 0, 0, 0};
    ASSERT_EQ(RegSetValueExW(created, L"wc", 0, REG_DWORD, one, 4), ERROR_SUCCESS);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"software\\ornit\\VLMRA", 0, nullptr, 0, 0,
                              nullptr, &opened, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\ornit", 0, 0, &parent), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\orn", 0, 0, &child),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegOpenKeyExW(parent, L"vlmra", 0, 0, &child), ERROR_SUCCESS);
    // Too small a buffer is left alone and told the size; no buffer is just told.
    BYTE data[4] = {};
    DWORD size = 3;
    EXPECT_EQ(RegQueryValueExW(child, L"WC", nullptr, nullptr, data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(std::tuple(size, data[0]), std::tuple(4u, 0));
    size = 0;
    EXPECT_EQ(RegQueryValueExW(child, L"WC", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(child, L"WC", nullptr, nullptr, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::tuple(size, data[0]), std::tuple(4u, 1));

    for (HKEY h : {created, opened, parent, child}) {
        EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
        EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegQueryValueExW(h, L"wc", nullptr, nullptr, nullptr, &size),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegSetValueExW(h, L"wc", 0, REG_DWORD, one, 4), ERROR_INVALID_HANDLE);
    }
}

TEST_F(StoreTest, RefusesWhatTheFileCannotHold) {
    const wchar_t* names[] = {L"a=b", L"a\nb", L" a", L"a\t", L"\x110000"};
    for (const wchar_t* name : names)
        EXPECT_EQ(SetRaw(kSettingsKey, name, REG_DWORD, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetRaw(L"a]\n[b", L"x", REG_DWORD, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetRaw(kSettingsKey, L"x", 1, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetRaw(kSettingsKey, L"x", REG_DWORD, 8), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(fs::exists(File()));
}

TEST_F(StoreTest, MemoryRegistryLeavesTheFileAlone) {
    const std::string old = kHeader + "type=1\n";
    Put(old);
    PlatformUseMemoryRegistry(true);
    EXPECT_EQ(Query(L"type"), std::nullopt);
    EXPECT_EQ(SaveSetting(4, L"type"), ERROR_SUCCESS);
    EXPECT_EQ(LoadSetting(L"type"), 4u);
    EXPECT_EQ(Get(), old);
    EXPECT_EQ(FolderEntries(), std::set<std::string>{"settings.ini"});
    PlatformUseMemoryRegistry(false);
    EXPECT_EQ(LoadSetting(L"type"), 1u);
}

TEST_F(StoreTest, FolderComesFromTheEnvironment) {
    std::optional<std::string> saved[2];
    const char* vars[2] = {"HOME", "XDG_CONFIG_HOME"};
    for (int i = 0; i < 2; ++i)
        if (const char* v = std::getenv(vars[i])) saved[i] = v;
    PlatformSetConfigHome(nullptr);

    std::string user = (home / "user").string(), xdg = (home / "xdg").string();
    setenv("HOME", user.c_str(), 1);
    setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    SaveSetting(1, L"type");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // ignored: only absolute ones count
    SaveSetting(2, L"type");

    for (int i = 0; i < 2; ++i)
        saved[i] ? setenv(vars[i], saved[i]->c_str(), 1) : unsetenv(vars[i]);
    EXPECT_TRUE(fs::exists(home / "xdg/velmora/settings.ini"));
    EXPECT_TRUE(fs::exists(home / "user/.config/velmora/settings.ini"));
    EXPECT_FALSE(fs::exists("relative"));
}

// The window as each run leaves it, beside the game's values and the pace,
// read back at the next start.
TEST_F(StoreTest, TheWindowIsKeptAtEachExit) {
    const std::string window = "[Software\\ornit\\vlmra\\Window]\n";
    const std::string before = kHeader + "type=2\n" + window + "pace=3\n";
    Put(before);
    const struct {
        KeptWindow exit;
        std::string lines;
    } kExits[] = {
        {{1366, 768, true}, "width=1366\nheight=768\nfullscreen=1\n"},
        {{400, 800, false}, "width=400\nheight=800\nfullscreen=0\n"},
        {{240, 320, true}, "width=240\nheight=320\nfullscreen=1\n"},
    };
    for (const auto& [exit, lines] : kExits) {
        SCOPED_TRACE(lines);
        SaveKeptWindow(exit);
        EXPECT_EQ(Get(), before + lines);
        const KeptWindow next = LoadKeptWindow();
        EXPECT_EQ(std::tuple(next.width, next.height, next.fullScreen),
                  std::tuple(exit.width, exit.height, exit.fullScreen));
    }
}

}  // namespace
