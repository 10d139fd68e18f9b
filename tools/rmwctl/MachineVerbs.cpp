// rmwctl machine: creates emulated machines from the built-in templates.

#include <memory>

#include "platform/emulated/Machine.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

using platform::emulated::Machine;
using platform::emulated::MachineError;

bool isTemplate(const std::string& name) {
    for (const auto& known : Machine::templateNames()) {
        if (known == name) return true;
    }
    return false;
}

int initMachine(const std::vector<std::string>& args, Io io) {
    std::string templateName = "win98";
    std::string folder;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--template") {
            if (++i == args.size()) throw UsageError("--template needs a name");
            templateName = args[i];
        } else if (args[i].rfind("--", 0) == 0) {
            throw UsageError("unknown option '" + args[i] + "'");
        } else if (args[i].empty()) {
            // An unset variable in a script must not quietly stand for the default machine.
            throw UsageError("the folder name is empty");
        } else if (folder.empty()) {
            folder = args[i];
        } else {
            throw UsageError("machine init takes one folder");
        }
    }
    if (!isTemplate(templateName)) throw UsageError("unknown template '" + templateName + "'");
    std::unique_ptr<Machine> machine;
    try {
        std::filesystem::path target =
            folder.empty() ? Machine::defaultFolder() : std::filesystem::path(folder);
        machine = Machine::create(target, templateName);
    } catch (const MachineError& error) {
        throw Failure(error.what());
    }
    io.out << "Created a " << machine->description().platform << " machine in "
           << machine->folder().string() << "\n";
    return 0;
}

int machineVerb(const std::vector<std::string>& args, Io io) {
    if (args.empty()) throw UsageError("machine needs init");
    if (args[0] == "init") return initMachine({args.begin() + 1, args.end()}, io);
    throw UsageError("unknown machine command '" + args[0] + "'");
}

const VerbRegistration registration(
    "machine",
    "machine init [--template win98|nt4] [DIR]\n"
    "                                  create a machine (default: ROAMWISE_MACHINE or the\n"
    "                                  per-user machine); an existing one is never replaced",
    machineVerb);

}  // namespace
}  // namespace rmwctl
