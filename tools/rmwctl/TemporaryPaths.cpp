#include "tools/rmwctl/TemporaryPaths.h"

#include <ftw.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <system_error>

#include "platform/emulated/DeadProcessFiles.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace fs = std::filesystem;

namespace {

constexpr const char* kPrefix = "rmwctl-";
constexpr int kSlots = 8;

// The paths a signal must remove, kept where a signal handler can read them without
// allocating.
char registered[kSlots][PATH_MAX];
volatile sig_atomic_t inUse[kSlots];

int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    ::remove(path);
    return 0;
}

void removeRegistered() {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!inUse[slot]) continue;
        ::nftw(registered[slot], removeEntry, 16, FTW_DEPTH | FTW_PHYS);
        inUse[slot] = 0;
    }
}

void onEndingSignal(int signalNumber) {
    removeRegistered();
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

void installSignalHandlers() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        struct sigaction action {};
        action.sa_handler = onEndingSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
}

int registerPath(const fs::path& path) {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (inUse[slot]) continue;
        ::strncpy(registered[slot], path.c_str(), PATH_MAX - 1);
        registered[slot][PATH_MAX - 1] = '\0';
        inUse[slot] = 1;
        return slot;
    }
    return -1;  // removed by its object only
}

fs::path temporaryFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) throw Failure("cannot find a temporary folder: " + error.message());
    return base;
}

}  // namespace

fs::path temporaryName(const std::string& suffix) {
    return temporaryFolder() / (platform::emulated::ownedName(kPrefix) + suffix);
}

TemporaryPath::TemporaryPath(Kind kind) {
    const fs::path base = temporaryFolder();
    platform::emulated::removeDeadProcessFiles(base, kPrefix);
    installSignalHandlers();
    std::string pattern = (base / (platform::emulated::ownedName(kPrefix) + "XXXXXX")).string();
    // The signal handler is told of the path before it exists, so no moment is missed.
    sigset_t blocked, previous;
    sigfillset(&blocked);
    ::sigprocmask(SIG_BLOCK, &blocked, &previous);
    bool made;
    if (kind == Kind::Folder) {
        made = ::mkdtemp(pattern.data()) != nullptr;
    } else {
        const int descriptor = ::mkstemp(pattern.data());
        made = descriptor >= 0;
        if (made) ::close(descriptor);
    }
    if (made) {
        path_ = pattern;
        slot_ = registerPath(path_);
    }
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (!made) throw Failure("cannot create a temporary file in " + base.string());
}

TemporaryPath::~TemporaryPath() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    if (slot_ >= 0) inUse[slot_] = 0;
}

}  // namespace rmwctl
