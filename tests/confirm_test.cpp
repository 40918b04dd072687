// The human's confirm in each situation of a bout, with the computer's
// answer that follows it at once.
#include "app/account.h"
#include "tests/game_fixture.h"

namespace {

using ConfirmTest = GameTest;

struct ConfirmCase {
    const char* what;
    int32_t type = 0;
    int32_t computerAttacks = 0;
    int32_t transferOpen = 1;
    const char* humanHand;
    const char* humanTable = "";
    const char* computerTable = "";
    const char* computerHand;
    const char* select;
    int answer = 0;  // queued for a question box
    // What must follow. A refused move leaves the cards and the selection.
    bool refused = false;
    const char* humanTableAfter = "";
    const char* computerTableAfter = "";
    const char* computerHandAfter = nullptr;  // null: not checked
    const char* selectedAfter = "";
    const wchar_t* status = L"";
    int32_t transferOpenAfter = 0;
    int32_t computerAttacksAfter = 0;
    int32_t extra = -1;  // extra cards the human may give before the tap
    int32_t extraAfter = -1;
    const char* box = nullptr;  // "text|caption|flags" of the box shown, if any
    const wchar_t* said = L"";  // the account's first sentence after the tap
};

// Clubs are trumps; the stock holds 20 cards. Each row: what, the table
// before, what must follow.
// clang-format off
const ConfirmCase kConfirms[] = {
    {.what = "nothing selected, opening", .humanHand = "6S 7H", .computerHand = "8S 9S",
     .select = "", .refused = true, .status = L"   Please select a card!", .transferOpenAfter = 1,
     .said = L"Select a card first, then tap the table."},
    {.what = "nothing selected, defending", .computerAttacks = 1, .humanHand = "6S",
     .computerTable = "7H", .computerHand = "8S", .select = "", .refused = true,
     .status = L"   Please select a card!", .transferOpenAfter = 1, .computerAttacksAfter = 1,
     .said = L"Select a card first, then tap the table."},
    {.what = "any card opens; a computer that cannot cover lets the human add one",
     .humanHand = "AS 6H", .computerHand = "7S 8D", .select = "AS", .humanTableAfter = "AS",
     .computerHandAfter = "8D 7S", .status = L"You can give me 1 extra card(s).", .extraAfter = 1,
     .said = L"You lead the A\x2660."},
    {.what = "a throw-in of a rank only among the computer's covers", .transferOpen = 0,
     .humanHand = "7D 9H", .humanTable = "6S", .computerTable = "7S", .computerHand = "8D KH",
     .select = "7D", .humanTableAfter = "6S 7D", .computerTableAfter = "7S 8D",
     .computerHandAfter = "KH", .said = L"You throw in the 7\x2666."},
    {.what = "a rank not on the table is refused silently and closes the transfer",
     .humanHand = "9H", .humanTable = "6S", .computerTable = "7S", .computerHand = "8D",
     .select = "9H", .refused = true, .said = L"Only a 6 or a 7 can be added now."},
    {.what = "a seventh card: the six-card limit wins over an empty computer hand",
     .transferOpen = 0, .humanHand = "6C", .humanTable = "6S 6H 6D 7S 7H 7D",
     .computerTable = "8S 8H 8D 9S 9H 9D", .computerHand = "", .select = "6C", .refused = true,
     .status = L"Ok (6 cards). My move.",
     .said = L"6 cards are on the table; no more can be added."},
    {.what = "a throw-in when the computer holds nothing", .transferOpen = 0, .humanHand = "6H",
     .humanTable = "6S", .computerTable = "7S", .computerHand = "", .select = "6H", .refused = true,
     .status = L"Ok (0 cards). My move.",
     .said = L"I have no cards left to beat more with; no more can be added."},
    {.what = "a plain card of the attack rank transfers without a question, to just enough cards",
     .type = 1, .computerAttacks = 1, .humanHand = "8D 9S", .computerTable = "8H",
     .computerHand = "6S KS", .select = "8D", .computerHandAfter = "6S KS 8D 8H",
     .said = L"You pass the attack on to me with the 8\x2666."},
    {.what = "a higher card, transfer or not, does not cover another suit", .type = 1,
     .computerAttacks = 1, .humanHand = "9D", .computerTable = "8H", .computerHand = "6S 7S",
     .select = "9D", .refused = true, .computerAttacksAfter = 1,
     .said = L"The 9\x2666 cannot beat the 8\x2665."},
    {.what = "a trump of the attack rank asks; No covers with it", .type = 1, .computerAttacks = 1,
     .humanHand = "8C 9S", .computerTable = "8H", .computerHand = "6S 7S KS", .select = "8C",
     .answer = IDNO, .status = L"Ok. Your move!", .transferOpenAfter = 1, .box = "Transfer?||36",
     .said = L"You beat my 8\x2665 with a trump, the 8\x2663."},
    {.what = "a trump of the attack rank asks; Yes transfers", .type = 1, .computerAttacks = 1,
     .humanHand = "8C 9S", .computerTable = "8H", .computerHand = "6S 7S KS", .select = "8C",
     .answer = IDYES, .computerHandAfter = "6S 7S KS 8H 8C", .box = "Transfer?||36",
     .said = L"You pass the attack on to me with the 8\x2663."},
    {.what = "a computer too short for a transfer makes it a cover, which fails", .type = 1,
     .computerAttacks = 1, .humanHand = "8D", .computerTable = "8H", .computerHand = "6S",
     .select = "8D", .refused = true, .computerAttacksAfter = 1,
     .said = L"The 8\x2666 cannot beat the 8\x2665."},
    {.what = "a lower card of the attack's suit is refused", .computerAttacks = 1,
     .humanHand = "6H 9S", .computerTable = "7H", .computerHand = "8S", .select = "6H",
     .refused = true, .computerAttacksAfter = 1, .said = L"The 6\x2665 cannot beat the 7\x2665."},
    {.what = "only a spade covers a spade in the Japanese types", .type = 4, .computerAttacks = 1,
     .humanHand = "7D 9H", .computerTable = "8S", .computerHand = "6H", .select = "7D",
     .refused = true, .computerAttacksAfter = 1, .said = L"Only a spade can beat the 8\x2660."},
    {.what = "several cards before the human: one selected", .computerAttacks = 1,
     .humanHand = "TH TS", .computerTable = "9S 9H", .computerHand = "7D", .select = "TH",
     .refused = true, .status = L"Select 2 cards", .computerAttacksAfter = 1,
     .said = L"Select 2 cards to cover with."},
    {.what = "several cards before the human: three selected", .computerAttacks = 1,
     .humanHand = "TH TS JH", .computerTable = "9S 9H", .computerHand = "7D", .select = "TH TS JH",
     .refused = true, .status = L"Select 2 cards", .computerAttacksAfter = 1,
     .said = L"Select 2 cards to cover with."},
    {.what = "several cards before the human: two that do not beat both", .computerAttacks = 1,
     .humanHand = "TH 6S", .computerTable = "9S 9H", .computerHand = "7D", .select = "TH 6S",
     .computerTableAfter = "9H 9S", .computerHandAfter = "7D", .selectedAfter = "6S TH",
     .status = L"Bad cards selected", .computerAttacksAfter = 1,
     .said = L"None of the cards you chose can beat the 9\x2660."},
    {.what = "several cards before the human: each beaten, but not both at once",
     .computerAttacks = 1, .humanHand = "TH 7H", .computerTable = "9H 8H", .computerHand = "7D",
     .select = "TH 7H", .computerTableAfter = "8H 9H", .computerHandAfter = "7D",
     .selectedAfter = "7H TH", .status = L"Bad cards selected", .computerAttacksAfter = 1,
     .said = L"The cards you chose cannot beat all 2 cards at once."},
    {.what = "several cards before the human: two that beat both, and the computer adds nothing",
     .computerAttacks = 1, .humanHand = "TH TS 6D", .computerTable = "9S 9H", .computerHand = "7D",
     .select = "TH TS", .status = L"Ok. Your move!", .transferOpenAfter = 1,
     .said = L"You beat my 9\x2665 with the 10\x2665."},
    {.what = "nothing selected to give the taking computer", .transferOpen = 0, .humanHand = "7S",
     .humanTable = "6S", .computerTable = "", .computerHand = "8D", .select = "", .refused = true,
     .status = L"You can give me 2 extra card(s).", .extra = 2, .extraAfter = 2,
     .said = L"Select a card to give me, or tap the button to let me take."},
    {.what = "an extra card of a rank not on the table", .transferOpen = 0, .humanHand = "8H 9D",
     .humanTable = "6S", .computerTable = "7S", .computerHand = "8D", .select = "8H",
     .refused = true, .extra = 1, .extraAfter = 1, .said = L"Only a 6 or a 7 can be given now."},
    {.what = "the sixth cover ends the bout at once", .computerAttacks = 1, .transferOpen = 0,
     .humanHand = "TH 8D", .humanTable = "7S 7H 7D 7C TS", .computerTable = "6S 6H 6D 6C 9S 9H",
     .computerHand = "AS", .select = "TH", .transferOpenAfter = 1,
     .said = L"You beat my 9\x2665 with the 10\x2665."},
    {.what = "defending an empty table is reported", .computerAttacks = 1, .humanHand = "6H",
     .computerHand = "", .select = "6H", .refused = true, .transferOpenAfter = 1,
     .computerAttacksAfter = 1, .box = "ERROR: computer will go!||0"},
};
// clang-format on

TEST_F(ConfirmTest, EachSituation) {
    auto cards = [] {
        return std::vector<std::string>{Cards(humanTable), Cards(computerTable),
                                        Cards(computerHand), SelectedCards(humanHand)};
    };
    for (const ConfirmCase& c : kConfirms) {
        SCOPED_TRACE(c.what);
        SetGame(c.type, "TC");
        computerAttacks = c.computerAttacks;
        transferOpen = c.transferOpen;
        boutLedByComputer = c.computerAttacks;
        computerHandAtBoutStart = 2;
        humanHandAtBoutStart = 6;
        extraCardsAllowed = c.extra;
        LayTable(c.humanHand, c.humanTable, c.computerTable, c.computerHand);
        SetFreshStock(20);
        Select(c.select);
        if (c.answer) HeadlessQueueBoxAnswer(c.answer);
        TakeBoxes();
        const std::vector<std::string> before = cards();
        KeepAccount(true);

        TapTable();
        const std::vector<std::wstring> said = TakeNewAccountLines();
        KeepAccount(false);
        EXPECT_EQ(said.empty() ? L"" : said.front(), c.said);

        const std::vector<std::string> after = cards();
        if (c.refused) {
            EXPECT_EQ(after, before);
        } else {
            EXPECT_EQ(after[0], c.humanTableAfter);
            EXPECT_EQ(after[1], c.computerTableAfter);
            if (c.computerHandAfter) {
                EXPECT_EQ(after[2], c.computerHandAfter);
            }
            EXPECT_EQ(after[3], c.selectedAfter);
        }
        EXPECT_EQ(StatusLine(), c.status);
        EXPECT_EQ(transferOpen, c.transferOpenAfter);
        EXPECT_EQ(computerAttacks, c.computerAttacksAfter);
        EXPECT_EQ(extraCardsAllowed, c.extraAfter);
        EXPECT_EQ(TakeBoxes(),
                  c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
    }
}

}  // namespace
