#include "app/logic/RestartChoice.h"

#include "settings/SettingsStore.h"

namespace RestartChoice {

std::string stored() {
    return SettingsStore().GetSetting(kAppName, "Options", "Restart", kManual);
}

void store(const std::string& code) {
    SettingsStore().SaveSetting(kAppName, "Options", "Restart", code);
}

}  // namespace RestartChoice
