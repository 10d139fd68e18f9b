// rmwctl on the emulated machine: the verbs work on the machine named by
// ROAMWISE_MACHINE, or on the per-user default machine.

#include <memory>

#include "platform/console/ConsoleUserInterface.h"
#include "platform/emulated/Machine.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {

const char* machineUsage() {
    return "Works on the emulated machine named by ROAMWISE_MACHINE, or on the per-user\n"
           "default machine (made from the Windows 98 template on first use).";
}

namespace {
std::unique_ptr<platform::emulated::Machine> machine;
}  // namespace

platform::emulated::Machine& usedMachine(Io io) {
    useMachine(io);
    return *machine;
}

void useMachine(Io io) {
    static std::unique_ptr<platform::ConsoleUserInterface> console;
    if (machine) return;
    try {
        machine = platform::emulated::Machine::openDefault();
    } catch (const platform::emulated::MachineError& error) {
        throw Failure(error.what());
    }
    console = std::make_unique<platform::ConsoleUserInterface>(io.err);
    platform::Services services = machine->services();
    services.ui = console.get();
    platform::installServices(services);
}

}  // namespace rmwctl
