#include "config/AddInRegistrations.h"

#include <utility>

#include "config/SystemVersions.h"
#include "platform/AsciiText.h"
#include "settings/SettingsStore.h"

namespace addins {

namespace {

constexpr const char* kListSection = "Add-Ins";

std::string sectionOf(const std::string& name) {
    return platform::concat({kListSection, "\\", name});
}

// One enumeration of the add-in's section instead of a look-up per key; value names
// are matched without regard to case, as the store's look-ups do.
Registration readRegistration(const SettingsStore& store, const std::string& name) {
    Registration registration;
    registration.name = name;
    for (auto& [key, value] : store.GetAllSettings(kAppName, sectionOf(name))) {
        if (platform::equalsIgnoringCase(key, "Class")) registration.classId = std::move(value);
        else if (platform::equalsIgnoringCase(key, "OS")) registration.os = std::move(value);
        else if (platform::equalsIgnoringCase(key, "Active")) registration.active = value == "1";
        else if (platform::equalsIgnoringCase(key, "File")) registration.file = std::move(value);
        else if (platform::equalsIgnoringCase(key, "Version")) registration.version = std::move(value);
    }
    return registration;
}

}  // namespace

bool Registration::eligibleOn(const std::string& platformName) const {
    if (classId.empty()) return false;
    // A machine whose platform is unknown takes only the add-ins meant for any platform.
    return os == "*" || (!platformName.empty() && os == platformName);
}

std::vector<Registration> registrations() {
    const SettingsStore store;
    std::vector<Registration> found;
    for (const auto& entry : store.GetAllSettings(kAppName, kListSection))
        found.push_back(readRegistration(store, entry.first));
    return found;
}

std::vector<Registration> eligibleRegistrations() {
    const std::string platformName = getOSPlatform();
    std::vector<Registration> eligible;
    for (Registration& registration : registrations()) {
        if (registration.eligibleOn(platformName)) eligible.push_back(std::move(registration));
    }
    return eligible;
}

void storeActive(const std::string& name, bool active) {
    SettingsStore().SaveSetting(kAppName, sectionOf(name), "Active", active ? "1" : "0");
}

}  // namespace addins
