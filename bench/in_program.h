// The real program, started as on the device, for a benchmark's body.
#pragma once

#include <functional>

// Starts the program at the density with drawing on and runs the body the
// first time the program waits for input; then the program exits.
void InProgram(int dpi, const std::function<void()>& body);
