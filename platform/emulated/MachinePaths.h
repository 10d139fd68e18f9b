#pragma once
// The emulated machine's drives: C:\ is the machine's drive_c/ folder and Z:\ is the
// root of this computer, as Wine shows it. Windows paths resolve without regard to
// ASCII case, component by component against the folder entries; a component that
// does not exist keeps its given spelling, so new files can be created. Programs are
// named as on Windows: "X.exe" finds the program "x" when no "X.exe" exists.
// Paths that are not Windows paths (absolute /... or relative) are native already.
// Other drive letters and UNC paths stand for nothing: they map to an empty path.

#include <filesystem>
#include <string>

#include "platform/FileSystem.h"
#include "platform/emulated/StagedFiles.h"

namespace platform::emulated {

class MachinePaths : public FileSystem {
  public:
    explicit MachinePaths(std::filesystem::path driveC);

    std::filesystem::path toNative(const std::string& windowsPath) override;
    std::string toWindows(const std::filesystem::path& nativePath) override;
    bool fileExists(const std::string& windowsPath) override;

    // While STAGING runs an apply transaction (or holds a file's write session), whole
    // files written, replaced and removed are staged there instead of on the drive.
    void useStaging(StagedFiles& staging) { staging_ = &staging; }
    bool writeWholeFile(const std::string& windowsPath, const std::string& contents) override;
    bool replaceFile(const std::string& fromWindowsPath,
                     const std::string& toWindowsPath) override;
    bool deleteFile(const std::string& windowsPath) override;

  private:
    bool staging(const std::filesystem::path& target) const;

    std::filesystem::path resolveBelow(const std::filesystem::path& root,
                                       const std::string& relative) const;

    std::filesystem::path driveC_;
    StagedFiles* staging_ = nullptr;
};

}  // namespace platform::emulated
