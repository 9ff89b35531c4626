// Fixed-width layout of UTF-8 text: widths count Unicode code points, never bytes, and a
// cut never splits a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varomintel {

// Whether the text holds a control character (a byte below 0x20, or DEL): a tab or a line
// break in a name would break tab-separated lines.
bool ContainsControlCharacter(std::string_view text);

// The text with what a terminal would act on shown as escapes, so that a message quoting
// it stays one line and sends the terminal no commands: \n, \r and \t; \xHH for the
// other control characters (below 0x20, DEL) and for every byte that is not part of
// well-formed UTF-8; \u0080 ... \u009F for the C1 control characters. Everything else,
// backslashes included, is unchanged.
std::string EscapeControlCharacters(std::string_view text);

// Whether the text is well-formed UTF-8 (RFC 3629): no stray continuation byte, no cut or
// overlong sequence, no surrogate, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The text with each maximal ill-formed part replaced by U+FFFD (the Unicode Standard,
// ch. 3.9, "U+FFFD Substitution of Maximal Subparts"); well-formed text comes back as it is.
std::string ValidUtf8(std::string_view text);

// Number of code points (every byte that does not continue a sequence starts one).
std::size_t CodePointCount(std::string_view text);

// The last `width` code points of `width` blanks followed by the text: a longer text
// loses its leading characters.
std::string RightAligned(std::string_view text, std::size_t width);

// The first `width` code points of the text followed by blanks: always `width` wide.
std::string LeftAligned(std::string_view text, std::size_t width);

// The same, appended to `out` without a temporary.
void AppendRightAligned(std::string& out, std::string_view text, std::size_t width);
void AppendLeftAligned(std::string& out, std::string_view text, std::size_t width);

}  // namespace varomintel
