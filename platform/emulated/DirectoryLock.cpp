#include "platform/emulated/DirectoryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

namespace platform::emulated {
namespace {

struct HeldLock {
    int descriptor = -1;
    int holders = 0;
};

// The locks this thread holds, by directory (device and inode, so that every path to a
// folder names the same lock). flock excludes every other open of the directory, this
// thread's own included, so a nested holder must reuse the first one.
thread_local std::map<DirectoryLock::Identity, HeldLock> heldByThisThread;

bool lockExclusively(int descriptor) {
    int result;
    do {
        result = ::flock(descriptor, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

}  // namespace

DirectoryLock::DirectoryLock(const std::filesystem::path& directory) {
    const std::filesystem::path target = directory.empty() ? "." : directory;
    const int descriptor = ::open(target.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        ::close(descriptor);
        return;
    }
    key_ = {status.st_dev, status.st_ino};
    HeldLock& lock = heldByThisThread[key_];
    if (lock.holders > 0) {
        ::close(descriptor);
    } else if (lockExclusively(descriptor)) {
        lock.descriptor = descriptor;
    } else {
        ::close(descriptor);
        heldByThisThread.erase(key_);
        return;
    }
    ++lock.holders;
    held_ = true;
    descriptor_ = lock.descriptor;
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
