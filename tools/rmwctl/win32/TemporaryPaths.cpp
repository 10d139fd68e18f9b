// rmwctl's temporary files and folders on Windows: named "rmwctl-<random>" in the
// temporary folder and removed when their object goes. (Windows ends a program without
// the signals the emulated machine's version catches.)

#include "tools/rmwctl/TemporaryPaths.h"

#include <process.h>

#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace fs = std::filesystem;

namespace {

fs::path temporaryFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) throw Failure("cannot find a temporary folder: " + error.message());
    return base;
}

}  // namespace

fs::path temporaryName(const std::string& suffix) {
    return temporaryFolder() / ("rmwctl-" + std::to_string(_getpid()) + "-" + suffix);
}

TemporaryPath::TemporaryPath(Kind kind) {
    std::error_code error;
    const fs::path base = temporaryFolder();
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const fs::path candidate = base / ("rmwctl-" + std::to_string(random()));
        if (fs::exists(candidate, error)) continue;
        if (kind == Kind::Folder) {
            if (fs::create_directory(candidate, error)) path_ = candidate;
        } else if (std::ofstream(candidate, std::ios::binary)) {
            path_ = candidate;
        }
    }
    if (path_.empty()) throw Failure("cannot create a temporary file in " + base.string());
}

TemporaryPath::~TemporaryPath() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

}  // namespace rmwctl
