// varomintel-cli: the headless companion of the desktop program.
#pragma once

#include <ostream>

namespace varomintel {

// Runs the command line; returns the exit status (0 done, 1 nothing found or a search
// that did not converge, 2 bad arguments or an unusable catalogue, 3 the output could not
// be written).
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace varomintel
