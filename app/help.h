// The Rules command: the rules page in the help viewer.
#pragma once

// Starts the help viewer on page 99 of the rules (string 2), not waiting
// for it. When it cannot start, the account of play says so.
void ShowRules();
