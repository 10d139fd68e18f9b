#pragma once
// Windows paths of the machine and the native files behind them. C:\ is the
// machine's drive_c/ folder; any other native path is seen as Z:\ (the root /).
// Windows paths resolve without regard to case, as on Windows.

#include <filesystem>
#include <string>

namespace platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The native path a Windows path (or an already native path) stands for.
    virtual std::filesystem::path toNative(const std::string& windowsPath) = 0;
    // The Windows path under which this machine sees a native path.
    virtual std::string toWindows(const std::filesystem::path& nativePath) = 0;
    virtual bool fileExists(const std::string& windowsPath) = 0;
};

}  // namespace platform
