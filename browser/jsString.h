#pragma once
// The body of a JavaScript string in a preferences file and the single-byte (Windows-1252)
// text it stands for. Reading understands the escapes Navigator and the Mozilla browsers
// write or accept; a character the code page lacks ("\u4e2d") stays as its escape, and
// writing puts such an escape back as it stands, so that it is never turned into text.

#include <string>

namespace jsstring {

// The string body for TEXT: backslashes, double quotes and line breaks escaped.
std::string escape(const std::string& sText);
// The text of a string BODY (without its quotes).
std::string unescape(const std::string& sBody);

}  // namespace jsstring
