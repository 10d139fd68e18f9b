#include "tools/rmwctl/MachineCopy.h"

#include <stdlib.h>

#include <string>
#include <system_error>

#include "platform/emulated/Machine.h"
#include "tools/rmwctl/TemporaryPaths.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace fs = std::filesystem;

MachineCopy::MachineCopy(const fs::path& folder)
    : temporary_(std::make_unique<TemporaryPath>(TemporaryPath::Kind::Folder)),
      folder_(temporary_->path() / "machine") {
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
    temporary_.reset();
}

platform::Services MachineCopy::services() {
    return machine_->services();
}

}  // namespace rmwctl
