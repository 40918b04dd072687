#include "game/message.h"

#include "app/shell.h"
#include "game/pace.h"

void SendGameMessage(GameMessage code) {
    // The computer defends against a card the player has just laid.
    if (code == COMPUTER_DEFEND) PauseFor(PauseYourCard);
    SendMessageW(mainWindow, WM_USER, code, 0);
}
