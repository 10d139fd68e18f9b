#pragma once
// Single-byte text helpers of the converter. Version-1 files are plain ANSI text, so
// case is folded for ASCII letters only.

#include <string>
#include <string_view>
#include <vector>

namespace converter {

// TEXT without leading and trailing blanks and tabs.
std::string trimmed(std::string_view text);
std::string lowerCased(std::string_view text);
bool startsWith(std::string_view text, std::string_view prefix);
// The lines of TEXT without their terminators. A line ends at CR LF, CR or LF alone, so
// files saved on Windows, old Macintoshes and Linux all read the same; text after the
// last terminator is one more line.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace converter
