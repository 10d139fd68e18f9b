#pragma once
// The version and folders of the emulated machine's Windows, from its description.

#include <filesystem>
#include <string>

#include "platform/SystemInfo.h"
#include "platform/emulated/Machine.h"

namespace platform::emulated {

class MachineSystemInfo : public platform::SystemInfo {
  public:
    // DRIVEC is the native folder that stands for C:.
    MachineSystemInfo(MachineDescription description, std::filesystem::path driveC);

    win32::BOOL GetVersionExA(win32::OSVERSIONINFOA* lpVersionInformation) override;
    std::string GetWindowsDirectoryA() override;
    std::string GetSystemDirectoryA() override;
    std::string programFolder() override;

  private:
    std::string windowsPathOf(const std::filesystem::path& native) const;

    MachineDescription description_;
    std::filesystem::path driveC_;
};

}  // namespace platform::emulated
