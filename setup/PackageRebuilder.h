#pragma once
// Rebuilds the whole package as "Packwit.pkg" in the working folder: part 0 (the setup
// file itself) and, while the copy is shorter than the header's total size, the next
// parts, asking for the disk that holds a missing part.

#include <cstdint>
#include <string>

namespace setup {

class PackageRebuilder {
  public:
    // SETUPFILE is the package's part 0; TITLE captions the disk question.
    PackageRebuilder(std::string setupFile, std::uint64_t totalSize, std::string title);

    // Writes TARGET (a Windows path); false when it cannot be written or the user
    // cancelled the disk question (the caller reports the failure).
    bool rebuild(const std::string& target) const;

  private:
    std::string setupFile_;
    std::uint64_t totalSize_;
    std::string title_;
};

}  // namespace setup
