// The Rules command: the rules page in the help viewer.
#pragma once

// Starts the help viewer on page 99 of the rules (string 2); the viewer is
// neither waited for nor reported when it cannot start.
void ShowRules();
