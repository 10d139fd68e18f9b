#pragma once
// The profile-string functions of the running Windows system. Windows resolves a file
// name without a folder in the Windows folder and, on Windows NT, keeps [windows] of
// win.ini in the registry; both are left to it.

#include "platform/ProfileStrings.h"

namespace platform::win32impl {

class Win32ProfileStrings : public ProfileStrings {
  public:
    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue,
                                         const std::string& fileName) override;
    win32::BOOL WritePrivateProfileStringA(const std::string& section,
                                           const std::optional<std::string>& key,
                                           const std::optional<std::string>& value,
                                           const std::string& fileName) override;
    std::string GetProfileStringA(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) override;
    win32::BOOL WriteProfileStringA(const std::string& section,
                                    const std::optional<std::string>& key,
                                    const std::optional<std::string>& value) override;
};

}  // namespace platform::win32impl
