#include "app/logic/dialogs/StartupEntries.h"

#include "platform/AsciiText.h"
#include "registry/clsEasyRegistry.h"

namespace {

constexpr const char* kRunParent =
    "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

StartupEntries::StartupEntries(clsEasyRegistry& registry) : registry_(registry) {}

bool StartupEntries::has(const std::string& name) {
    registry_.Cd(kRunKey);
    registry_.ValueOf(name);
    return registry_.lastError() == 0;
}

void StartupEntries::add(const std::string& name, const std::string& programPath) {
    // Windows always has a Run key, but a machine that never had a start-up program may
    // lack it; without it the entry would silently not be written.
    registry_.Cd(kRunParent);
    registry_.MakeKey("Run");
    registry_.Cd(kRunKey);
    registry_.ValueOf(name, clsEasyRegistry::STRING, platform::concat({"\"", programPath, "\""}));
}

void StartupEntries::remove(const std::string& name) {
    registry_.Cd(kRunKey);
    registry_.DeleteValue(name);
}
