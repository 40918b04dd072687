#include "tests/game_fixture.h"

#include <stdlib.h>

#include <cstdlib>
#include <cstring>

#include <filesystem>

#include "app/construct.h"
#include "app/shell.h"
#include "app/window.h"
#include "game/status.h"
#include "platform/platform.h"
#include "res/resources.h"
#include "ui/graphics.h"
#include "ui/scale.h"

namespace {

bool InPlay(int32_t suit, int32_t rank) {
    for (const CardPile* p : {&humanHand, &humanTable, &computerHand, &computerTable})
        for (int32_t i = 1; i <= p->count; ++i)
            if (CardAt(*p, i).suit == suit && CardAt(*p, i).rank == rank) return true;
    return trumpCard.hidden == 0 && trumpCard.suit == suit && trumpCard.rank == rank;
}

std::string Narrow(const std::wstring& text) {
    return {text.begin(), text.end()};
}

}  // namespace

void GameTest::SetUp() {
    TableTest::SetUp();
    // The density is fixed for a run: other densities run in processes of
    // their own (see tests/CMakeLists.txt).
    if (const char* dpi = std::getenv("VELMORA_TEST_DPI")) {
        StartScreen(std::atoi(dpi));
        RegisterResources();
    }
    char pattern[] = "/tmp/velmora-test-XXXXXX";
    configDir = mkdtemp(pattern);
    PlatformSetConfigHome(configDir.c_str());
    ConstructProgram();
    instance = programModule = resourceModule = GetModuleHandleW(nullptr);
    CreateMainWindow(instance, SW_SHOW);
    HeadlessPump();
    // The first deal is replaced by each test's own table.
    SetGame(0, "TC");
    for (CardPile* p : {&humanTable, &computerHand, &computerTable})
        Deal(*p, "");
    Deal(humanHand, "", SortByRank);
    computerAttacks = 0;
    boutLedByComputer = 0;
    transferOpen = 1;
    extraCardsAllowed = -1;
    SetFreshStock(20);
    statusText = nullptr;
    HeadlessPump();
    HeadlessClearBoxes();
    HeadlessClearInvalidations();
}

void GameTest::TearDown() {
    DestroyWindow(mainWindow);
    HeadlessPump();
    ReleaseProgram();
    PlatformSetConfigHome(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(configDir, ignored);
    TableTest::TearDown();
}

void GameTest::SetFreshStock(int32_t n) {
    deck.remaining = 0;
    for (int32_t i = 0; i < deck.total; ++i) {
        DeckEntry& e = deck.entries[i];
        e.present = deck.remaining < n && !InPlay(e.suit, e.rank) ? 1 : 0;
        deck.remaining += e.present;
    }
    stockCard.hidden = n == 0 ? 1 : 0;
}

void GameTest::Select(const char* cards) {
    for (int32_t i = 1; i <= humanHand.count; ++i)
        CardAt(humanHand, i).selected =
            std::strstr(cards, CardName(CardAt(humanHand, i)).c_str()) ? 1 : 0;
}

void GameTest::TapTable() {
    HeadlessTap(ScaleX(100), ScaleY(90));
    HeadlessPump();
}

void GameTest::TapLowerButton() {
    HeadlessTap(ScaleX(220), ScaleY(186));
    HeadlessPump();
}

void GameTest::MakeGraphics() {
    CreateGraphics();
    okButtonIcon = LoadButtonIcon(119, ScaleX(units::buttonIconSize), nullptr);
    takeButtonIcon = LoadButtonIcon(117, ScaleX(units::buttonIconSize), nullptr);
    sortButtonIcon = LoadButtonIcon(124, ScaleX(units::buttonIconSize), nullptr);
}

void GameTest::FreeGraphics() {
    for (HICON* icon : {&okButtonIcon, &takeButtonIcon, &sortButtonIcon}) {
        DestroyIcon(*icon);
        *icon = nullptr;
    }
    ReleaseGraphics();
}

std::vector<std::string> TakeBoxes() {
    std::vector<std::string> out;
    for (const BoxRecord& b : HeadlessBoxes())
        out.push_back(Narrow(b.text) + '|' + Narrow(b.caption) + '|' + std::to_string(b.flags));
    HeadlessClearBoxes();
    return out;
}
