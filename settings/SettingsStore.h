#pragma once
// The per-user settings store: text values addressed by application name, section
// and key. It lives in the current user's registry below
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// one key per section (a section may contain a backslash) and one REG_SZ value per key.
// The main program, the tray utility and add-in installers all use this root.

#include <optional>
#include <string>
#include <utility>
#include <vector>

class SettingsStore {
  public:
    // The stored text, or DEFAULT when the key or its section is missing.
    std::string GetSetting(const std::string& appName, const std::string& section,
                           const std::string& key, const std::string& defaultValue = "") const;
    // The stored text, or nothing when the key or its section is missing.
    std::optional<std::string> FindSetting(const std::string& appName, const std::string& section,
                                           const std::string& key) const;
    // Creates the section and key when missing, replaces the value otherwise. A write the
    // registry refuses is not reported; an empty application name, section or key, or a
    // section with an empty part between backslashes, throws std::invalid_argument.
    void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& value);
    // Removes KEY from the section, or with no key the section itself with everything
    // below it. False when there was nothing to remove or the registry refused.
    bool DeleteSetting(const std::string& appName, const std::string& section,
                       const std::optional<std::string>& key = std::nullopt);
    // The section's keys and values in the store's order; empty when missing or empty.
    std::vector<std::pair<std::string, std::string>> GetAllSettings(
        const std::string& appName, const std::string& section) const;
};

// The application name under which the system keeps all its settings.
inline constexpr const char* kAppName = "Roamwise";
// The application's title, which its windows and message boxes carry: the same name.
inline constexpr const char* kAppTitle = kAppName;
