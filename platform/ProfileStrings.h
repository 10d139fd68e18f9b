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

    // A write session makes one file's new content whole before anyone else sees it (a
    // configuration file being saved): from begin to commit or end, the functions above
    // read and write FILENAME's new content, starting from INITIALCONTENTS, held apart
    // from the file itself; other programs see the old file, and a second session on the
    // same file waits for this one. commit puts the content in the file's place in one
    // step; end (or a failed commit) drops it and leaves the file as it was. A system
    // without such sessions may write a uniquely named file beside the target and rename
    // it. begin and commit return false when the file cannot be locked or replaced.
    virtual bool beginWriteSession(const std::string& fileName,
                                   const std::string& initialContents) = 0;
    virtual bool commitWriteSession(const std::string& fileName) = 0;
    virtual void endWriteSession(const std::string& fileName) = 0;
    // The bytes the session on FILENAME holds so far: what commit would put in the file's
    // place. Empty when no session is open on it.
    virtual std::string writeSessionContents(const std::string& fileName) = 0;
};

}  // namespace platform
