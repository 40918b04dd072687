// The end of a bout: discard, refill in the opener's order, pass the attack.
#include "game/bout.h"

#include "game/account.h"
#include "game/deal.h"
#include "game/gameover.h"
#include "game/message.h"
#include "game/pace.h"
#include "game/state.h"
#include "game/taking.h"

int32_t EndBout(int32_t forced) {
    const uint32_t serial = gameSerial;
    transferOpen = 1;
    if (extraCardsAllowed > 0) {
        // OK while still allowed to give: the giving ends, the computer takes.
        ComputerPicksUp();
        return 1;
    }
    if (humanTable.count == 0 && computerTable.count == 0 && forced != 1) return 1;
    if (humanTable.count + computerTable.count > 0) {
        PauseFor(PauseTableDone);
        PlayEvent beaten{};
        beaten.kind = PlayBeaten;
        beaten.count = humanTable.count + computerTable.count;
        EmitPlay(beaten);
    }
    ClearPile(humanTable);
    ClearPile(computerTable);
    if (boutLedByComputer != 0) {
        RefillHand(computerHand);
        RefillHand(humanHand);
    } else {
        RefillHand(humanHand);
        RefillHand(computerHand);
    }
    FitHumanHand();
    computerAttacks = computerAttacks == 1 ? 0 : 1;
    CheckGameOver();
    if (gameSerial != serial) return 0;
    if (computerAttacks != 0) {
        SendGameMessage(COMPUTER_ATTACK);
        if (gameSerial != serial) return 0;
    }
    return 1;
}
