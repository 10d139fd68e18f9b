#pragma once
// The profile-string functions of the emulated machine. Files are named by Windows
// paths (resolved through the machine's drives) or native paths; the system's win.ini
// lives in the machine's Windows folder. On a Windows NT machine the [windows]
// section of win.ini is kept in the registry instead, as NT does.
//
// Beyond what Windows 9x guarantees: a value is returned whole (no 254-character
// cut); a line break inside a written name or value becomes a blank, so a write can
// never add lines, sections or keys; a write replaces the file atomically and under a
// lock, so neither a crash nor a concurrent writer loses or mangles anything.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/ProfileStrings.h"
#include "platform/Registry.h"
#include "platform/emulated/NtWindowsSection.h"
#include "platform/emulated/ProfileFileStore.h"
#include "platform/emulated/StagedFiles.h"

namespace platform::emulated {

class ProfileFiles : public ProfileStrings {
  public:
    // WIN_INI is the Windows path of the system's win.ini, e.g. C:\WINDOWS\win.ini.
    // STAGING holds the files of write sessions and apply transactions; the machine shares
    // it with its file system. Without one the object keeps its own.
    ProfileFiles(FileSystem& files, std::string winIni, StagedFiles* staging = nullptr);
    // From now on [windows] of win.ini is read from and written to REGISTRY.
    void mapWindowsSectionToRegistry(Registry& registry);

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
    bool beginWriteSession(const std::string& fileName,
                           const std::string& initialContents) override;
    bool commitWriteSession(const std::string& fileName) override;
    void endWriteSession(const std::string& fileName) override;
    std::string writeSessionContents(const std::string& fileName) override;

  private:
    std::string inWindowsFolderWhenBare(const std::string& fileName) const;
    bool isMappedToRegistry(const std::string& section, const std::filesystem::path& file);
    win32::BOOL writeMapped(const std::optional<std::string>& key,
                            const std::optional<std::string>& value);
    win32::BOOL writeFile(const std::string& section, const std::optional<std::string>& key,
                          const std::optional<std::string>& value,
                          const std::filesystem::path& file);
    // The staged content FILE reads and writes, or null.
    StagedFiles::Content* stagedContent(const std::filesystem::path& file);
    bool writeStaged(const std::filesystem::path& file,
                     const std::function<bool(IniFile&)>& edit);
    bool readCurrent(const std::filesystem::path& file, std::string& bytes);

    FileSystem& files_;
    std::string winIni_;
    std::unique_ptr<NtWindowsSection> windowsSection_;
    ProfileFileStore store_;
    std::unique_ptr<StagedFiles> ownStaging_;
    StagedFiles& staging_;
};

}  // namespace platform::emulated
