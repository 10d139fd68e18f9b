#pragma once
// The path below the working folder that an archive member's name stands for. "\" and
// "/" both separate folders. A name that would leave the folder (an absolute path, a
// drive letter, a ".." part) or that Windows could not store (":", "*", "?", "<", ">",
// "|", a quote or a control character) stands for nothing.

#include <optional>
#include <string>
#include <string_view>

namespace setup {

// The relative Windows path (parts joined by "\"), "" for a name that only names
// folders (such as "help/"), or nothing for a name that must not be used.
std::optional<std::string> memberPath(std::string_view name);

}  // namespace setup
