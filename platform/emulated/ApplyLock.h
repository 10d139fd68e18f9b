#pragma once
// The lock that lets one apply at a time change a machine: an exclusive flock on the
// file "apply.lock" of the machine's state folder. It is held by count within the
// process (the apply command holds it while the document's apply takes it again) and is
// released by the system when the process ends, however it ends.

#include <filesystem>

namespace platform::emulated {

class ApplyLock {
  public:
    explicit ApplyLock(std::filesystem::path lockFile);
    ~ApplyLock();
    ApplyLock(const ApplyLock&) = delete;
    ApplyLock& operator=(const ApplyLock&) = delete;

    // Takes the lock, waiting up to WAITSECONDS for another process to let it go; false
    // when it is still held elsewhere then (or the lock file cannot be made).
    bool acquire(double waitSeconds);
    // Takes the lock only when it is free now.
    bool tryAcquire() { return acquire(0); }
    void release();
    bool held() const { return holders_ > 0; }

  private:
    std::filesystem::path file_;
    int descriptor_ = -1;
    int holders_ = 0;
};

// Releases a lock taken by the caller when it goes out of scope.
class ApplyLockHold {
  public:
    explicit ApplyLockHold(ApplyLock& lock) : lock_(lock) {}
    ~ApplyLockHold() { lock_.release(); }
    ApplyLockHold(const ApplyLockHold&) = delete;
    ApplyLockHold& operator=(const ApplyLockHold&) = delete;

  private:
    ApplyLock& lock_;
};

}  // namespace platform::emulated
