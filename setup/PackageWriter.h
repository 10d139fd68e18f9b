#pragma once
// Writes a setup package: the setup program padded to kHeaderOffset, the header with
// its texts, the archive; optionally split into parts.

#include <cstdint>
#include <string>
#include <vector>

#include "setup/PackageFormat.h"

namespace setup {

// Writes the package OUTPUT (native paths) from the setup program PROGRAM, HEADER
// (its total size is filled in) and the ZIP ARCHIVE. With PARTSIZE above 0 the archive
// is cut into pieces of that size: OUTPUT (part 0) holds the setup program, the header,
// the texts and the first piece, each further part one more piece. Returns the files
// written.
// PackageFormatError when the program does not fit below the header or a file cannot
// be written.
std::vector<std::string> writePackage(const std::string& program, PackageHeader header,
                                      const std::string& archive, const std::string& output,
                                      std::uint64_t partSize = 0);

}  // namespace setup
