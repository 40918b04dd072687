#include "game/message.h"

#include "game/host.h"
#include "game/pace.h"

void SendGameMessage(GameMessage code) {
    // The computer defends against a card the player has just laid.
    if (code == COMPUTER_DEFEND) PauseFor(PauseYourCard);
    SendMessageW(MainWindow(), WM_USER, code, 0);
}
