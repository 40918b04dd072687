// The human plays the selected cards: opening, throw-in, transfer, cover.
#include "game/confirm.h"

#include "game/account.h"
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

void PlayChosen(int32_t chosen, LayHow how) {
    KeepOnlyChosen(chosen);
    LayCards(humanHand, humanTable, how);
    SortPile(humanHand);
}

void HumanAttacks(int32_t chosen) {
    if (humanTable.count == 0 && computerTable.count == 0) {
        transferOpen = 1;
        computerHandAtBoutStart = computerHand.count;
        boutLedByComputer = 0;
        PlayChosen(chosen, LayAttack);
        SendGameMessage(COMPUTER_DEFEND);
        return;
    }
    transferOpen = 0;  // stays closed even when the card is refused
    if (humanTable.count >= kTableLimit) {
        ShowStatus(LoadText(IDS_TABLE_FULL));
        Refuse(RefusedTableFull, kTableLimit);
        CheckGameOver();
        return;
    }
    if (computerHand.count == 0) {
        ShowStatus(LoadText(IDS_COMPUTER_OUT));
        Refuse(RefusedComputerOut);
        CheckGameOver();
        return;
    }
    if (RankOnTable(CardAt(humanHand, chosen).rank) == 0) {
        RefuseRank(RefusedRank, CardAt(humanHand, chosen));
        return;
    }
    PlayChosen(chosen, LayAttack);
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

// The first attack card that none of the chosen cards beats, if one does not.
void RefuseCoverAll(const CardPile& chosen) {
    for (int32_t a = 1; a <= computerTable.count; ++a) {
        bool beaten = false;
        for (int32_t d = 1; d <= chosen.count && !beaten; ++d)
            beaten = CanCover(CardAt(chosen, d), CardAt(computerTable, a)) > 0;
        if (!beaten) {
            Refuse(RefusedCoverAll, CardAt(computerTable, a), CardAt(computerTable, a));
            return;
        }
    }
    Refuse(RefusedCoverAll, computerTable.count);
}

void CoverSeveral() {
    const int32_t attackCards = computerTable.count;
    if (CountSelected(humanHand) != attackCards) {
        ShowStatus(LoadText(IDS_SELECT_COUNT), attackCards);
        Refuse(RefusedSelectCount, attackCards);
        return;
    }
    CardPile chosen;
    InitPile(chosen);
    SetTrumpSuit(chosen, TrumpSuit());
    CopySelected(humanHand, chosen);
    int32_t result = CoverAll(computerTable, chosen);
    if (result != 0) RefuseCoverAll(chosen);
    ClearPile(chosen);
    if (result != 0) {
        ShowStatus(LoadText(IDS_BAD_SELECTION));
        return;
    }
    LayCards(humanHand, humanTable, LayCover);
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
            LayCards(humanHand, humanTable, LayTransfer);
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
    if (CanCover(CardAt(humanHand, chosen), attack) <= 0) {
        const Refusal why = OnlySpadeCovers(attack) == 1 && CardAt(humanHand, chosen).suit != Spades
                                ? RefusedSpadeOnly
                                : RefusedCannotBeat;
        Refuse(why, CardAt(humanHand, chosen), attack);
        return;
    }
    PlayChosen(chosen, LayCover);
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
        Refuse(RefusedNoCard);
        return;
    }
    if (computerAttacks == 0) {
        HumanAttacks(chosen);
    } else {
        HumanDefends(chosen, serial);
    }
}
