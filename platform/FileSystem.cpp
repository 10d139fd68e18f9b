#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <system_error>

#include "platform/NativeFileRules.h"

// Plain file operations on the native files behind Windows paths. A system whose files
// are not reached through native paths overrides them.

namespace platform {

bool FileSystem::writeWholeFile(const std::string& windowsPath, const std::string& contents) {
    const auto target = writeTargetOf(toNative(windowsPath));
    if (isReadOnlyFile(target) || isSpecialFile(target)) return false;
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    file.close();
    return !file.fail();
}

bool FileSystem::replaceFile(const std::string& fromWindowsPath, const std::string& toWindowsPath) {
    // Windows refuses to move a file over a read-only one, and a link to the file keeps
    // pointing at the replaced content.
    const auto target = writeTargetOf(toNative(toWindowsPath));
    if (isReadOnlyFile(target) || isSpecialFile(target)) return false;
    std::error_code error;
    std::filesystem::rename(toNative(fromWindowsPath), target, error);
    return !error;
}

bool FileSystem::deleteFile(const std::string& windowsPath) {
    std::error_code error;
    std::filesystem::remove(toNative(windowsPath), error);
    return !error;
}

std::string FileSystem::GetShortPathNameA(const std::string& windowsPath) {
    std::error_code error;
    return std::filesystem::exists(toNative(windowsPath), error) ? windowsPath : std::string();
}

std::string FileSystem::GetCurrentDirectoryA() {
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    return error ? std::string() : toWindows(current);
}

win32::BOOL FileSystem::SetCurrentDirectoryA(const std::string& windowsPath) {
    std::error_code error;
    std::filesystem::current_path(toNative(windowsPath), error);
    return error ? 0 : 1;
}

bool FileSystem::isLink(const std::string& windowsPath) {
    std::error_code error;
    return std::filesystem::is_symlink(toNative(windowsPath), error);
}

#ifdef _WIN32
// Windows files carry no owner id the C runtime can see: a real folder (no link) is the
// most that can be told here.
bool FileSystem::isOwnFolder(const std::string& windowsPath) {
    std::error_code error;
    const auto native = toNative(windowsPath);
    return !std::filesystem::is_symlink(native, error) && std::filesystem::is_directory(native, error);
}

win32::BOOL FileSystem::SetFileTime(const std::string& windowsPath, const win32::FILETIME& lastWrite) {
    // FILETIME counts 100 ns steps from 1601; the Unix epoch lies 11644473600 s later.
    const std::uint64_t ticks = (std::uint64_t{lastWrite.dwHighDateTime} << 32) | lastWrite.dwLowDateTime;
    const std::int64_t unixTicks = std::max<std::int64_t>(static_cast<std::int64_t>(ticks) - 116444736000000000LL, 0);
    const std::chrono::sys_time<std::chrono::nanoseconds> when{std::chrono::nanoseconds(unixTicks * 100)};
    std::error_code error;
    std::filesystem::last_write_time(
        toNative(windowsPath),
        std::chrono::time_point_cast<std::filesystem::file_time_type::duration>(
            std::chrono::file_clock::from_sys(when)),
        error);
    return error ? 0 : 1;
}
#else
bool FileSystem::isOwnFolder(const std::string& windowsPath) {
    struct stat status {};
    if (::lstat(toNative(windowsPath).c_str(), &status) != 0) return false;
    return S_ISDIR(status.st_mode) && status.st_uid == ::geteuid();
}

win32::BOOL FileSystem::SetFileTime(const std::string& windowsPath, const win32::FILETIME& lastWrite) {
    // FILETIME counts 100 ns steps from 1601; the Unix epoch lies 11644473600 s later.
    const std::uint64_t ticks = (std::uint64_t{lastWrite.dwHighDateTime} << 32) | lastWrite.dwLowDateTime;
    const std::int64_t unixTicks = static_cast<std::int64_t>(ticks) - 116444736000000000LL;
    struct timespec times[2] = {{0, UTIME_OMIT}, {unixTicks / 10000000, (unixTicks % 10000000) * 100}};
    if (unixTicks < 0) times[1] = {0, 0};
    return ::utimensat(AT_FDCWD, toNative(windowsPath).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0 ? 1 : 0;
}
#endif

}  // namespace platform
