// Installing add-in libraries: self-registration in the object registry together with
// the registration in the settings store, both or neither.

#include <gtest/gtest.h>

#include "config/AddInClasses.h"
#include "config/AddInRegistration.h"
#include "platform/RaisedError.h"
#include "settings/SettingsStore.h"
#include "tests/config/AddInLibraryFixture.h"

namespace addintest {
namespace {

using Names = std::vector<std::string>;
using AddInRegistrations = AddInLibraryTest;

Names registeredNames() {
    Names names;
    for (const auto& addIn : addins::registrations()) names.push_back(addIn.name);
    return names;
}

std::string setting(const std::string& section, const std::string& key) {
    return SettingsStore().GetSetting(kAppName, section, key, "(missing)");
}

// Raises a RaisedError whose number is NUMBER and whose text holds CAUSE.
template <typename Call>
void expectRefused(Call&& call, std::int32_t number, const std::string& cause) {
    try {
        call();
        ADD_FAILURE() << "not refused: " << cause;
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), number) << error.Description();
        EXPECT_NE(error.Description().find(cause), std::string::npos) << error.Description();
    }
}

TEST_P(AddInRegistrations, RegisteringWritesTheClassesAndTheSettingsAndUnregisteringRemovesBoth) {
    const AddInRegistration made =
        addinregistry::registerLibrary(library("test_addin_good"), "", "nt");
    EXPECT_EQ(made.name, "Test Add-In");
    EXPECT_EQ(setting("Add-Ins\\Test Add-In", "Class"), "RoamwiseTest.Good");
    EXPECT_EQ(setting("Add-Ins\\Test Add-In", "OS"), "NT");
    EXPECT_EQ(setting("Add-Ins\\Test Add-In", "Active"), "1");
    EXPECT_EQ(setting("Add-Ins\\Test Add-In", "File"), library("test_addin_good"));
    EXPECT_EQ(setting("Add-Ins\\Test Add-In", "Version"), "1.2.3");
    EXPECT_TRUE(classKeyExists("CLSID\\" + kGoodClsid + "\\InprocServer32"));
    EXPECT_TRUE(classKeyExists("RoamwiseTest.Good\\CLSID"));

    // A second registration of the same library under a name ending in dots.
    addinregistry::registerLibrary(library("test_addin_good"), "Hosts...", "*");
    addinregistry::setActive("HOSTS...", false);
    EXPECT_EQ(setting("Add-Ins\\Hosts...", "Active"), "0");
    EXPECT_EQ(registeredNames(), (Names{"Test Add-In", "Hosts..."}));

    // The class stays while another add-in uses it.
    addinregistry::unregisterAddIn("test add-in");
    EXPECT_EQ(registeredNames(), Names{"Hosts..."});
    EXPECT_EQ(setting("Add-Ins\\Test Add-In", "Class"), "(missing)");
    EXPECT_NE(createAddInObject("RoamwiseTest.Good"), nullptr);
    addinregistry::unregisterAddIn("Hosts...");
    EXPECT_EQ(registeredNames(), Names{});
    EXPECT_FALSE(classKeyExists("RoamwiseTest.Good"));
    EXPECT_FALSE(classKeyExists("CLSID\\" + kGoodClsid));
    EXPECT_TRUE(classKeyExists("CLSID"));
    expectRefused([] { addinregistry::unregisterAddIn("Hosts..."); }, 35601, "no add-in named");
    expectRefused([] { addinregistry::setActive("Nobody", true); }, 35601, "no add-in named");
}

TEST_P(AddInRegistrations, ARefusedRegistrationLeavesNothingBehind) {
    addinregistry::registerLibrary(library("test_addin_good"), "", "*");
    const auto before = addins::registrations();
    expectRefused([] { addinregistry::registerLibrary(library("test_addin_good"), "", "*"); },
                  457, "'Test Add-In' is registered already");
    expectRefused([] { addinregistry::registerLibrary(library("test_addin_future"), "", "*"); },
                  429, "version 2");
    expectRefused([] { addinregistry::registerLibrary(library("test_not_an_addin"), "", "*"); },
                  429, "exports no rmw_addin_entry");
    expectRefused([] { addinregistry::registerLibrary(kFolder + "\\none.so", "", "*"); }, 429,
                  "does not exist");
    expectRefused([] { addinregistry::registerLibrary(library("test_addin_failing"), "", "98"); },
                  5, "95, NT or *");
    expectRefused([] { addinregistry::registerLibrary(library("test_addin_failing"), "A\\B", "*"); },
                  5, "backslash");
    expectRefused([] { addinregistry::registerLibrary(library("test_addin_failing"), "Tab\tName", "*"); },
                  5, "control character");
    EXPECT_EQ(registeredNames(), Names{"Test Add-In"});
    EXPECT_EQ(addins::registrations().size(), before.size());
    EXPECT_FALSE(classKeyExists("RoamwiseTest.Failing"));
    EXPECT_FALSE(classKeyExists("RoamwiseTest.Future"));
}

TEST_P(AddInRegistrations, UnregisteringALibraryWhoseFileIsGoneRemovesItsClassesAnyway) {
    addinregistry::registerLibrary(library("test_addin_good"), "Good", "*");
    std::filesystem::copy_file(machine().machine().driveC() / "Program Files" / "Roamwise Test" /
                                   "test_addin_failing.so",
                               machine().machine().driveC() / "failing.so");
    addinregistry::registerLibrary("C:\\failing.so", "Failing", "*");
    std::filesystem::remove(machine().machine().driveC() / "failing.so");
    addinregistry::unregisterAddIn("Failing");
    EXPECT_FALSE(classKeyExists("RoamwiseTest.Failing"));
    EXPECT_FALSE(classKeyExists("CLSID\\{0B5E6D1A-7C11-4E2B-9A01-000000000004}"));
    EXPECT_TRUE(classKeyExists("RoamwiseTest.Good"));
    EXPECT_EQ(registeredNames(), Names{"Good"});
}

INSTANTIATE_TEST_SUITE_P(Templates, AddInRegistrations, testing::Values("win98", "nt4"));

}  // namespace
}  // namespace addintest
