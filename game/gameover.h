// The end of a game: the winner is announced, counted, saved, and the next
// game is dealt at once.
#pragma once

// Ends the game when a hand is out and nothing is left to draw: announces
// the winner, counts and saves the score and deals the next game.
void CheckGameOver();
