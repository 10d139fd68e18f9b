#pragma once
// Small file and configuration-file helpers shared by the browser backends.

#include <filesystem>
#include <optional>
#include <string>

namespace browsertext {

// "1" for true, "0" for false: how flags are written to configuration files.
std::string flagText(bool bOn);

// A value of SECTION in a configuration file, as the profile functions give it, "" when
// missing; and writing one.
std::string readProfile(const std::string& sSection, const std::string& sKey,
                        const std::string& sFilename);
// The same, but nothing when the file has no such key: a missing key leaves the
// setting as it is rather than blanking it.
std::optional<std::string> readPresentProfile(const std::string& sSection, const std::string& sKey,
                                              const std::string& sFilename);
void writeProfile(const std::string& sSection, const std::string& sKey, const std::string& sValue,
                  const std::string& sFilename);

// The whole native file as bytes; false when it cannot be read.
bool readFile(const std::filesystem::path& file, std::string& sContents);

}  // namespace browsertext
