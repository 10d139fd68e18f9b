#pragma once
// Turns a version-1 configuration file into a version-2 one.

#include <string>

namespace converter {

// The start of every converted file: the comment header and all three groups enabled.
const std::string& versionTwoHeader();

// Writes a new version-2 file DESTINATION (replacing any file there) holding the header
// and every setting of the version-1 file SOURCE, section by section in the order the
// source first mentions them. SOURCE is only read. Throws ConversionError, having
// written nothing, when SOURCE cannot be read or DESTINATION is empty, is SOURCE itself
// or cannot be created.
void convertFile(const std::string& source, const std::string& destination);

}  // namespace converter
