#include "platform/emulated/ProfileFileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>

#include "platform/NativeFileRules.h"
#include "platform/emulated/AtomicFile.h"
#include "platform/emulated/DirectoryLock.h"

namespace platform::emulated {
namespace {

// Enough for every file a session touches; beyond it the cache simply starts over.
constexpr std::size_t kCacheLimit = 64;
// Files whose last write is remembered (and held open): a few, for the files a program
// writes key by key in turn.
constexpr std::size_t kWrittenLimit = 8;

bool sameTime(const timespec& left, const timespec& right) {
    return left.tv_sec == right.tv_sec && left.tv_nsec == right.tv_nsec;
}

// The whole content of the open file DESCRIPTOR, which is closed; nothing when it
// cannot be read.
std::optional<std::string> readAndClose(int descriptor) {
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            ::close(descriptor);
            return std::nullopt;
        }
        if (count == 0) break;
        content.append(buffer, static_cast<std::size_t>(count));
        // A regular file reads short only at its end: no call to learn what is known.
        if (static_cast<std::size_t>(count) < sizeof buffer) break;
    }
    ::close(descriptor);
    return content;
}

// The whole content of FILE; nothing when it cannot be read.
std::optional<std::string> readWhole(const std::filesystem::path& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return std::nullopt;
    return readAndClose(descriptor);
}

// File times come from a clock that moves in ticks of a few milliseconds, or in whole
// (even two) seconds on some file systems, and a freed inode number can come back with
// the next file. A change made within the tick of the file's times could therefore leave
// its identity as it was. Once the clock has moved past those times by more than a tick,
// any later change shows in them, and the identity can be trusted from the cache.
constexpr std::int64_t kNanosecondsPerSecond = 1000000000;
// Ample for a kernel ticking at 100 Hz or faster, and for file systems keeping times to
// the hundredth of a second.
constexpr std::int64_t kFineSettleNanoseconds = 50000000;
// For file systems whose times are whole seconds (no nanoseconds in either time).
constexpr std::int64_t kCoarseSettleNanoseconds = 3 * kNanosecondsPerSecond;

std::int64_t nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * kNanosecondsPerSecond + time.tv_nsec;
}

bool isSettled(const timespec& modified, const timespec& changed) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const bool fineTimes = modified.tv_nsec != 0 || changed.tv_nsec != 0;
    const std::int64_t newest = std::max(nanoseconds(modified), nanoseconds(changed));
    return nanoseconds(now) - newest >
           (fineTimes ? kFineSettleNanoseconds : kCoarseSettleNanoseconds);
}

}  // namespace

bool ProfileFileStore::Identity::operator==(const Identity& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           sameTime(modified, other.modified) && sameTime(changed, other.changed);
}

ProfileFileStore::~ProfileFileStore() {
    for (const Written& written : written_) letGo(written);
}

void ProfileFileStore::letGo(const Written& written) {
    // Its content was put in place without being written out (see replaceFileContentsIn).
    startWritingOut(written.descriptor);
    ::close(written.descriptor);
}

ProfileFileStore::Identity ProfileFileStore::identityOf(const struct stat& status) {
    return Identity{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

std::optional<ProfileFileStore::Identity> ProfileFileStore::identify(
    const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return identityOf(status);
}

std::shared_ptr<const IniFile> ProfileFileStore::read(const std::filesystem::path& file) {
    const auto identity = identify(file);
    if (!identity) return nullptr;
    std::lock_guard lock(mutex_);
    const auto found = cache_.find(file.native());
    if (found != cache_.end() && found->second.settled && found->second.identity == *identity) {
        return found->second.file;
    }
    // The identity is taken before reading, so content newer than it is parsed again on
    // the next read rather than ever being mistaken for the current file.
    auto content = readWhole(file);
    if (!content) return nullptr;
    // Reading is cheap, parsing less so: unchanged bytes keep their parsed form.
    std::shared_ptr<const IniFile> parsed;
    if (found != cache_.end() && found->second.bytes == *content) {
        parsed = found->second.file;
    } else {
        parsed = std::make_shared<const IniFile>(*content);
    }
    if (cache_.size() >= kCacheLimit) cache_.clear();
    cache_[file.native()] = Cached{*identity, parsed, std::move(*content),
                                   isSettled(identity->modified, identity->changed)};
    return parsed;
}

bool ProfileFileStore::update(const std::filesystem::path& file,
                              const std::function<bool(IniFile&)>& edit) {
    // Most files are no links: the look under the folder's lock tells, and only a link
    // costs resolving it and locking the folder of the file it points at.
    int replaced = -1;
    auto updated = updateTarget(file, file, edit, false, replaced);
    if (!updated) updated = updateTarget(file, writeTargetOf(file), edit, true, replaced);
    // Closing a replaced file's last descriptor frees its storage, which takes a while:
    // done once the folder's lock is released, so that no other writer waits for it.
    if (replaced >= 0) ::close(replaced);
    return updated.value_or(false);
}

std::optional<bool> ProfileFileStore::updateTarget(const std::filesystem::path& file,
                                                   const std::filesystem::path& target,
                                                   const std::function<bool(IniFile&)>& edit,
                                                   bool followLinks, int& replaced) {
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..") return false;
    DirectoryLock lock(target.has_parent_path() ? target.parent_path() : ".");
    if (!lock.held()) return false;
    // Every name is looked up in the locked folder. One look at the file tells whether
    // it may be replaced, which permissions the new file keeps, and whether it is still
    // the file this store wrote last.
    const int folder = lock.descriptor();
    struct stat status {};
    const bool exists =
        ::fstatat(folder, name.c_str(), &status, followLinks ? 0 : AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && S_ISLNK(status.st_mode)) return std::nullopt;
    if (exists && !S_ISREG(status.st_mode)) return false;
    Written current;
    if (exists) {
        if (auto written = takeWritten(status)) {
            current = std::move(*written);
        } else {
            const int descriptor = ::openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC);
            auto content = descriptor < 0 ? std::nullopt : readAndClose(descriptor);
            if (!content) return false;
            current.bytes = std::move(*content);
        }
    }
    IniFile edited(current.bytes);
    if (!edit(edited)) {
        if (current.descriptor >= 0) rememberWritten(std::move(current));
        return true;
    }
    if (exists && ((status.st_mode & 0222) == 0 ||
                   (!current.writable && ::faccessat(folder, name.c_str(), W_OK, 0) != 0))) {
        if (current.descriptor >= 0) ::close(current.descriptor);
        return false;
    }
    // The next read parses the new file: caching it here could pair this content with
    // the identity of a change made by someone else right after the rename.
    forget(file);
    std::string bytes = edited.bytes();
    KeptFile kept;
    const bool done = replaceFileContentsIn(
        folder, name, bytes, exists ? std::optional<mode_t>(status.st_mode) : std::nullopt, &kept);
    replaced = current.descriptor;
    // Writable is known only for a file this store made: one made by someone else may
    // have had another owner.
    if (kept.descriptor >= 0) {
        rememberWritten(
            Written{kept.status, std::move(bytes), kept.descriptor, current.descriptor >= 0});
    }
    return done;
}

std::optional<ProfileFileStore::Written> ProfileFileStore::takeWritten(const struct stat& status) {
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(written_.begin(), written_.end(), [&](const Written& written) {
        return written.status.st_dev == status.st_dev && written.status.st_ino == status.st_ino;
    });
    if (found == written_.end()) return std::nullopt;
    Written written = std::move(*found);
    written_.erase(found);
    if (written.status.st_size != status.st_size ||
        !sameTime(written.status.st_mtim, status.st_mtim)) {
        // Changed in place since: read afresh.
        ::close(written.descriptor);
        return std::nullopt;
    }
    written.writable = written.writable && written.status.st_mode == status.st_mode &&
                       written.status.st_uid == status.st_uid;
    return written;
}

void ProfileFileStore::rememberWritten(Written written) {
    std::lock_guard lock(mutex_);
    if (written_.size() >= kWrittenLimit) {
        letGo(written_.front());
        written_.erase(written_.begin());
    }
    written_.push_back(std::move(written));
}

void ProfileFileStore::forget(const std::filesystem::path& file) {
    std::lock_guard lock(mutex_);
    cache_.erase(file.native());
}

}  // namespace platform::emulated
