// rmwctl events: shows what the machine was asked to do that would have touched the
// real computer (restarts, suspends, change broadcasts, program starts).

#include <fstream>
#include <memory>

#include "platform/emulated/Machine.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

int eventsVerb(const std::vector<std::string>& args, Io io) {
    if (!args.empty()) throw UsageError("events takes no arguments");
    std::unique_ptr<platform::emulated::Machine> machine;
    try {
        machine = platform::emulated::Machine::openDefault();
    } catch (const platform::emulated::MachineError& error) {
        throw Failure(error.what());
    }
    std::ifstream log(machine->eventLogFile(), std::ios::binary);
    // A machine that was never asked for anything has no log yet: nothing to show.
    if (log && log.peek() != std::ifstream::traits_type::eof()) io.out << log.rdbuf();
    return 0;
}

const VerbRegistration registration(
    "events", "events                            print the machine's event log", eventsVerb);

}  // namespace
}  // namespace rmwctl
