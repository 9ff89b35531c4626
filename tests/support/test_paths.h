// Where the tests find the command-line program, the shipped data, the source tree and the
// Python that runs the export checker. The paths are compiled into one small generated
// source file of the build tree (tests/support/test_paths.cpp.in), not into the compile
// flags of every test source: only that file then depends on the folder of the checkout,
// and a compiler cache serves the test sources and their precompiled headers unchanged to
// a clone in another folder.
#pragma once

#include <string>

namespace varomintel::testing {

const std::string& CliProgram();  // varomintel-cli as built
const std::string& DataDir();     // data/ of the source tree, without a trailing slash
const std::string& SourceDir();   // the source tree
const std::string& Python3();     // Debian's python3, for which python3-icalendar is installed

}  // namespace varomintel::testing
