#pragma once
// The version and folders of the emulated machine's Windows, from its description.

#include <filesystem>
#include <string>

#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"
#include "platform/emulated/Machine.h"

namespace platform::emulated {

class MachineSystemInfo : public platform::SystemInfo {
  public:
    // PATHS maps the machine's Windows paths to native ones and back.
    MachineSystemInfo(MachineDescription description, FileSystem& paths);

    win32::BOOL GetVersionExA(win32::OSVERSIONINFOA* lpVersionInformation) override;
    std::string GetWindowsDirectoryA() override;
    std::string GetSystemDirectoryA() override;
    std::string programFolder() override;
    // C:\WINDOWS\TEMP\ or C:\TEMP\, made when missing as Windows keeps it.
    std::string GetTempPathA() override;
    bool tokenListsAdministrators() override;

  private:
    MachineDescription description_;
    FileSystem& paths_;
};

}  // namespace platform::emulated
