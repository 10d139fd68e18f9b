#pragma once
// An exclusive advisory lock (flock) on a directory, held for the object's lifetime.
// Profile-file writes lock the file's directory rather than the file itself: a write
// replaces the file by renaming a new one over it, so a lock on the file's own inode
// would not guard the next writer, and a lock file beside every configuration file
// would litter the user's folders.

#include <filesystem>

namespace platform::emulated {

class DirectoryLock {
  public:
    // Blocks until the lock is held; held() tells whether the directory could be locked.
    explicit DirectoryLock(const std::filesystem::path& directory);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    bool held() const { return descriptor_ >= 0; }

  private:
    int descriptor_ = -1;
};

}  // namespace platform::emulated
