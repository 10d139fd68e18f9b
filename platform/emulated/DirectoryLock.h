#pragma once
// An exclusive advisory lock (flock) on a directory, held for the object's lifetime.
// Profile-file writes lock the file's directory rather than the file itself: a write
// replaces the file by renaming a new one over it, so a lock on the file's own inode
// would not guard the next writer, and a lock file beside every configuration file
// would litter the user's folders.
//
// A thread that already holds the lock on a directory (a save session holds it while
// the add-ins write other files of the same folder) takes it again at once; the lock
// is released when the outermost holder goes. Other threads and processes wait.

#include <sys/types.h>

#include <filesystem>
#include <utility>

namespace platform::emulated {

class DirectoryLock {
  public:
    // Blocks until the lock is held; held() tells whether the directory could be locked.
    explicit DirectoryLock(const std::filesystem::path& directory);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    bool held() const { return held_; }
    // The locked directory, open, while held: names looked up from it stay in the
    // directory that was locked even when its path changes meanwhile.
    int descriptor() const { return descriptor_; }

    using Identity = std::pair<dev_t, ino_t>;

  private:
    bool held_ = false;
    int descriptor_ = -1;
};

}  // namespace platform::emulated
