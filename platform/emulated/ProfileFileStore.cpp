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

bool sameTime(const timespec& left, const timespec& right) {
    return left.tv_sec == right.tv_sec && left.tv_nsec == right.tv_nsec;
}

// The whole content of FILE; nothing when it cannot be read. MISSING tells apart a file
// that does not exist from one that exists but cannot be read.
std::optional<std::string> readWhole(const std::filesystem::path& file, bool& missing) {
    missing = false;
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        missing = (errno == ENOENT);
        return std::nullopt;
    }
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

std::optional<ProfileFileStore::Identity> ProfileFileStore::identify(
    const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return Identity{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
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
    bool missing = false;
    auto content = readWhole(file, missing);
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
    const std::filesystem::path target = writeTargetOf(file);
    DirectoryLock lock(target.parent_path());
    if (!lock.held()) return false;
    // One look at the file tells whether it may be replaced and which permissions the
    // new file keeps.
    struct stat status {};
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) return false;
    bool missing = false;
    const auto content = readWhole(target, missing);
    if (!content && !missing) return false;
    IniFile edited(content.value_or(""));
    if (!edit(edited)) return true;
    if (exists && ((status.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        return false;
    }
    // The next read parses the new file: caching it here could pair this content with
    // the identity of a change made by someone else right after the rename.
    forget(file);
    return replaceFileContents(target, edited.bytes(),
                               exists ? std::optional<mode_t>(status.st_mode) : std::nullopt);
}

void ProfileFileStore::forget(const std::filesystem::path& file) {
    std::lock_guard lock(mutex_);
    cache_.erase(file.native());
}

}  // namespace platform::emulated
