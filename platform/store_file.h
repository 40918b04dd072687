// The registry's text in its file: read without a lock, replaced whole under
// the writers' lock. The layer's own; the registry calls are the public face.
#pragma once

#include <functional>
#include <string>

enum StoreRead {
    kStoreText,      // the file's text (a missing file is an empty text)
    kStoreUnusable,  // something is there that must be neither read nor replaced
};

StoreRead ReadStoreFile(std::string* text);

// Reads the store under the lock, lets edit change the text and writes it
// back. False when the store is unusable, the lock cannot be had within a
// second or the write fails; the old file is then as it was.
enum StoreWrite { kStoreWritten, kStoreNotRead, kStoreNotWritten };
StoreWrite UpdateStoreFile(const std::function<void(std::string*)>& edit);

// Where the file is: $XDG_CONFIG_HOME/velmora/settings.ini unless a folder
// was given. A new folder also forgets which warnings were given.
void SetStoreFileHome(const char* dir);

// A new message is handed out: a save that gave up on the lock during the
// last one no longer makes the next give up at once.
void StoreActionBegins();
