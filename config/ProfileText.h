#pragma once
// Reading and writing single keys of a configuration file through the system's
// profile-string functions, as the configuration document does it.

#include <string>

namespace profiletext {

// The value of KEY in SECTION of SFILE: trimmed of surrounding blanks and cut at a NUL,
// "" when the file, section or key is missing.
std::string read(const std::string& section, const std::string& key, const std::string& sFile);

// Writes KEY=VALUE into SECTION of SFILE. A write the system refuses raises
// "Path/File access error" (number 75), so that no save passes for complete when it is not.
void write(const std::string& section, const std::string& key, const std::string& value,
           const std::string& sFile);

}  // namespace profiletext
