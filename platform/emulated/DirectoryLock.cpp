#include "platform/emulated/DirectoryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

namespace platform::emulated {
namespace {

struct HeldLock {
    int descriptor = -1;
    int holders = 0;
    // The directory's device and inode, so that every path to a folder names the same
    // lock; looked up only once a second lock is asked for while this one is held.
    std::optional<DirectoryLock::Identity> key;
};

// The locks this thread holds. flock excludes every other open of the directory, this
// thread's own included, so a nested holder must reuse the first one.
thread_local std::vector<HeldLock> heldByThisThread;

std::optional<DirectoryLock::Identity> identityOf(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) return std::nullopt;
    return DirectoryLock::Identity{status.st_dev, status.st_ino};
}

// The lock this thread holds on the directory open as DESCRIPTOR, if any.
HeldLock* heldAlready(int descriptor, bool& failed) {
    failed = false;
    if (heldByThisThread.empty()) return nullptr;
    const auto key = identityOf(descriptor);
    if (!key) {
        failed = true;
        return nullptr;
    }
    for (HeldLock& lock : heldByThisThread) {
        if (!lock.key) lock.key = identityOf(lock.descriptor);
        if (lock.key == key) return &lock;
    }
    return nullptr;
}

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
    bool failed = false;
    if (HeldLock* held = heldAlready(descriptor, failed)) {
        ::close(descriptor);
        ++held->holders;
        descriptor_ = held->descriptor;
    } else if (!failed && lockExclusively(descriptor)) {
        heldByThisThread.push_back(HeldLock{descriptor, 1, std::nullopt});
        descriptor_ = descriptor;
    } else {
        ::close(descriptor);
        return;
    }
    held_ = true;
}

DirectoryLock::~DirectoryLock() {
    if (!held_) return;
    const auto found =
        std::find_if(heldByThisThread.begin(), heldByThisThread.end(),
                     [&](const HeldLock& lock) { return lock.descriptor == descriptor_; });
    if (found == heldByThisThread.end() || --found->holders > 0) return;
    // Closing the descriptor releases the lock.
    ::close(found->descriptor);
    heldByThisThread.erase(found);
}

}  // namespace platform::emulated
