#pragma once
// Windows paths of the machine and the native files behind them. C:\ is the
// machine's drive_c/ folder; any other native path is seen as Z:\ (the root /).
// Windows paths resolve without regard to case, as on Windows.

#include <filesystem>
#include <string>

#include "platform/Win32Types.h"

namespace platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The native path a Windows path (or an already native path) stands for.
    virtual std::filesystem::path toNative(const std::string& windowsPath) = 0;
    // The Windows path under which this machine sees a native path.
    virtual std::string toWindows(const std::filesystem::path& nativePath) = 0;
    virtual bool fileExists(const std::string& windowsPath) = 0;

    // Creates the file, or empties an existing one, and writes CONTENTS as they stand.
    // False when the file cannot be created or written completely.
    virtual bool writeWholeFile(const std::string& windowsPath, const std::string& contents);
    // Puts the file FROM in the place of TO in one step, replacing TO when it exists (as
    // MoveFileExA with MOVEFILE_REPLACE_EXISTING). False, with both files as they were,
    // when that is not possible.
    virtual bool replaceFile(const std::string& fromWindowsPath, const std::string& toWindowsPath);
    // Removes the file; false when it exists and cannot be removed.
    virtual bool deleteFile(const std::string& windowsPath);

    // The short (8.3) form of an existing path; "" when the path does not exist. A
    // system without short names gives the path as it stands.
    virtual std::string GetShortPathNameA(const std::string& windowsPath);
    // The process's current folder, and changing it (false when FOLDER is none).
    virtual std::string GetCurrentDirectoryA();
    virtual win32::BOOL SetCurrentDirectoryA(const std::string& windowsPath);
    // Whether the path is a symbolic link (or junction) itself.
    virtual bool isLink(const std::string& windowsPath);
    // Whether the path is a folder (not a link to one) that belongs to the current user.
    virtual bool isOwnFolder(const std::string& windowsPath);
    // Sets the file's last-write time (UTC); false when the file cannot be changed.
    virtual win32::BOOL SetFileTime(const std::string& windowsPath, const win32::FILETIME& lastWrite);
};

}  // namespace platform
