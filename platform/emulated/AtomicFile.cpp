#include "platform/emulated/AtomicFile.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

namespace platform::emulated {
namespace fs = std::filesystem;

namespace {

std::atomic<unsigned> temporaryCounter{0};

// Where a replacement happens: every name is looked up from AT, a folder's descriptor or
// the current folder.
struct Place {
    int at;
    std::string folder;           // the folder the new file is made in
    std::string target;           // the file replaced
    std::string temporaryPrefix;  // a temporary name's folder and first part
    bool exchange = false;        // trade names with the old file rather than rename over it
};

fs::path folderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : ".";
}

// A hidden name beside the target, so that the rename stays within one file system.
// (Built by appending: GCC 12 warns falsely, -Wrestrict, on "literal" + string.)
std::string hiddenPrefix(const std::string& name) {
    std::string prefix = ".";
    prefix += name;
    prefix += '.';
    return prefix;
}

Place placeOfPath(const fs::path& target) {
    const fs::path folder = folderOf(target);
    return {AT_FDCWD, folder.string(), target.string(),
            (folder / hiddenPrefix(target.filename().string())).string()};
}

// The process id is part of every temporary name; asking the kernel for it on each
// write costs a call. A forked child learns its own on its next write.
std::atomic<pid_t> cachedProcessId{0};

void forgetProcessId() {
    cachedProcessId.store(0, std::memory_order_relaxed);
}

pid_t processId() {
    static const bool watchingForks = (::pthread_atfork(nullptr, nullptr, forgetProcessId), true);
    (void)watchingForks;
    pid_t id = cachedProcessId.load(std::memory_order_relaxed);
    if (id == 0) {
        id = ::getpid();
        cachedProcessId.store(id, std::memory_order_relaxed);
    }
    return id;
}

std::string temporaryName(const Place& place) {
    std::string name = place.temporaryPrefix;
    name += std::to_string(processId());
    name += '.';
    name += std::to_string(temporaryCounter++);
    name += ".tmp";
    return name;
}

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool keepPermissions(int descriptor, const Place& place, std::optional<mode_t> mode) {
    if (!mode) {
        struct stat existing {};
        if (::fstatat(place.at, place.target.c_str(), &existing, 0) != 0) return true;
        mode = existing.st_mode;
    }
    return ::fchmod(descriptor, *mode & 07777) == 0;
}

bool writeContent(int descriptor, const Place& place, std::string_view bytes,
                  std::optional<mode_t> mode) {
    return writeAll(descriptor, bytes) && keepPermissions(descriptor, place, mode);
}

// File systems without the exchange refuse it once; the rename over serves instead.
std::atomic<bool> exchangeSupported{true};

// Gives the complete file TEMPORARY the target's name in one step, as a rename over it
// does, and removes the old file, which the exchange left under the temporary name.
// Nothing when the target is missing or the file system cannot exchange.
std::optional<bool> exchangeWithTarget(const Place& place, const std::string& temporary) {
    if (!exchangeSupported.load(std::memory_order_relaxed)) return std::nullopt;
    if (::renameat2(place.at, temporary.c_str(), place.at, place.target.c_str(),
                    RENAME_EXCHANGE) != 0) {
        if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
            exchangeSupported.store(false, std::memory_order_relaxed);
            return std::nullopt;
        }
        if (errno == ENOENT) return std::nullopt;
        ::unlinkat(place.at, temporary.c_str(), 0);
        return false;
    }
    if (::unlinkat(place.at, temporary.c_str(), 0) == 0 || errno != EISDIR) return true;
    // Someone who ignores the folder's lock put a folder there meanwhile: it keeps its
    // name, as a rename over it would have refused.
    ::renameat2(place.at, temporary.c_str(), place.at, place.target.c_str(), RENAME_EXCHANGE);
    ::unlinkat(place.at, temporary.c_str(), 0);
    return false;
}

// Gives the complete file TEMPORARY the target's name: by exchange where the place asks
// for it and the file system can, otherwise by a rename over the target.
bool putInPlace(const Place& place, const std::string& temporary) {
    // Without fsync: the rename alone guarantees old-or-new content when the process
    // dies, and a per-key fsync would make writing a configuration file far too slow.
    if (place.exchange) {
        if (const auto exchanged = exchangeWithTarget(place, temporary)) return *exchanged;
    }
    if (::renameat(place.at, temporary.c_str(), place.at, place.target.c_str()) == 0) return true;
    ::unlinkat(place.at, temporary.c_str(), 0);
    return false;
}

// Linux lets the opener of an unnamed file name it through its descriptor (from 6.10,
// and before that with the privilege to); elsewhere it is named through /proc, which
// costs a longer look-up. The first refusal settles it for the process.
std::atomic<bool> linkThroughDescriptor{true};

bool linkUnnamedFile(int descriptor, int at, const std::string& name) {
    if (linkThroughDescriptor.load(std::memory_order_relaxed)) {
        if (::linkat(descriptor, "", at, name.c_str(), AT_EMPTY_PATH) == 0) return true;
        if (errno != ENOENT && errno != EPERM && errno != EACCES && errno != EINVAL) return false;
        linkThroughDescriptor.store(false, std::memory_order_relaxed);
    }
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    return ::linkat(AT_FDCWD, self.c_str(), at, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Gives a finished unnamed file a temporary name beside the target.
std::optional<std::string> nameUnnamedFile(int descriptor, const Place& place) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryName(place);
        if (linkUnnamedFile(descriptor, place.at, name)) return name;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

// The new content goes into an unnamed file (O_TMPFILE) that is named only once it is
// complete, so a writer that dies while writing leaves nothing behind. Nothing when
// the file system has no unnamed files; false when writing failed.
std::optional<bool> replaceThroughUnnamedFile(const Place& place, std::string_view bytes,
                                              std::optional<mode_t> mode, KeptFile* kept) {
    // 0666 lets the umask decide a new file's permissions, as for any new file.
    const int descriptor =
        ::openat(place.at, place.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (descriptor < 0) return std::nullopt;
    bool written = writeContent(descriptor, place, bytes, mode);
    // Looked at while no one else can reach the file: its times are those of this content.
    if (written && kept != nullptr) written = ::fstat(descriptor, &kept->status) == 0;
    const auto named = written ? nameUnnamedFile(descriptor, place) : std::nullopt;
    if (kept != nullptr && named) {
        // The file systems that make unnamed files are local ones, which report no
        // error on closing that writing did not: the descriptor may outlive the rename.
        if (putInPlace(place, *named)) {
            kept->descriptor = descriptor;
            return true;
        }
        ::close(descriptor);
        return false;
    }
    const bool closed = ::close(descriptor) == 0;
    if (!written) return false;
    if (!named) return std::nullopt;
    if (!closed) {
        ::unlinkat(place.at, named->c_str(), 0);
        return false;
    }
    return putInPlace(place, *named);
}

bool replaceThroughNamedFile(const Place& place, std::string_view bytes,
                             std::optional<mode_t> mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = temporaryName(place);
        const int descriptor =
            ::openat(place.at, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno == EEXIST) continue;
        if (descriptor < 0) return false;
        bool written = writeContent(descriptor, place, bytes, mode);
        written = (::close(descriptor) == 0) && written;
        if (written) return putInPlace(place, temporary);
        ::unlinkat(place.at, temporary.c_str(), 0);
        return false;
    }
    return false;
}

bool replace(const Place& place, std::string_view bytes, std::optional<mode_t> mode,
             KeptFile* kept) {
    if (kept != nullptr) kept->descriptor = -1;
    if (const auto replaced = replaceThroughUnnamedFile(place, bytes, mode, kept)) {
        return *replaced;
    }
    return replaceThroughNamedFile(place, bytes, mode);
}

}  // namespace

bool replaceFileContents(const fs::path& target, std::string_view bytes,
                         std::optional<mode_t> targetMode) {
    return replace(placeOfPath(target), bytes, targetMode, nullptr);
}

bool replaceFileContentsIn(int folder, const std::string& name, std::string_view bytes,
                           std::optional<mode_t> targetMode, KeptFile* kept) {
    return replace(Place{folder, ".", name, hiddenPrefix(name), true}, bytes, targetMode, kept);
}

void startWritingOut(int descriptor) {
    ::sync_file_range(descriptor, 0, 0, SYNC_FILE_RANGE_WRITE);
}

}  // namespace platform::emulated
