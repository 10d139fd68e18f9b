#pragma once
// Watches the writes into profile files (WritePrivateProfileStringA) made while it lives and notes
// whether the system refused any of them. The settings backends write their sections without
// looking at the results; a save uses this to find out whether what they wrote really arrived
// before it lets the new file replace the old one.

#include <memory>

#include "platform/ProfileStrings.h"
#include "platform/Services.h"

class ProfileWriteWatch : public platform::ProfileStrings {
  public:
    // Puts itself in front of the installed profile-string service until destroyed.
    ProfileWriteWatch();
    ~ProfileWriteWatch() override;
    ProfileWriteWatch(const ProfileWriteWatch&) = delete;
    ProfileWriteWatch& operator=(const ProfileWriteWatch&) = delete;

    // True when a write was refused since construction.
    bool writeFailed() const;

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
    win32::BOOL noted(win32::BOOL result);

    platform::ProfileStrings& watched_;
    std::unique_ptr<platform::ScopedServices> scope_;
    bool writeFailed_ = false;
};
