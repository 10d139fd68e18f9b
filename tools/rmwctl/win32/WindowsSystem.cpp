// rmwctl on Windows: the verbs work on the running system itself, and a file is tried
// out on a trial copy of it kept in memory.

#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#include "platform/console/ConsoleUserInterface.h"
#include "platform/win32/TrialSystem.h"
#include "platform/win32/Win32Services.h"
#include "tools/rmwctl/MachineCopy.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

namespace fs = std::filesystem;

platform::win32impl::Win32System& runningSystem() {
    static platform::win32impl::Win32System system;
    return system;
}

fs::path makeTemporaryFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) throw Failure("cannot find a temporary folder: " + error.message());
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = base / ("rmwctl-trial-" + std::to_string(random()));
        if (fs::create_directory(folder, error)) return folder;
    }
    throw Failure("cannot create a temporary folder in " + base.string());
}

}  // namespace

const char* machineUsage() {
    return "Works on this Windows system: its registry, win.ini and printers. Registry\n"
           "files are imported and exported with regedit.";
}

void useMachine(Io io) {
    static std::unique_ptr<platform::ConsoleUserInterface> console;
    if (console) return;
    console = std::make_unique<platform::ConsoleUserInterface>(io.err);
    platform::Services services = runningSystem().services();
    services.ui = console.get();
    platform::installServices(services);
}

struct MachineCopy::Copy {
    fs::path folder = makeTemporaryFolder();
    platform::win32impl::TrialSystem trial{runningSystem(), folder};
    ~Copy() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

MachineCopy::MachineCopy() : copy_(std::make_unique<Copy>()) {}

MachineCopy::~MachineCopy() = default;

platform::Services MachineCopy::services() { return copy_->trial.services(); }

}  // namespace rmwctl
