#pragma once
// Reads and edits profile-string files on this computer's file system. Reads keep
// the parsed file of recently used paths and parse again as soon as the file on disk
// differs (another inode, size, or change time) or was changed very recently, so
// changes made by other processes are always seen. Edits run under a lock on the file's folder,
// start from the file's current content and replace it atomically, so concurrent writers lose
// nothing and a writer that dies halfway leaves the old file. The current content is the one
// this store wrote last while the file is still exactly that file (same inode, kept open so
// its number cannot come back, same size and modification time); any other writer's
// replacement or change shows there, and the file is read afresh.

#include <sys/stat.h>
#include <sys/types.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/emulated/IniFile.h"

namespace platform::emulated {

class ProfileFileStore {
  public:
    ProfileFileStore() = default;
    ~ProfileFileStore();
    ProfileFileStore(const ProfileFileStore&) = delete;
    ProfileFileStore& operator=(const ProfileFileStore&) = delete;

    // The parsed file, or null when it is missing or cannot be read.
    std::shared_ptr<const IniFile> read(const std::filesystem::path& file);
    // Runs EDIT on the file's current text (empty when the file does not exist yet)
    // and stores the result when EDIT reports a change. Returns false when the file
    // could not be read, locked or written.
    bool update(const std::filesystem::path& file, const std::function<bool(IniFile&)>& edit);
    // Drops what is kept of FILE, so the next read parses it again.
    void forget(const std::filesystem::path& file);

  private:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Identity& other) const;
    };
    struct Cached {
        Identity identity;
        std::shared_ptr<const IniFile> file;
        std::string bytes;     // what FILE was parsed from
        bool settled = false;  // old enough for its identity to be trusted
    };

    // A file this store wrote, held open: while it is, its inode number cannot come back
    // with a file someone else made. Its content is the bytes written while its size and
    // modification time stay as they were when written, before the file had a name (any
    // change of the content changes them). WRITABLE once this process was found allowed
    // to write it: a file this process makes to replace one of its own has the same
    // owner, mode and access rights, so the answer holds for it while those hold.
    struct Written {
        struct stat status {};
        std::string bytes;
        int descriptor = -1;
        bool writable = false;
    };

    static Identity identityOf(const struct stat& status);
    static std::optional<Identity> identify(const std::filesystem::path& file);
    // Edits TARGET, FILE or the file it links to. Nothing when FOLLOWLINKS is false and
    // TARGET turns out to be a symbolic link.
    // REPLACED receives the descriptor of the file replaced, for the caller to close.
    std::optional<bool> updateTarget(const std::filesystem::path& file,
                                     const std::filesystem::path& target,
                                     const std::function<bool(IniFile&)>& edit, bool followLinks,
                                     int& replaced);
    // What this store wrote last into the file of STATUS, when it is still that file.
    std::optional<Written> takeWritten(const struct stat& status);
    void rememberWritten(Written written);
    // Closes a file this store wrote and is done with, once its content is on its way
    // to the disk.
    static void letGo(const Written& written);

    std::mutex mutex_;
    std::map<std::string, Cached> cache_;
    std::vector<Written> written_;  // the most recent last
};

}  // namespace platform::emulated
