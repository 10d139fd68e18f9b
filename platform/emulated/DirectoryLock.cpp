#include "platform/emulated/DirectoryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace platform::emulated {

DirectoryLock::DirectoryLock(const std::filesystem::path& directory) {
    const std::filesystem::path target = directory.empty() ? "." : directory;
    descriptor_ = ::open(target.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor_ < 0) return;
    int result;
    do {
        result = ::flock(descriptor_, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

DirectoryLock::~DirectoryLock() {
    // Closing the descriptor releases the lock.
    if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace platform::emulated
