#pragma once

#include <optional>

namespace quenzar {

// Reads the options before any window exists, so that the command line works with no display
// at all. Returns the exit status when an option asked for something other than the windows,
// nothing when the windows should start (no options, or only Qt's own, which they take).
std::optional<int> runCommandLine(int argc, char* argv[]);

} // namespace quenzar
