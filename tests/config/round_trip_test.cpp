// A place's configuration survives the whole trip on both templates: capture it with a
// new document and save it, let the machine be changed, then open the file in a new
// document, pass every value that differs through its setter (as the window's tabs do),
// apply, and find the machine's registry and prefs.js as they were.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "config/RmwConfig.h"
#include "tests/config/ConfigTestSupport.h"
#include "tests/support/TestMachine.h"

namespace {

using configtest::browserFlagProperties;
using configtest::browserTextProperties;
using configtest::networkFlagProperties;
using configtest::networkTextProperties;

using Snapshot = std::map<std::string, std::string>;

// Every value below KEY as "path\name" -> "type:data".
void addValuesBelow(clsEasyRegistry& registry, const std::string& key, Snapshot& snapshot) {
    registry.Cd(key);
    if (const auto values = registry.DirValue()) {
        const auto& [names, data, types] = *values;
        for (std::size_t i = 0; i < names.size(); ++i) {
            snapshot[key + "\\" + names[i]] = types[i] + ":" + data[i];
        }
    }
    registry.Cd(key);
    const auto subkeys = registry.DirKey();
    if (!subkeys) return;
    for (const auto& subkey : *subkeys) addValuesBelow(registry, key + "\\" + subkey, snapshot);
}

Snapshot registrySnapshot() {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    Snapshot snapshot;
    for (const char* root : {"\\HKEY_LOCAL_MACHINE", "\\HKEY_CURRENT_USER"}) {
        addValuesBelow(registry, root, snapshot);
    }
    return snapshot;
}

// The entries in which two snapshots differ, for a readable failure. Applying writes
// every setting a browser keeps, so a setting that was absent may afterwards be present
// with its empty value (a registry value "type:" or a preference "" or 0): that is the
// same configuration, and only other additions count.
bool holdsNothing(const std::string& value) {
    const auto data = value.substr(value.find(':') + 1);
    return data.empty() || data == "\"\"" || data == "0";
}

std::vector<std::string> differences(const Snapshot& expected, const Snapshot& actual) {
    std::vector<std::string> lines;
    for (const auto& [name, value] : expected) {
        const auto found = actual.find(name);
        if (found == actual.end()) {
            lines.push_back("missing " + name + " = " + value);
        } else if (found->second != value) {
            lines.push_back("changed " + name + ": " + value + " -> " + found->second);
        }
    }
    for (const auto& [name, value] : actual) {
        if (!expected.count(name) && !holdsNothing(value)) {
            lines.push_back("added " + name + " = " + value);
        }
    }
    return lines;
}

// The Navigator preferences of the template's user, "name" -> ":value" in the form of
// a snapshot; empty where Navigator is not installed. The file's order does not matter.
Snapshot navigatorPreferences(testsupport::TestMachine& machine) {
    const auto file = machine.machine().driveC() / "Program Files" / "Netscape" / "Users" /
                      "jmorgan" / "prefs.js";
    Snapshot preferences;
    if (!std::filesystem::exists(file)) return preferences;
    const std::string text = configtest::fileBytes(file);
    const std::string opening = "user_pref(";
    for (auto at = text.find(opening); at != std::string::npos; at = text.find(opening, at + 1)) {
        const auto comma = text.find(", ", at);
        const auto close = text.find(");", comma);
        preferences[text.substr(at + opening.size(), comma - at - opening.size())] =
            ":" + text.substr(comma + 2, close - comma - 2);
    }
    return preferences;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

// Another place: every setting of every backend takes a different value.
void moveElsewhere(RmwConfig& document) {
    netConfig& net = document.getNetConfig();
    const std::map<std::string, std::string> network = {
        {"ComputerName", "ROAMER"},
        {"Workgroup", "HOMENET"},
        {"Host", "roamer"},
        {"DomainName", "home.example"},
        {"IPAddress", "192.168.7.50"},
        {"IPMask", "255.255.255.0"},
        {"DefaultGateway", "192.168.7.1"},
        {"DNSServers", "192.168.7.2,192.168.7.3"},
        {"SearchList", "home.example"},
        {"WINSServer1", "192.168.7.4"},
        {"WINSServer2", "192.168.7.5"},
        {"ScopeID", "HOMESCOPE"},
        {"NTDomain", "HOMEDOM"},
    };
    for (const auto& property : networkTextProperties()) {
        const auto value = network.find(property.name);
        if (value != network.end()) property.set(net, value->second);
    }
    for (const auto& property : networkFlagProperties()) property.set(net, !property.get(net));
    if (const auto printers = net.printerList()) {
        for (const auto& printer : *printers) {
            if (printer != net.DefaultPrinter()) {
                net.DefaultPrinter(printer);
                break;
            }
        }
    }

    for (browserConfig* browser : {document.getIEConfig(), document.getNNConfig()}) {
        if (browser == nullptr) continue;
        for (const auto& property : browserTextProperties()) {
            if (property.name == "CurrentDUN") continue;
            const bool port = property.name.find("Port") != std::string::npos;
            property.set(*browser, port ? "3128" : "elsewhere.home.example");
        }
        for (const auto& property : browserFlagProperties())
            property.set(*browser, !property.get(*browser));
        if (const auto connections = browser->DUNList()) {
            for (const auto& connection : *connections) {
                if (connection != browser->CurrentDUN()) {
                    browser->CurrentDUN(connection);
                    break;
                }
            }
        }
    }
}

// What the window's tabs do after a file has been opened: every value that differs from
// the one shown before goes through its setter, so the backend marks it changed.
template <typename Backend>
void passDifferingValues(Backend& backend, const std::vector<std::string>& shownTexts,
                         const std::vector<bool>& shownFlags, const auto& textProperties,
                         const auto& flagProperties) {
    for (std::size_t i = 0; i < textProperties.size(); ++i) {
        const auto loaded = textProperties[i].get(backend);
        if (loaded != shownTexts[i]) textProperties[i].set(backend, loaded);
    }
    for (std::size_t i = 0; i < flagProperties.size(); ++i) {
        const bool loaded = flagProperties[i].get(backend);
        if (loaded != shownFlags[i]) flagProperties[i].set(backend, loaded);
    }
}

template <typename Backend>
std::pair<std::vector<std::string>, std::vector<bool>> shownValues(const Backend& backend,
                                                                   const auto& textProperties,
                                                                   const auto& flagProperties) {
    std::vector<std::string> texts;
    std::vector<bool> flags;
    for (const auto& property : textProperties) texts.push_back(property.get(backend));
    for (const auto& property : flagProperties) flags.push_back(property.get(backend));
    return {texts, flags};
}

class RoundTripTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RoundTripTest, ApplyingTheSavedFileRestoresTheMachine) {
    testsupport::TestMachine machine(GetParam());
    testsupport::TempFolder folder;
    const std::string path = (folder.path() / "Office.rmw").string();
    const AddInList noAddIns;

    const Snapshot registryBefore = registrySnapshot();
    const Snapshot prefsBefore = navigatorPreferences(machine);
    {
        RmwConfig captured;
        ASSERT_EQ(captured.saveConfigurationFile(path, noAddIns), 1);
    }
    {
        RmwConfig elsewhere;
        moveElsewhere(elsewhere);
        elsewhere.applyConfiguration(noAddIns);
    }
    ASSERT_FALSE(differences(registryBefore, registrySnapshot()).empty());

    RmwConfig restoring;
    if (!prefsBefore.empty()) {
        ASSERT_FALSE(differences(prefsBefore, navigatorPreferences(machine)).empty())
            << "prefs.js was not changed";
    }
    netConfig& net = restoring.getNetConfig();
    const auto shownNet = shownValues(net, networkTextProperties(), networkFlagProperties());
    std::vector<std::pair<browserConfig*, std::pair<std::vector<std::string>, std::vector<bool>>>>
        shownBrowsers;
    for (browserConfig* browser : {restoring.getIEConfig(), restoring.getNNConfig()}) {
        if (browser)
            shownBrowsers.push_back(
                {browser, shownValues(*browser, browserTextProperties(), browserFlagProperties())});
    }

    ASSERT_EQ(restoring.loadConfigurationFile(path, noAddIns), 0);
    passDifferingValues(net, shownNet.first, shownNet.second, networkTextProperties(),
                        networkFlagProperties());
    for (auto& [browser, shown] : shownBrowsers) {
        passDifferingValues(*browser, shown.first, shown.second, browserTextProperties(),
                            browserFlagProperties());
    }
    EXPECT_FALSE(restoring.applyConfiguration(noAddIns));

    const auto registryLeft = differences(registryBefore, registrySnapshot());
    EXPECT_TRUE(registryLeft.empty()) << joined(registryLeft);
    const auto prefsLeft = differences(prefsBefore, navigatorPreferences(machine));
    EXPECT_TRUE(prefsLeft.empty()) << joined(prefsLeft);
}

INSTANTIATE_TEST_SUITE_P(Templates, RoundTripTest, ::testing::Values("win98", "nt4"));

}  // namespace
