// The program's globals are built in one explicit step, in a fixed order,
// once the backend has fixed the screen's density, and released in reverse
// after WinMain returns.
#pragma once

void ConstructProgram();
// Runs the releases registered by ConstructProgram, last first.
void ReleaseProgram();
