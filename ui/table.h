// The drawing of the table, and the repaint requests tied to it.
#pragma once

// Asks for the lower button to be repainted: its picture follows who attacks.
void InvalidateLowerButton();
