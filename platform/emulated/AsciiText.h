#pragma once
// Small single-byte text helpers shared by the emulated machine's services. Case is
// folded for ASCII letters only, as Windows does for profile and file names here.

#include <initializer_list>
#include <string>
#include <string_view>

namespace platform::emulated {

// TEXT without leading and trailing blanks and tabs.
std::string_view trimBlanks(std::string_view text);
bool equalsIgnoringCase(std::string_view left, std::string_view right);
std::string lowerAscii(std::string_view text);
// The PARTS joined into one text. (GCC 12 warns falsely, -Wrestrict, on chains of
// "literal" + string when optimising; this builds the same text without them.)
std::string concat(std::initializer_list<std::string_view> parts);
// TEXT with every line break (CR LF, CR or LF) replaced by one blank.
std::string joinLines(std::string_view text);

}  // namespace platform::emulated
