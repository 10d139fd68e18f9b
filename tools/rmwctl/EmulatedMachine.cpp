// rmwctl on the emulated machine: the verbs work on the machine named by
// ROAMWISE_MACHINE, or on the per-user default machine.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>

#include "platform/console/ConsoleUserInterface.h"
#include "platform/emulated/ApplyLock.h"
#include "platform/emulated/Machine.h"
#include "tools/rmwctl/TargetSystem.h"

namespace rmwctl {

const char* machineUsage() {
    return "Works on the emulated machine named by ROAMWISE_MACHINE, or on the per-user\n"
           "default machine (made from the Windows 98 template on first use).";
}

namespace {

std::unique_ptr<platform::emulated::Machine> machine;

class EmulatedTarget : public TargetSystem {
public:
    bool isNT() override { return machine->description().isNT(); }
    bool acquireApplyLock(double waitSeconds) override {
        return machine->applyLock().acquire(waitSeconds);
    }
    void releaseApplyLock() override { machine->applyLock().release(); }
    std::filesystem::path stateFolder() override { return machine->stateFolder(); }

    void startRevert(double seconds, const std::string& token) override {
        std::error_code error;
        const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
        if (error) throw Failure("cannot find rmwctl itself to arrange the revert");
        const std::string folder = machine->folder().string();
        const pid_t child = ::fork();
        if (child < 0) throw Failure("cannot arrange the revert: no process");
        if (child > 0) return;
        // The reverting process outlives this one and its terminal session.
        ::setsid();
        if (::fork() != 0) ::_exit(0);
        const int null = ::open("/dev/null", O_RDWR);
        for (int descriptor : {0, 1, 2}) ::dup2(null, descriptor);
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        ::setenv("ROAMWISE_MACHINE", folder.c_str(), 1);
        ::execl(self.c_str(), self.c_str(), "undo", "--revert", token.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
};

}  // namespace

TargetSystem& usedSystem(Io io) {
    static EmulatedTarget target;
    useMachine(io);
    return target;
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
