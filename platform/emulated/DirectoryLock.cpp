#include "platform/emulated/DirectoryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <system_error>

namespace platform::emulated {
namespace {

struct HeldLock {
    int descriptor = -1;
    int holders = 0;
};

// The locks this thread holds, by directory. flock excludes every other open of the
// directory, this thread's own included, so a nested holder must reuse the first one.
thread_local std::map<std::string, HeldLock> heldByThisThread;

std::string keyOf(const std::filesystem::path& directory) {
    const std::filesystem::path target = directory.empty() ? "." : directory;
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(target, error);
    return (error ? target : canonical).lexically_normal().string();
}

int lockDirectory(const std::string& directory) {
    const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return -1;
    int result;
    do {
        result = ::flock(descriptor, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

}  // namespace

DirectoryLock::DirectoryLock(const std::filesystem::path& directory) : key_(keyOf(directory)) {
    HeldLock& lock = heldByThisThread[key_];
    if (lock.holders == 0) lock.descriptor = lockDirectory(key_);
    if (lock.descriptor < 0) {
        heldByThisThread.erase(key_);
        return;
    }
    ++lock.holders;
    held_ = true;
}

DirectoryLock::~DirectoryLock() {
    if (!held_) return;
    const auto found = heldByThisThread.find(key_);
    if (found == heldByThisThread.end() || --found->second.holders > 0) return;
    // Closing the descriptor releases the lock.
    ::close(found->second.descriptor);
    heldByThisThread.erase(found);
}

}  // namespace platform::emulated
