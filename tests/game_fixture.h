// The real program running on the headless screen, with its main window,
// window procedure and computer player, and a store in a temporary folder.
// Tests then lay the table out directly.
#pragma once

#include <string>

#include "tests/table.h"

class GameTest : public TableTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // A stock of n cards that lie nowhere else, so refills draw real cards.
    static void SetFreshStock(int32_t n);
    // Selects the hand's cards named (and clears every other selection).
    static void Select(const char* cards);
    // A tap at a design-unit point of the table area, the lower or upper button.
    static void TapTable();
    static void TapLowerButton();
    // The drawing objects and button icons WinMain makes, for painting tests.
    static void MakeGraphics();
    static void FreeGraphics();
    std::string configDir;
};

// Box texts shown since the last call, as "text|caption|flags".
std::vector<std::string> TakeBoxes();
