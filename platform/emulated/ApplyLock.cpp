#include "platform/emulated/ApplyLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>

namespace platform::emulated {

ApplyLock::ApplyLock(std::filesystem::path lockFile) : file_(std::move(lockFile)) {}

ApplyLock::~ApplyLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

bool ApplyLock::acquire(double waitSeconds) {
    if (holders_ > 0) {
        ++holders_;
        return true;
    }
    std::error_code ignored;
    std::filesystem::create_directories(file_.parent_path(), ignored);
    const int descriptor = ::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) return false;
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration<double>(waitSeconds > 0 ? waitSeconds : 0);
    for (;;) {
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) break;
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            ::close(descriptor);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    descriptor_ = descriptor;
    holders_ = 1;
    return true;
}

void ApplyLock::release() {
    if (holders_ == 0 || --holders_ > 0) return;
    ::close(descriptor_);  // closing releases the lock
    descriptor_ = -1;
}

}  // namespace platform::emulated
