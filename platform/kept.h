// The unfinished game's text, kept between runs: a file of the user's state
// folder ($XDG_STATE_HOME/velmora/) or the page's local storage. One running
// copy holds it; another keeps nothing.
#pragma once

#include <string>

// Null keeps nothing (the start of every process); "" the user's state
// folder; anything else that folder, made when missing.
void PlatformSetStateHome(const char* dir);
// Takes this copy's hold on the kept game: false when nothing is kept or
// another running copy holds it.
bool PlatformHoldKeptGame();
void PlatformReleaseKeptGame();
// 1 with the text, 0 when no game is kept, -1 when what is there cannot be
// read (why says so, with where it is).
int PlatformReadKeptGame(std::string* text, std::string* why);
// Replaces the kept text whole, so a reader sees the old or the new. False
// when it could not be written (said once).
bool PlatformWriteKeptGame(const std::string& text);
// Waits until the last text written is on the disk.
void PlatformFlushKeptGame();
// Where the kept game is, as a warning names it.
std::string PlatformKeptGamePlace();
// While frozen, no save of any kind reaches the disk: a stop as sudden as
// a kill.
void PlatformFreezeSaves(bool frozen);
bool PlatformSavesFrozen();
