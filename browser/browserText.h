#pragma once
// Small text and file helpers shared by the browser backends. Text is bytes; case
// folding and trimming touch ASCII only.

#include <filesystem>
#include <string>
#include <vector>

namespace browsertext {

// Drops blanks (spaces and tabs) at both ends.
std::string trim(const std::string& sText);
std::string toLower(std::string sText);
std::string toUpper(std::string sText);
// A value handed back by a profile or system call: trimmed and cut at a NUL, should
// one have come through. Real characters are never dropped.
std::string stripTerminator(const std::string& sText);
// "1" for true, "0" for false: how flags are written to configuration files.
std::string flagText(bool bOn);

// A value of SECTION in a configuration file, as the profile functions give it, "" when
// missing; and writing one.
std::string readProfile(const std::string& sSection, const std::string& sKey,
                        const std::string& sFilename);
void writeProfile(const std::string& sSection, const std::string& sKey, const std::string& sValue,
                  const std::string& sFilename);

// The lines of a text; a line ends at CR LF, CR or LF, and the terminators are not
// kept. A text ending in a terminator has no empty last line.
std::vector<std::string> splitLines(const std::string& sText);
// The whole native file as bytes; false when it cannot be read.
bool readFile(const std::filesystem::path& file, std::string& sContents);

}  // namespace browsertext
