// rmwctl settings: reads, writes and lists Roamwise's per-user settings.

#include <stdexcept>

#include "settings/SettingsStore.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

// Names the store cannot address are refused before the machine is touched.
void requireNames(const std::string& section, const std::string* key) {
    if (section.empty() || section.front() == '\\' || section.back() == '\\' ||
        section.find("\\\\") != std::string::npos) {
        throw UsageError("not a usable section name: '" + section + "'");
    }
    if (key != nullptr && key->empty()) throw UsageError("the key name is empty");
}

int getSetting(const std::vector<std::string>& args, Io io) {
    if (args.size() != 2) throw UsageError("settings get takes SECTION KEY");
    requireNames(args[0], &args[1]);
    useMachine(io);
    const auto value = SettingsStore().FindSetting(kAppName, args[0], args[1]);
    if (!value) throw Failure("no setting '" + args[1] + "' in section '" + args[0] + "'");
    io.out << *value << "\n";
    return 0;
}

int setSetting(const std::vector<std::string>& args, Io io) {
    if (args.size() != 3) throw UsageError("settings set takes SECTION KEY VALUE");
    requireNames(args[0], &args[1]);
    useMachine(io);
    SettingsStore store;
    store.SaveSetting(kAppName, args[0], args[1], args[2]);
    // The store does not report a refused write; reading back tells.
    if (store.FindSetting(kAppName, args[0], args[1]) != args[2]) {
        throw Failure("the setting '" + args[1] + "' could not be written");
    }
    return 0;
}

int listSettings(const std::vector<std::string>& args, Io io) {
    if (args.size() != 1) throw UsageError("settings list takes SECTION");
    requireNames(args[0], nullptr);
    useMachine(io);
    for (const auto& [key, value] : SettingsStore().GetAllSettings(kAppName, args[0])) {
        io.out << key << "\t" << value << "\n";
    }
    return 0;
}

int settingsVerb(const std::vector<std::string>& args, Io io) {
    if (args.empty()) throw UsageError("settings needs get, set or list");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "get") return getSetting(rest, io);
    if (args[0] == "set") return setSetting(rest, io);
    if (args[0] == "list") return listSettings(rest, io);
    throw UsageError("unknown settings command '" + args[0] + "'");
}

const VerbRegistration registration(
    "settings",
    "settings get SECTION KEY          print a Roamwise setting (exit 1 when missing)\n"
    "settings set SECTION KEY VALUE    store a Roamwise setting\n"
    "settings list SECTION             print a section's settings, KEY<tab>VALUE per line",
    settingsVerb);

}  // namespace
}  // namespace rmwctl
