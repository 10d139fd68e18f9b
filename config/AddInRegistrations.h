#pragma once
// The add-ins registered in the per-user settings store: the section "Add-Ins" names
// them (one key per add-in, in the store's order), and "Add-Ins\<name>" holds each one's
// "Class", "OS" ("95", "NT" or "*"), "Active" ("1" on), "File" and "Version". The main
// window loads the active ones and the Add-In Manager lists and switches them; both read
// them here.

#include <optional>
#include <string>
#include <vector>

namespace addins {

struct Registration {
    std::string name;
    std::string classId;  // "Class"; empty makes the add-in unusable
    std::string os;       // "OS" as stored
    bool active = false;  // "Active" is "1"
    std::optional<std::string> file;     // "File", when stored
    std::optional<std::string> version;  // "Version", when stored

    // Whether the add-in can be used on the platform PLATFORMNAME ("95" or "NT", as
    // getOSPlatform answers): it names a class and is registered for that platform or
    // for any ("*").
    bool eligibleOn(const std::string& platformName) const;
};

// Every registered add-in, in the store's order.
std::vector<Registration> registrations();
// The registered add-ins usable on this machine (whatever their "Active"), in order.
std::vector<Registration> eligibleRegistrations();
// Switches the add-in NAME on ("Active" "1") or off ("0").
void storeActive(const std::string& name, bool active);

}  // namespace addins
