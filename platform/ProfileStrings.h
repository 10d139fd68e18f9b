#pragma once
// Profile-string files (.INI-style): configuration files and the system's win.ini.
// File names are Windows paths (C:\..., Z:\...) or native paths of this computer.

#include <optional>
#include <string>

#include "platform/Win32Types.h"

namespace platform {

class ProfileStrings {
public:
    virtual ~ProfileStrings() = default;

    // The value of KEY in SECTION, trimmed and unquoted; DEFAULT when the file,
    // section or key is missing.
    virtual std::string GetPrivateProfileStringA(const std::string& section,
                                                 const std::string& key,
                                                 const std::string& defaultValue,
                                                 const std::string& fileName) = 0;
    // Writes KEY=VALUE into SECTION. No value deletes the key line; no key deletes the
    // whole section. Returns nonzero on success.
    virtual win32::BOOL WritePrivateProfileStringA(const std::string& section,
                                                   const std::optional<std::string>& key,
                                                   const std::optional<std::string>& value,
                                                   const std::string& fileName) = 0;
    // The same on the system's win.ini (on Windows NT, [windows] lives in the registry).
    virtual std::string GetProfileStringA(const std::string& section, const std::string& key,
                                          const std::string& defaultValue) = 0;
    virtual win32::BOOL WriteProfileStringA(const std::string& section,
                                            const std::optional<std::string>& key,
                                            const std::optional<std::string>& value) = 0;
};

}  // namespace platform
