// Taking the table, by either side, and the extra cards the attacker adds.
#include "game/taking.h"

#include <algorithm>

#include "game/account.h"
#include "game/bout.h"
#include "game/confirm.h"
#include "game/deal.h"
#include "game/gameover.h"
#include "game/host.h"
#include "game/message.h"
#include "game/pace.h"
#include "game/state.h"
#include "game/status.h"
#include "res/ids.h"

namespace {

void MoveInto(CardPile& from, CardPile& hand) {
    SelectAll(from);
    MoveSelected(from, hand);
    ClearPile(from);
}

// Both sides of the table into the taker's hand.
void TakeTable(CardPile& hand) {
    PlayEvent taken{};
    taken.kind = PlayTake;
    taken.side = &hand == &humanHand ? SideHuman : SideComputer;
    taken.count = computerTable.count + humanTable.count;
    MoveInto(computerTable, hand);
    MoveInto(humanTable, hand);
    EmitPlay(taken);
}

}  // namespace

void ComputerTakes() {
    int32_t allowance = std::min(computerHandAtBoutStart, 6) - humanTable.count;
    if (allowance > 0) {
        extraCardsAllowed = allowance;
        ShowStatus(extraCardsFormat, allowance);
        return;
    }
    // Picks up at once, without a word.
    PauseFor(PauseTableDone);
    TakeTable(computerHand);
    Refresh(computerHand);
    RefillHand(humanHand);
    extraCardsAllowed = -1;
}

void GiveExtraCard() {
    const uint32_t serial = gameSerial;
    const int32_t chosen = FirstSelected(humanHand);
    CheckGameOver();
    if (gameSerial != serial) return;
    if (chosen == 0) {
        ShowStatus(extraCardsFormat, extraCardsAllowed);
        Refuse(RefusedNoExtraCard, extraCardsAllowed);
        return;
    }
    if (extraCardsAllowed <= 0) {
        ComputerPicksUp();
        return;
    }
    const int32_t rank = CardAt(humanHand, chosen).rank;
    if (FindRank(humanTable, rank) == 0 && FindRank(computerTable, rank) == 0) {
        RefuseRank(RefusedExtraRank, CardAt(humanHand, chosen));
        return;
    }
    KeepOnlyChosen(chosen);
    LayCards(humanHand, humanTable, LayExtra);
    SortPile(humanHand);
    CheckGameOver();
    if (gameSerial != serial) return;
    extraCardsAllowed -= 1;
    if (extraCardsAllowed > 0) {
        ShowStatus(extraCardsFormat, extraCardsAllowed);
    } else {
        ComputerPicksUp();
    }
}

void ComputerPicksUp() {
    extraCardsAllowed = -1;
    PauseFor(PauseTableDone);
    TakeTable(computerHand);
    Refresh(computerHand);
    RefillHand(humanHand);
    extraCardsAllowed = -1;
    ShowStatus(LoadText(IDS_YOUR_MOVE));
}

void HumanTakes() {
    const uint32_t serial = gameSerial;
    transferOpen = 1;
    if (humanTable.count == 0 && computerTable.count == 0) return;
    int32_t allowance = std::min(humanHandAtBoutStart, 6) - computerTable.count;
    int32_t given = allowance > 0 ? ComputerAddsExtras(allowance) : 0;
    if (given > 0) {
        ShowStatus(LoadText(IDS_TAKEN_WITH_EXTRAS), computerTable.count, given);
    } else {
        ShowStatus(LoadText(IDS_TAKEN), computerTable.count);
    }
    PauseFor(PauseTableDone);
    TakeTable(humanHand);
    Refresh(humanHand);
    FitHumanHand();
    if (EndBout(1) == 0) return;
    CheckGameOver();
    if (gameSerial != serial) return;
    SendGameMessage(COMPUTER_ATTACK);
    if (gameSerial != serial) return;
    CheckGameOver();
}

int32_t ComputerAddsExtras(int32_t n) {
    if (n == 0) return 0;
    int32_t remaining = n;
    int32_t gave;
    SetGivingExtras(true);
    do {
        gave = ComputerThrowsIn();
        if (gave == 1) remaining -= 1;
    } while (remaining != 0 && gave == 1);
    SetGivingExtras(false);
    return n - remaining;
}
