#pragma once
// One line of a version-1 configuration file: a keyword, optionally followed by a value
// in single quotes (keyword 'value'), a comment starting with "#", the "rmw_version"
// line, or nothing.

#include <optional>
#include <string>

#include "converter/ConvertedSetting.h"

namespace converter {

// The version-2 setting LINE stands for; none for blank lines, comments, the version
// line and keywords that belong to no section.
std::optional<ConvertedSetting> readVersionOneLine(const std::string& line);

}  // namespace converter
