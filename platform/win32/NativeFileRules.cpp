// The native file rules on Windows: the file attributes say what the file is.

#include "platform/NativeFileRules.h"

#include <system_error>

#include "platform/win32/SystemCalls.h"

namespace platform {

std::filesystem::path writeTargetOf(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_symlink(file, error)) return file;
    const auto resolved = std::filesystem::weakly_canonical(file, error);
    return error ? file : resolved;
}

bool isReadOnlyFile(const std::filesystem::path& file) {
    const auto facts = win32sys::fileFacts(file.string());
    return facts && facts->readOnly && !facts->directory;
}

bool isSpecialFile(const std::filesystem::path& file) {
    const auto facts = win32sys::fileFacts(file.string());
    return facts && (facts->directory || facts->device);
}

}  // namespace platform
