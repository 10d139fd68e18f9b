#pragma once
// The [windows] section of win.ini as Windows NT keeps it: the values of
// HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\Windows, one value
// per key (value names are case-insensitive, as all registry value names).

#include <optional>
#include <string>

#include "platform/Registry.h"

namespace platform::emulated {

class NtWindowsSection {
  public:
    static constexpr const char* kKeyPath =
        "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

    explicit NtWindowsSection(Registry& registry) : registry_(registry) {}

    // The text of value KEY; nothing when it is missing or not a text.
    std::optional<std::string> value(const std::string& key);
    bool setValue(const std::string& key, const std::string& value);
    // Removing what is missing succeeds.
    bool removeValue(const std::string& key);
    bool removeAll();

  private:
    // An open handle to the key, closed with the object.
    class OpenKey;

    Registry& registry_;
};

}  // namespace platform::emulated
