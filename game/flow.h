// The play flow: dealing, the human's moves, taking, the end of a bout and
// of a game. Turn-taking runs through game messages the main window sends
// itself (WM_USER with one of these codes), handled to completion inside
// the send.
#pragma once

#include <cstdint>

enum GameMessage : uint32_t { NEW_GAME = 0, COMPUTER_ATTACK = 1, COMPUTER_DEFEND = 2 };

// Sends the main window WM_USER with the code; returns once the computer
// has moved.
void SendGameMessage(GameMessage code);

// Deal and refill.
void NewGame();
void RefillHand(struct CardPile& pile);
void FitHumanHand();
// Every card's size and place again at the screen's density, the game
// itself unchanged: the piles' origins and layouts, the stock and the trump.
void ScaleTable();
void ChooseFirstAttacker();

// The human's confirm: opening, throw-in, transfer, single and multiple cover.
void ConfirmPlay();
// Clears every selection in the human's hand but the chosen card's.
void KeepOnlyChosen(int32_t chosen);

// Taking and extra cards.
void ComputerTakes();
void GiveExtraCard();
void ComputerPicksUp();
void HumanTakes();
int32_t ComputerAddsExtras(int32_t n);

// Closes a bout. forced is 1 only from HumanTakes. Returns 0 when a new game
// was dealt inside it (its caller then stops), else 1.
int32_t EndBout(int32_t forced);

// Ends the game when a hand is out and nothing is left to draw: announces
// the winner, counts and saves the score and deals the next game.
void CheckGameOver();
