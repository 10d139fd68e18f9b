#include "tools/rmwctl/MachineCopy.h"

#include <string>
#include <system_error>

#include "platform/emulated/Machine.h"
#include "tools/rmwctl/TemporaryPaths.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace fs = std::filesystem;

struct MachineCopy::Copy {
    TemporaryPath temporary{TemporaryPath::Kind::Folder};
    std::unique_ptr<platform::emulated::Machine> machine;
    ~Copy() {
        machine.reset();  // closes the registry database before its folder goes
    }
};

MachineCopy::MachineCopy() : copy_(std::make_unique<Copy>()) {
    const fs::path folder = copy_->temporary.path() / "machine";
    try {
        copy_->machine =
            platform::emulated::Machine::open(platform::emulated::Machine::defaultFolder())
                ->copyTo(folder);
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
