#pragma once
// Facts about the running Windows system: its version and its folders.

#include <string>

#include "platform/Win32Types.h"

namespace platform {

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // Fills the record when its size field is 148; returns 0 (failure) otherwise.
    virtual win32::BOOL GetVersionExA(win32::OSVERSIONINFOA* lpVersionInformation) = 0;
    // The Windows folders as Windows paths without a trailing backslash,
    // e.g. C:\WINDOWS and C:\WINDOWS\SYSTEM.
    virtual std::string GetWindowsDirectoryA() = 0;
    virtual std::string GetSystemDirectoryA() = 0;
    // The folder of the running program, as a Windows path without a trailing backslash.
    virtual std::string programFolder() = 0;
    // The folder where Roamwise keeps its machine-wide records (the configurations before
    // the last applies, for undo); empty when the system offers none, and then nothing is
    // kept. On Windows, a folder below the common application data.
    virtual std::string stateFolder() { return {}; }
    // The folder for temporary files with a trailing backslash, as GetTempPathA gives
    // it; "" when there is none.
    virtual std::string GetTempPathA() { return GetWindowsDirectoryA() + "\\TEMP\\"; }
    // Whether the access token of the running program lists the built-in Administrators
    // group (S-1-5-32-544). Only Windows NT has such tokens.
    virtual bool tokenListsAdministrators() { return false; }
    // Converts a file time in the machine's local time zone to UTC.
    virtual win32::BOOL LocalFileTimeToFileTime(const win32::FILETIME* local, win32::FILETIME* utc);
};

}  // namespace platform
