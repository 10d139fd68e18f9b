#pragma once
// How the native files behind Windows paths answer the questions Windows asks of a file
// before it replaces or rewrites it.

#include <filesystem>

namespace platform {

// The file a write through FILE changes: a symbolic link stays a link, and the file it
// points at is the one rewritten or replaced.
std::filesystem::path writeTargetOf(const std::filesystem::path& file);

// True when FILE exists and may not be written. Replacing a file only needs the folder's
// permission, so the file's own is checked first; a file without any write permission is
// read-only, as the read-only attribute makes it on Windows, even for the superuser.
bool isReadOnlyFile(const std::filesystem::path& file);

// True when FILE exists but is no regular file: a folder, a device, a pipe or a socket.
// Such a file is never written as a whole nor replaced: a replacement would put a plain
// file in a device's place, and reading a pipe or a device to its end may never finish.
bool isSpecialFile(const std::filesystem::path& file);

}  // namespace platform
