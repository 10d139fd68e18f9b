// RmwSetup: the self-extracting setup package. Run, it installs what it carries on the
// emulated machine (ROAMWISE_MACHINE or the per-user machine); with --unattended it
// answers its questions itself (Install, I agree, overwrite all, the proposed folder).

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "platform/console/ConsoleUserInterface.h"
#include "platform/emulated/Machine.h"
#include "setup/SetupProgram.h"
#include "setup/UnattendedAnswers.h"

int main(int argc, char** argv) {
    bool unattended = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--unattended") {
            unattended = true;
        } else {
            std::cerr << "usage: RmwSetup [--unattended]\n";
            return 2;
        }
    }
    try {
        auto machine = platform::emulated::Machine::openDefault();
        platform::ConsoleUserInterface console(std::cerr);
        if (unattended) setup::answerUnattended(console);
        platform::Services services = machine->services();
        services.ui = &console;
        platform::ScopedServices scope(services);
        std::error_code error;
        const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
        const setup::SetupOutcome outcome = setup::SetupProgram(error ? argv[0] : self.string()).run();
        return outcome.installed ? 0 : 1;
    } catch (const std::exception& failure) {
        std::cerr << "RmwSetup: " << failure.what() << "\n";
        return 1;
    }
}
