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

struct MachineCopy::Copy {
    fs::path folder;
    std::unique_ptr<platform::emulated::Machine> machine;
    ~Copy() {
        machine.reset();  // closes the registry database before its folder goes
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

MachineCopy::MachineCopy() : copy_(std::make_unique<Copy>()) {
    copy_->folder = makeTemporaryFolder();
    try {
        copy_->machine =
            platform::emulated::Machine::open(platform::emulated::Machine::defaultFolder())
                ->copyTo(copy_->folder);
    } catch (const platform::emulated::MachineError& error) {
        throw Failure(std::string("cannot try the file out on a copy of the machine: ") +
                      error.what());
    }
}

MachineCopy::~MachineCopy() = default;

platform::Services MachineCopy::services() {
    return copy_->machine->services();
}

}  // namespace rmwctl
