#include "settings/Options.h"

#include "settings/SettingsStore.h"

namespace {

constexpr const char* kOptionsSection = "Options";

}  // namespace

std::string readOption(const std::string& key, const std::string& defaultValue) {
    return SettingsStore().GetSetting(kAppName, kOptionsSection, key, defaultValue);
}

void storeOption(const std::string& key, const std::string& value) {
    SettingsStore().SaveSetting(kAppName, kOptionsSection, key, value);
}
