#include "platform/emulated/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <string>

namespace platform::emulated {
namespace {

std::atomic<unsigned> temporaryCounter{0};

struct TemporaryFile {
    std::filesystem::path path;
    int descriptor = -1;
};

// A hidden name in TARGET's folder so that the rename stays within one file system.
std::optional<TemporaryFile> createTemporaryBeside(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string() + "." +
                                 std::to_string(::getpid()) + "." +
                                 std::to_string(temporaryCounter++) + ".tmp";
        TemporaryFile file{folder / name};
        // 0666 lets the umask decide a new file's permissions, as for any new file.
        file.descriptor = ::open(file.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file.descriptor >= 0) return file;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
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

bool keepPermissions(int descriptor, const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) return true;
    return ::fchmod(descriptor, existing.st_mode & 07777) == 0;
}

}  // namespace

bool replaceFileContents(const std::filesystem::path& target, std::string_view bytes) {
    auto temporary = createTemporaryBeside(target);
    if (!temporary) return false;
    bool written =
        writeAll(temporary->descriptor, bytes) && keepPermissions(temporary->descriptor, target);
    written = (::close(temporary->descriptor) == 0) && written;
    // Without fsync: the rename alone guarantees old-or-new content when the process
    // dies, and a per-key fsync would make writing a configuration file far too slow.
    if (written && ::rename(temporary->path.c_str(), target.c_str()) == 0) return true;
    ::unlink(temporary->path.c_str());
    return false;
}

}  // namespace platform::emulated
