// The game messages that carry the turn-taking: the main window sends
// itself WM_USER with one of these codes and handles it to completion
// inside the send.
#pragma once

#include <cstdint>

enum GameMessage : uint32_t { NEW_GAME = 0, COMPUTER_ATTACK = 1, COMPUTER_DEFEND = 2 };

// Sends the main window WM_USER with the code; returns once the computer
// has moved.
void SendGameMessage(GameMessage code);
