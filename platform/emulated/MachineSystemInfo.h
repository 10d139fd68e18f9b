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
    std::string stateFolder() override { return stateFolder_; }
    // The machine's own state folder, a native path.
    void useStateFolder(std::string folder) { stateFolder_ = std::move(folder); }
    // C:\WINDOWS\TEMP\ or C:\TEMP\, made when missing as Windows keeps it.
    std::string GetTempPathA() override;
    bool tokenListsAdministrators() override;

  private:
    MachineDescription description_;
    FileSystem& paths_;
    std::string stateFolder_;
};

}  // namespace platform::emulated
