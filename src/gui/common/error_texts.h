// The error lines of the layers without a toolkit (the whole-file writer, the video writer,
// the city-file reader) are English, as the command line prints them; a window shows them
// in its own language. The system's reason (strerror's text, FFmpeg's) stays as given.
#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace varomintel {

struct CityFileFailure;

// "cannot write 'x': reason" in the windows' language (the installed catalogue's); the writer's
// own reasons ("it is a folder", "it is read-only", ...) are translated too. Any other line
// is given after a sentence that says that the file was not written.
QString WriteErrorText(const std::string& error, std::uint8_t language);

// A city file that cannot be read, or its first malformed line, in the windows' language.
QString CityFileErrorText(const std::string& file, const CityFileFailure& failure, std::uint8_t language);

}  // namespace varomintel
