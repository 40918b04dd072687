// The human plays the selected cards: opening, throw-in, transfer, cover.
#include "game/confirm.h"

#include "game/bout.h"
#include "game/gameover.h"
#include "game/host.h"
#include "game/message.h"
#include "game/pace.h"
#include "game/rules.h"
#include "game/state.h"
#include "game/status.h"
#include "res/ids.h"

namespace {

constexpr int32_t kTableLimit = 6;

void PlayChosen(int32_t chosen) {
    KeepOnlyChosen(chosen);
    MoveSelected(humanHand, humanTable);
    SortPile(humanHand);
}

bool RankOnTable(int32_t rank) {
    return FindRank(humanTable, rank) != 0 || FindRank(computerTable, rank) != 0;
}

void HumanAttacks(int32_t chosen) {
    if (humanTable.count == 0 && computerTable.count == 0) {
        transferOpen = 1;
        computerHandAtBoutStart = computerHand.count;
        boutLedByComputer = 0;
        PlayChosen(chosen);
        SendGameMessage(COMPUTER_DEFEND);
        return;
    }
    transferOpen = 0;  // stays closed even when the card is refused
    if (humanTable.count >= kTableLimit) {
        ShowStatus(LoadText(IDS_TABLE_FULL));
        CheckGameOver();
        return;
    }
    if (computerHand.count == 0) {
        ShowStatus(LoadText(IDS_COMPUTER_OUT));
        CheckGameOver();
        return;
    }
    if (!RankOnTable(CardAt(humanHand, chosen).rank)) return;
    PlayChosen(chosen);
    SendGameMessage(COMPUTER_DEFEND);
}

// Every selected card must carry the attack rank, and the computer must hold
// as many cards as will then lie before it.
bool TransferPossible(int32_t attackRank, bool* anyTrump) {
    if (transferRule != 1 || transferOpen != 1) return false;
    int32_t selected = 0;
    *anyTrump = false;
    for (int32_t i = 1; i <= humanHand.count; ++i) {
        const Card& c = CardAt(humanHand, i);
        if (c.selected != 1) continue;
        if (c.rank != attackRank) return false;
        *anyTrump = *anyTrump || c.suit == TrumpSuit();
        ++selected;
    }
    return computerHand.count >= computerTable.count + selected;
}

void CoverOrEnd() {
    if (humanTable.count < kTableLimit) {
        PauseFor(PauseYourCard);  // the cover in view before the computer goes on
        SendGameMessage(COMPUTER_ATTACK);
    } else {
        EndBout(0);
    }
}

void CoverSeveral() {
    const int32_t attackCards = computerTable.count;
    if (CountSelected(humanHand) != attackCards) {
        ShowStatus(LoadText(IDS_SELECT_COUNT), attackCards);
        return;
    }
    CardPile chosen;
    InitPile(chosen);
    SetTrumpSuit(chosen, TrumpSuit());
    CopySelected(humanHand, chosen);
    int32_t result = CoverAll(computerTable, chosen);
    ClearPile(chosen);
    if (result != 0) {
        ShowStatus(LoadText(IDS_BAD_SELECTION));
        return;
    }
    MoveSelected(humanHand, humanTable);
    SortPile(humanHand);
    CoverOrEnd();
}

void HumanDefends(int32_t chosen, uint32_t serial) {
    if (computerTable.count == 0) {
        ShowErrorBox(MainWindow(), L"ERROR: computer will go!");
        return;
    }
    const int32_t attackRank = CardAt(computerTable, computerTable.count).rank;
    bool anyTrump = false;
    if (TransferPossible(attackRank, &anyTrump)) {
        // A trump of the attack rank could also cover: ask.
        bool transfer = !anyTrump || MessageBoxW(MainWindow(), LoadText(IDS_ASK_TRANSFER), L"",
                                                 MB_YESNO | MB_ICONQUESTION) == IDYES;
        if (gameSerial != serial) return;
        if (transfer) {
            SelectAll(computerTable);
            MoveSelected(computerTable, humanTable);
            MoveSelected(humanHand, humanTable);
            SendGameMessage(COMPUTER_DEFEND);
            return;
        }
    }
    transferOpen = 0;  // any try at covering closes the transfer for this bout
    if (computerTable.count >= 2 && humanTable.count == 0) {
        CoverSeveral();
        return;
    }
    const Card& attack = CardAt(computerTable, computerTable.count);
    if (CanCover(CardAt(humanHand, chosen), attack) <= 0) return;
    PlayChosen(chosen);
    CoverOrEnd();
}

}  // namespace

// Selections can outlive the situation they were made for (cards picked to
// cover several, then taken): only the chosen card is played.
void KeepOnlyChosen(int32_t chosen) {
    for (int32_t i = 1; i <= humanHand.count; ++i)
        if (i != chosen) CardAt(humanHand, i).selected = 0;
}

void ConfirmPlay() {
    const uint32_t serial = gameSerial;
    const int32_t chosen = FirstSelected(humanHand);
    CheckGameOver();
    if (gameSerial != serial) return;
    if (chosen == 0) {
        ShowStatus(LoadText(IDS_SELECT_A_CARD));
        return;
    }
    if (computerAttacks == 0) {
        HumanAttacks(chosen);
    } else {
        HumanDefends(chosen, serial);
    }
}
