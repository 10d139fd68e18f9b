#include "tools/rmwctl/MachineCopy.h"

#include <stdlib.h>

#include <string>
#include <system_error>

#include "platform/emulated/Machine.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace fs = std::filesystem;

namespace {

fs::path makeTemporaryFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) throw Failure("cannot find a temporary folder: " + error.message());
    std::string pattern = (base / "rmwctl-trial-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw Failure("cannot create a temporary folder in " + base.string());
    }
    return pattern;
}

}  // namespace

MachineCopy::MachineCopy(const fs::path& folder) : folder_(makeTemporaryFolder()) {
    try {
        machine_ = platform::emulated::Machine::open(folder)->copyTo(folder_);
    } catch (const platform::emulated::MachineError& error) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        throw Failure(std::string("cannot try the file out on a copy of the machine: ") +
                      error.what());
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        throw;
    }
}

MachineCopy::~MachineCopy() {
    machine_.reset();  // closes the registry database before its folder goes
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

platform::Services MachineCopy::services() {
    return machine_->services();
}

}  // namespace rmwctl
