#pragma once
// One setting of a version-1 file as it goes into the version-2 file.

#include <string>

namespace converter {

struct ConvertedSetting {
    std::string section;
    std::string key;
    std::string value;

    bool operator==(const ConvertedSetting&) const = default;
};

}  // namespace converter
