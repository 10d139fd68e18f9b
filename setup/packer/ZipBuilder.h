#pragma once
// Builds a ZIP archive with libzip: members deflated at the best level, each with its
// file's modification time.

#include <string>
#include <utility>
#include <vector>

namespace packer {

// MEMBERS pairs each member's name in the archive with the native file it holds.
// Returns the archive's bytes; std::runtime_error names a file that cannot be read.
std::string buildZip(const std::vector<std::pair<std::string, std::string>>& members,
                     const std::string& scratchFile);

}  // namespace packer
