#pragma once
// The version and folders of the running Windows system.

#include "platform/SystemInfo.h"

namespace platform::win32impl {

class Win32SystemInfo : public SystemInfo {
  public:
    win32::BOOL GetVersionExA(win32::OSVERSIONINFOA* lpVersionInformation) override;
    std::string GetWindowsDirectoryA() override;
    std::string GetSystemDirectoryA() override;
    std::string programFolder() override;
    std::string stateFolder() override;
};

}  // namespace platform::win32impl
