// The device's formatting, the About text and box, the Rules command's
// launch of the rules page, and the page itself.
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "app/about.h"
#include "app/account.h"
#include "app/help.h"
#include "app/shell.h"
#include "app/window.h"
#include "platform/internal.h"
#include "res/ids.h"
#include "tests/fixture.h"
#include "tests/game_fixture.h"

namespace {

std::wstring Format(const wchar_t* format, auto... args) {
    wchar_t out[kWsprintfMax + 8];
    std::wmemset(out, L'#', kWsprintfMax + 8);
    int length = wsprintfW(out, format, args...);
    EXPECT_EQ(length, static_cast<int>(std::wcslen(out))) << format;
    return out;
}

TEST(WsprintfTest, ConversionsAsTheDeviceHasThem) {
    const wchar_t* nullWide = nullptr;
    const struct {
        std::wstring got;
        const wchar_t* want;
    } kCases[] = {
        {.got = Format(L"%s is %d", L"Velmora", 7), .want = L"Velmora is 7"},
        {.got = Format(L"%S, narrow", "cards"), .want = L"cards, narrow"},
        {.got = Format(L"%hs and %ls", "narrow", L"wide"), .want = L"narrow and wide"},
        {.got = Format(L"%S", "tr\xC3\xA8s \xE2\x99\xA0"), .want = L"tr\u00E8s \u2660"},
        {.got = Format(L"%S", "bad \xC3 byte"), .want = L"bad \u00C3 byte"},
        {.got = Format(L"%s", nullWide), .want = L"(null)"},
        {.got = Format(L"%c%c%C", L'\u2665', L'x', 'y'), .want = L"\u2665xy"},
        {.got = Format(L"100%% of %d", 36), .want = L"100% of 36"},
        {.got = Format(L"%d %i %d", -2147483647 - 1, 0, -5), .want = L"-2147483648 0 -5"},
        {.got = Format(L"%u %x %X %#x", 4294967295u, 255u, 0xBEEFu, 26u),
         .want = L"4294967295 ff BEEF 0x1a"},
        {.got = Format(L"[%5d|%-5d|%05d|%05d]", 42, 42, 42, -42),
         .want = L"[   42|42   |00042|-0042]"},
        {.got = Format(L"[%.3d|%6.3d|%08.3d]", 7, -7, 7), .want = L"[007|  -007|     007]"},
        {.got = Format(L"[%6s|%-6s|%.2s|%4.1s]", L"ab", L"ab", L"abc", L"xyz"),
         .want = L"[    ab|ab    |ab|   x]"},
        {.got = Format(L"[%3c|%-3c]", L'a', L'b'), .want = L"[  a|b  ]"},
        {.got = Format(L"%q%"), .want = L"q"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.got, c.want);
    EXPECT_EQ(Format(L"%p", reinterpret_cast<void*>(0xAB)).size(), sizeof(void*) * 2);
}

TEST(WsprintfTest, OutputStopsAtTheDeviceLimit) {
    const std::wstring wide(1500, L'w');
    const struct {
        std::wstring got;
        wchar_t fill;
    } kCases[] = {
        {.got = Format(wide.c_str()), .fill = L'w'},
        {.got = Format(L"%S", std::string(1500, 'n').c_str()), .fill = L'n'},
        {.got = Format(L"%2000d", 1), .fill = L' '},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.got, std::wstring(kWsprintfMax - 1, c.fill));
    // Text after the limit is dropped but the arguments still line up.
    std::wstring head(kWsprintfMax - 3, L'h');
    EXPECT_EQ(Format((head + L"%s%d").c_str(), L"ab", 5), head + L"ab");
}

// The About box is played whole by the replays; here its version is the
// one the program reports for --version, though the binary holds the text
// only scrambled.
class AboutBoxTest : public GameTest {};

TEST_F(AboutBoxTest, TheTextNamesTheProjectsVersion) {
    FormAboutText();
    EXPECT_EQ(
        std::wstring(aboutText).rfind(L"Velmora, version " VELMORA_PROJECT_VERSION L"\r\n", 0), 0u)
        << aboutText;
    size_t length = 0;
    const wchar_t* data = AboutTemplateData(&length);
    EXPECT_EQ(std::wstring(data, length).find(L"version"), std::wstring::npos);
}

// The Rules command against a made-up install: bin/ beside share/velmora/.
// The page beside the program in the build is played by the replays.
class RulesCommandTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        std::filesystem::create_directories(root + "/bin");
        PlatformSetProgramFolder((root + "/bin").c_str());
    }
    void TearDown() override {
        PlatformSetProgramFolder(nullptr);
        GameTest::TearDown();
    }
    void Put(const std::string& path) {
        std::filesystem::create_directories(std::filesystem::path(root + path).parent_path());
        std::ofstream(root + path) << "<p>rules</p>\n";
    }
    std::vector<std::vector<std::string>> Rules() {
        size_t before = HeadlessLaunches().size();
        SendMessageW(mainWindow, WM_COMMAND, 40013, 0);
        return {HeadlessLaunches().begin() + static_cast<long>(before), HeadlessLaunches().end()};
    }
    // The folder name has a blank, which the file address escapes.
    TempFolder folder{"/tmp/velmora rules-XXXXXX"};
    const std::string root = folder.path;
    const std::string address = "file://" + std::string(root).replace(root.find(' '), 1, "%20");
};

TEST_F(RulesCommandTest, TheRulesCommandOpensThePageAtItsAnchor) {
    using Launches = std::vector<std::vector<std::string>>;
    KeepAccount(true);
    EXPECT_EQ(Rules(), Launches{}) << "no page anywhere: nothing starts";
    EXPECT_EQ(TakeNewAccountLines(), std::vector<std::wstring>{LoadText(IDS_LOG_RULES_UNAVAILABLE)})
        << "and the account says so";
    Put("/share/velmora/velmora.0409.htm");
    EXPECT_EQ(Rules(), (Launches{{"xdg-open", address + "/share/velmora/velmora.0409.htm#99"}}));
    Put("/bin/velmora.0409.htm");
    EXPECT_EQ(Rules(), (Launches{{"xdg-open", address + "/bin/velmora.0409.htm#99"}}))
        << "the page beside the program comes first";
    EXPECT_TRUE(HeadlessBoxes().empty());
    EXPECT_TRUE(TakeNewAccountLines().empty()) << "an opened page adds no line";
    KeepAccount(false);
}

// Debian's layout: the program in games/, its page in share/games/velmora/.
TEST_F(RulesCommandTest, TheGamesLayoutsPageIsFoundFromGames) {
    std::filesystem::create_directories(root + "/games");
    PlatformSetProgramFolder((root + "/games").c_str());
    Put("/share/games/velmora/velmora.0409.htm");
    EXPECT_EQ(Rules(), (std::vector<std::vector<std::string>>{
                           {"xdg-open", address + "/share/games/velmora/velmora.0409.htm#99"}}));
}

// What each call opens, if anything: a page beside the program.
TEST_F(RulesCommandTest, OnlyTheHelpViewerOnAPageOfItsOwnStarts) {
    Put("/bin/velmora.0409.htm");
    std::filesystem::create_directories(root + "/bin/sub");
    const struct {
        const wchar_t* program;
        const wchar_t* line;
        const char* opens = nullptr;
    } kCases[] = {
        {.program = L"PEGHELP.EXE",
         .line = L"file:velmora.0409.htm#99",
         .opens = "/bin/velmora.0409.htm#99"},
        {.program = L"peghelp.exe",
         .line = L"file:velmora.0409.htm",
         .opens = "/bin/velmora.0409.htm"},
        {.program = L"sh", .line = L"file:velmora.0409.htm#99"},
        {.program = L"peghelp.exe", .line = L"velmora.0409.htm#99"},
        {.program = L"peghelp.exe", .line = L"file:../bin/velmora.0409.htm#99"},
        {.program = L"peghelp.exe", .line = L"file:sub#1"},
        {.program = L"peghelp.exe", .line = L"file:missing.htm#99"},
        {.program = nullptr, .line = L"file:velmora.0409.htm#99"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.line);
        const size_t before = HeadlessLaunches().size();
        std::wstring line = c.line;
        EXPECT_EQ(CreateProcessW(c.program, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, nullptr, nullptr),
                  c.opens ? TRUE : FALSE);
        std::vector<std::vector<std::string>> opened;
        if (c.opens) opened.push_back({"xdg-open", address + c.opens});
        EXPECT_EQ(std::vector(HeadlessLaunches().begin() + static_cast<long>(before),
                              HeadlessLaunches().end()),
                  opened);
    }
}

// The real start of the opener, found on a PATH of one folder of our own.
TEST(SpawnTest, AnOpenerThatCannotStartIsNamedOnStandardError) {
    TempFolder dir;
    const char* path = std::getenv("PATH");
    const std::string oldPath = path ? path : "";
    setenv("PATH", dir.path.c_str(), 1);
    struct sigaction oldChild {};
    sigaction(SIGCHLD, nullptr, &oldChild);
    for (bool there : {false, true}) {
        SCOPED_TRACE(there);
        if (there) {
            const std::string opener = dir.path + "/xdg-open";
            std::ofstream(opener) << "#!/bin/sh\nexit 0\n";
            chmod(opener.c_str(), 0755);
        }
        testing::internal::CaptureStderr();
        EXPECT_EQ(PlatformSpawnDetached({"xdg-open", "file:///velmora.0409.htm#99"}), there);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  there ? "" : "velmora: cannot start xdg-open: No such file or directory\n");
    }
    // Other tests wait for children of their own.
    sigaction(SIGCHLD, &oldChild, nullptr);
    setenv("PATH", oldPath.c_str(), 1);
}

TEST(RulesPageTest, ThePageHasTheAnchorAndNamesEveryGameType) {
    std::stringstream text;
    text << std::ifstream(VELMORA_RULES_PAGE).rdbuf();
    const std::string page = text.str();
    // Each game type's name a heading of its own, exactly as the game's menu has it.
    for (const char* needle :
         {"id=\"99\"", "<meta charset=\"utf-8\">", "CC BY-SA 4.0", "\">Thrown up</h3>",
          "\">Thrown up. Transfer</h3>", "\">Bulk</h3>", "\">Bulk. Transfer</h3>",
          "\">Japanese</h3>", "\">Japanese. Transfer</h3>"})
        EXPECT_NE(page.find(needle), std::string::npos) << needle;
    // Every element the page opens it closes.
    auto count = [&](const std::string& pattern) {
        const std::regex re(pattern);
        return std::distance(std::sregex_iterator(page.begin(), page.end(), re),
                             std::sregex_iterator());
    };
    for (std::string tag : {"section", "ul", "ol", "p", "table", "h2", "h3"})
        EXPECT_EQ(count("<" + tag + "[ >]"), count("</" + tag + ">")) << tag;
}

}  // namespace
