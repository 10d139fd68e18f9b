#pragma once
// Copies one setting of a version-1 file into a version-2 file.

#include <string>

namespace converter {

// Writes the setting LINE stands for into its section of the profile file DESTINATION,
// replacing the key when it is already there; lines without a setting write nothing.
// Throws ConversionError when the file cannot be written.
void convertLine(const std::string& destination, const std::string& line);

}  // namespace converter
