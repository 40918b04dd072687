// The fixed clock's text, HH:MM:SS.mmm, read one way by every backend and
// by the replay driver.
#pragma once

// Exactly two digits, a colon, two digits, a colon, two digits, a dot and
// three digits, from 00:00:00.000 to 23:59:59.999, nothing before or after.
// False, with the numbers left as they were, for anything else.
bool ParseClockText(const char* text, int* h, int* m, int* s, int* ms);
