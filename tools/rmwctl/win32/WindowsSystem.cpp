// rmwctl on Windows: the verbs work on the running system itself, and a file is tried
// out on a trial copy of it kept in memory.

#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>
#include <thread>

#include "platform/Services.h"
#include "platform/Win32Types.h"
#include "platform/console/ConsoleUserInterface.h"
#include "platform/win32/TrialSystem.h"
#include "platform/win32/Win32Services.h"
#include "tools/rmwctl/MachineCopy.h"
#include "tools/rmwctl/TargetSystem.h"

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

// The apply lock is the file "apply.lock" in the state folder, held open with no sharing:
// another process cannot open it until this one closes it, or ends however it ends.
class WindowsTarget : public TargetSystem {
public:
    ~WindowsTarget() override {
        if (descriptor_ >= 0) ::_close(descriptor_);
    }

    bool isNT() override {
        win32::OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
        return platform::systemInfo().GetVersionExA(&version) &&
               version.dwPlatformId == win32::VER_PLATFORM_WIN32_NT;
    }

    bool acquireApplyLock(double waitSeconds) override {
        if (holders_ > 0) {
            ++holders_;
            return true;
        }
        const fs::path file = stateFolder() / "apply.lock";
        const auto deadline = std::chrono::steady_clock::now() +
                              std::chrono::duration<double>(waitSeconds > 0 ? waitSeconds : 0);
        for (;;) {
            descriptor_ = ::_sopen(file.string().c_str(), _O_RDWR | _O_CREAT | _O_BINARY |
                                   _O_NOINHERIT, _SH_DENYRW, _S_IREAD | _S_IWRITE);
            if (descriptor_ >= 0) break;
            if (errno != EACCES || std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        holders_ = 1;
        return true;
    }

    void releaseApplyLock() override {
        if (holders_ == 0 || --holders_ > 0) return;
        ::_close(descriptor_);
        descriptor_ = -1;
    }

    fs::path stateFolder() override {
        const std::string folder = platform::systemInfo().stateFolder();
        if (folder.empty()) throw Failure("this system has no folder for Roamwise's records");
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) throw Failure("cannot create " + folder + ": " + error.message());
        return folder;
    }

    void startRevert(double, const std::string&) override {
        throw Failure("--revert-after is not available on Windows yet; the apply was made "
                      "and stays (run 'rmwctl undo' to put the earlier configuration back)");
    }

private:
    int descriptor_ = -1;
    int holders_ = 0;
};

}  // namespace

TargetSystem& usedSystem(Io io) {
    static WindowsTarget target;
    useMachine(io);
    return target;
}

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
