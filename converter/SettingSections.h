#pragma once
// Which section of a version-2 file a converted key belongs to.

#include <optional>
#include <string>

namespace converter {

// The section whose keyword list holds KEY (case-insensitive, as a part of the list's
// text, so fragments such as "dns" count too); none when no list holds it or the key
// is empty.
std::optional<std::string> sectionForKey(const std::string& key);

}  // namespace converter
