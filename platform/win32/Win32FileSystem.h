#pragma once
// Files of the running Windows system. Windows paths are the native paths here; files
// are replaced and removed through the ANSI file functions, so a name means the same
// bytes as in every other call the system makes.

#include "platform/FileSystem.h"

namespace platform::win32impl {

class Win32FileSystem : public FileSystem {
  public:
    std::filesystem::path toNative(const std::string& windowsPath) override;
    std::string toWindows(const std::filesystem::path& nativePath) override;
    bool fileExists(const std::string& windowsPath) override;
    bool replaceFile(const std::string& fromWindowsPath, const std::string& toWindowsPath) override;
    bool deleteFile(const std::string& windowsPath) override;
};

}  // namespace platform::win32impl
