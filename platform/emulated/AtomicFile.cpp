#include "platform/emulated/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <string>

namespace platform::emulated {
namespace fs = std::filesystem;

namespace {

std::atomic<unsigned> temporaryCounter{0};

fs::path folderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : ".";
}

// A hidden name beside TARGET, so that the rename stays within one file system. (Built
// by appending: GCC 12 warns falsely, -Wrestrict, on "literal" + string.)
fs::path temporaryName(const fs::path& target) {
    std::string name = ".";
    name += target.filename().string();
    name += '.';
    name += std::to_string(::getpid());
    name += '.';
    name += std::to_string(temporaryCounter++);
    name += ".tmp";
    return folderOf(target) / name;
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

bool keepPermissions(int descriptor, const fs::path& target, std::optional<mode_t> mode) {
    if (!mode) {
        struct stat existing {};
        if (::stat(target.c_str(), &existing) != 0) return true;
        mode = existing.st_mode;
    }
    return ::fchmod(descriptor, *mode & 07777) == 0;
}

bool writeContent(int descriptor, const fs::path& target, std::string_view bytes,
                  std::optional<mode_t> mode) {
    return writeAll(descriptor, bytes) && keepPermissions(descriptor, target, mode);
}

bool renameOver(const fs::path& temporary, const fs::path& target) {
    // Without fsync: the rename alone guarantees old-or-new content when the process
    // dies, and a per-key fsync would make writing a configuration file far too slow.
    if (::rename(temporary.c_str(), target.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

// Gives a finished unnamed file a temporary name beside TARGET.
std::optional<fs::path> nameUnnamedFile(int descriptor, const fs::path& target) {
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path name = temporaryName(target);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return name;
        }
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

// The new content goes into an unnamed file (O_TMPFILE) that is named only once it is
// complete, so a writer that dies while writing leaves nothing behind. Nothing when
// the file system has no unnamed files; false when writing failed.
std::optional<bool> replaceThroughUnnamedFile(const fs::path& target, std::string_view bytes,
                                              std::optional<mode_t> mode) {
    // 0666 lets the umask decide a new file's permissions, as for any new file.
    const int descriptor = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (descriptor < 0) return std::nullopt;
    const bool written = writeContent(descriptor, target, bytes, mode);
    const auto named = written ? nameUnnamedFile(descriptor, target) : std::nullopt;
    const bool closed = ::close(descriptor) == 0;
    if (!written) return false;
    if (!named) return std::nullopt;
    if (!closed) {
        ::unlink(named->c_str());
        return false;
    }
    return renameOver(*named, target);
}

bool replaceThroughNamedFile(const fs::path& target, std::string_view bytes,
                             std::optional<mode_t> mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path temporary = temporaryName(target);
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno == EEXIST) continue;
        if (descriptor < 0) return false;
        bool written = writeContent(descriptor, target, bytes, mode);
        written = (::close(descriptor) == 0) && written;
        if (written) return renameOver(temporary, target);
        ::unlink(temporary.c_str());
        return false;
    }
    return false;
}

}  // namespace

bool replaceFileContents(const fs::path& target, std::string_view bytes,
                         std::optional<mode_t> targetMode) {
    if (const auto replaced = replaceThroughUnnamedFile(target, bytes, targetMode)) {
        return *replaced;
    }
    return replaceThroughNamedFile(target, bytes, targetMode);
}

}  // namespace platform::emulated
