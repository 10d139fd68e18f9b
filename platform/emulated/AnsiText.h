#pragma once
// The single-byte (ANSI, Windows-1252) text that the registry's ANSI functions deal in,
// made from the Unicode texts of newer registry files. Characters the code page lacks
// become '?', as Windows' own conversion does.

#include <string>
#include <string_view>

namespace platform::emulated {

// UTF-16LE bytes (no byte-order mark); a last odd byte is ignored.
std::string ansiFromUtf16(std::string_view utf16le);
bool isValidUtf8(std::string_view bytes);
// UTF-8 text; a malformed byte becomes '?'.
std::string ansiFromUtf8(std::string_view utf8);

}  // namespace platform::emulated
