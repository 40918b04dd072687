// The end of a game: the winner is announced, counted, saved, and the next
// game is dealt at once.
#include "game/gameover.h"

#include "game/account.h"
#include "game/host.h"
#include "game/message.h"
#include "game/state.h"
#include "res/ids.h"

namespace {

bool NothingLeftToDraw() {
    return Remaining(deck) == 0 && trumpCard.hidden == 1;
}

void AnnounceWin(uint32_t& wins, const wchar_t* valueName, const wchar_t* text, int32_t winner) {
    // Counted before the box shows, onto the stored total: other running
    // copies' wins count too. Kept as ended first, so that no later run
    // counts it again.
    KeepEndedGame(winner);
    wins = AddOneToStoredCount(wins, valueName);
    RecordGameEnd(winner);
    PlayEvent over{};
    over.kind = PlayGameOver;
    over.side = winner == 0 ? SideHuman : SideComputer;
    over.humanWins = humanWins;
    over.computerWins = computerWins;
    EmitPlay(over);
    ReleaseButtons();
    MessageBoxW(MainWindow(), text, L"", MB_OK | MB_ICONINFORMATION);
    lastWinner = winner;
    SendGameMessage(NEW_GAME);
}

}  // namespace

void CheckGameOver() {
    // The computer is tested first: when both hands are out, it wins.
    if (computerHand.count == 0 && NothingLeftToDraw())
        AnnounceWin(computerWins, kValueComputerWins, L"I win!", 1);
    if (humanHand.count == 0 && NothingLeftToDraw())
        AnnounceWin(humanWins, kValueHumanWins, LoadText(IDS_YOU_WIN), 0);
}
