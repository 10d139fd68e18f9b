#pragma once
// The profile-string functions of the running Windows system. Windows resolves a file
// name without a folder in the Windows folder and, on Windows NT, keeps [windows] of
// win.ini in the registry; both are left to it.

#include <map>
#include <string>

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

    // Windows has no private file content: a session writes a uniquely named file beside
    // the target and renames it over the target at commit. A second session on the same
    // file is not held back.
    bool beginWriteSession(const std::string& fileName,
                           const std::string& initialContents) override;
    bool commitWriteSession(const std::string& fileName) override;
    void endWriteSession(const std::string& fileName) override;
    std::string writeSessionContents(const std::string& fileName) override;

  private:
    // The file the functions use for FILENAME: its session's staged file, if any.
    std::string fileInUse(const std::string& fileName) const;

    std::map<std::string, std::string> stagedFiles_;  // by the target's upper-case name
};

}  // namespace platform::win32impl
