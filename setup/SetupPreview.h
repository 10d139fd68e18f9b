#pragma once
// What the setup program's dialogs show before anything is installed: the header of
// its own package (or, for a setup program not yet packed, a stand-in one), for
// pictures of the dialogs.

#include <string>

#include "setup/PackageFormat.h"

namespace setup {

// The header behind the setup program SETUPFILE, or the stand-in header when the file
// holds none.
PackageHeader previewHeader(const std::string& setupFile);

}  // namespace setup
