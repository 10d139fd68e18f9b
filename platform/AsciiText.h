#pragma once
// Single-byte text helpers shared by every subsystem. Text is bytes in the system code
// page; case is folded for ASCII letters only, and blanks are spaces and tabs.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// TEXT without leading and trailing blanks and tabs.
std::string_view trimBlanks(std::string_view text);
// TEXT without leading and trailing spaces (tabs stay), as registry paths and typed
// settings are trimmed.
std::string_view trimSpaces(std::string_view text);
bool equalsIgnoringCase(std::string_view left, std::string_view right);
std::string lowerAscii(std::string_view text);
std::string upperAscii(std::string_view text);
// A text handed back by a profile or system call: cut at a NUL, should one have come
// through from a fixed buffer, and trimmed of blanks. Real characters are never dropped.
std::string stripTerminator(std::string_view text);
// The lines of TEXT without their terminators. A line ends at CR LF, CR or LF alone, so
// files saved on Windows, old Macintoshes and Linux all read the same; a text ending in a
// terminator has no empty last line.
std::vector<std::string> splitLines(std::string_view text);
// The PARTS joined into one text. (GCC 12 warns falsely, -Wrestrict, on chains of
// "literal" + string when optimising; this builds the same text without them.)
std::string concat(std::initializer_list<std::string_view> parts);
// TEXT with every line break (CR LF, CR or LF) replaced by one blank.
std::string joinLines(std::string_view text);
// TEXT with every line break (CR LF, CR or LF) as one LF: how messages, which break
// their lines with carriage returns, are shown on a screen or a terminal.
std::string lineBreaks(std::string_view text);

}  // namespace platform
