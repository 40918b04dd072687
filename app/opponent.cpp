#include "app/opponent.h"

#include "ai/expert/answer.h"
#include "app/records.h"
#include "app/settings.h"
#include "game/message.h"
#include "game/state.h"
#include "res/ids.h"

int32_t computerPlayer = OpponentClassic;

namespace {

int32_t fromCaller = -1;
ComputerChooser chooserFromCaller = nullptr;

bool IsOpponent(int32_t value) {
    return value == OpponentClassic || value == OpponentExpert;
}

}  // namespace

void SetOpponentFromCaller(int32_t chosen) {
    fromCaller = IsOpponent(chosen) ? chosen : -1;
}

void SetChooserFromCaller(ComputerChooser chooser) {
    chooserFromCaller = chooser;
}

void LoadOpponent() {
    if (fromCaller >= 0)
        computerPlayer = fromCaller;
    else
        computerPlayer =
            LoadSetting(kValueOpponent, kWindowKey) == 2 ? OpponentExpert : OpponentClassic;
    expert::SetExpertPlaying(computerPlayer == OpponentExpert);
    if (chooserFromCaller) computerChooser = chooserFromCaller;
}

void ChooseOpponent(int32_t chosen) {
    if (!IsOpponent(chosen) || chosen == computerPlayer) return;
    const bool leave = cardLaidThisGame == 1;
    // The game left is counted against the one who played it.
    if (leave) NoteGameLeft();
    computerPlayer = chosen;
    expert::SetExpertPlaying(chosen == OpponentExpert);
    SaveSetting(static_cast<uint32_t>(chosen) + 1, kValueOpponent, kWindowKey);
    if (leave) SendGameMessage(NEW_GAME);
}

const wchar_t* OpponentRecordName() {
    return computerPlayer == OpponentExpert ? kOpponentExpert : kOpponentClassic;
}
