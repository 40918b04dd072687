#include "app/actions.h"

#include "app/records.h"
#include "game/bout.h"
#include "game/confirm.h"
#include "game/message.h"
#include "game/state.h"
#include "game/taking.h"
#include "ui/hittest.h"

void PlaySelection() {
    if (extraCardsAllowed == -1) {
        ConfirmPlay();
    } else {
        GiveExtraCard();
    }
}

void PressLowerButton() {
    if (computerAttacks == 0) {
        EndBout(0);
    } else if (computerAttacks == 1) {
        HumanTakes();
    }
}

void PressUpperButton() {
    ToggleHandSort();
}

int32_t TapHandCard(int32_t position) {
    // Several uncovered cards before the human: a selection of several.
    if (computerTable.count > 1 && humanTable.count == 0) return ToggleCard(humanHand, position);
    return ToggleOnlyCard(humanHand, position);
}

void StartNewGame() {
    NoteGameLeft();
    SendGameMessage(NEW_GAME);
}
