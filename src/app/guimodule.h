#pragma once

namespace quenzar {

// Loads the module with the windows and runs them until the program ends; returns its exit
// status. `argc` must live as long as the program runs.
int runWindows(int& argc, char* argv[]);

} // namespace quenzar
