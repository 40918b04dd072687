// The program's resources, compiled in: string table, accelerators and
// pictures.
#pragma once

// Hands the program's resources to the platform layer. Runs first at start.
void RegisterResources();
