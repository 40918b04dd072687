// A hint: the move the Expert would make in the human's place, from what
// the human can know. The account says it and the focus frame marks the
// first card to play; nothing else changes.
#pragma once

// The Play menu's Hint and Shift+H.
void ShowHint();
