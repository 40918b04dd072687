// The keys the layer hands the program, as virtual keys, whichever backend
// reads them; and which of a browser's keys the page leaves to the browser.
#pragma once

#include "platform/platform.h"

// Letters, digits, F1 to F12, Enter, Escape, Tab, Space, Shift, Ctrl, Alt,
// Page Up and Down, Home, End and the arrows. Every backend translates its
// own keys into these; any other key never reaches the program.
bool IsProgramKey(WPARAM key);

// The modifiers held with a key, as the page reports them.
enum KeyChord : unsigned { ChordShift = 1, ChordCtrl = 2, ChordAlt = 4, ChordMeta = 8 };

// Whether the page hands the program a browser's key (its key code is the
// virtual key) or leaves it to the browser. The browser keeps its own
// chords (Ctrl, Meta, and Alt with anything the program's accelerators do
// not name, Alt+F4 always), its function keys (F3, F5, F6, F7, F11, F12) and
// Tab, which leaves the page, except inside a dialog, where Tab moves
// between the controls. Ctrl itself is the browser's too: its key-up is
// lost whenever a chord takes the page away.
bool PageTakesKey(WPARAM key, unsigned chord);

// Whether an accelerator table the program loaded names Alt with the key.
bool AltAcceleratorFor(WPARAM key);
