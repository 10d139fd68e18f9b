// Add-in objects made by add-in libraries: creation through the object registry, every
// way creation fails, calls and their errors, values both ways, and the services the
// host gives the objects.

#include <gtest/gtest.h>

#include <fstream>
#include <limits>

#include "config/AddInCalls.h"
#include "config/AddInClasses.h"
#include "config/AddInRegistration.h"
#include "config/StagedFile.h"
#include "platform/RaisedError.h"
#include "tests/config/AddInLibraryFixture.h"

namespace addintest {
namespace {

using platform::MsgBoxResult;

std::string readNative(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

// The error CALL raises; fails the test when it raises none.
template <typename Call>
RaisedError raised(Call&& call) {
    try {
        call();
    } catch (const RaisedError& error) {
        return error;
    }
    ADD_FAILURE() << "no error was raised";
    return RaisedError(0, "", "");
}

void expectCannotCreate(const std::string& classId, const std::string& cause) {
    const RaisedError error = raised([&] { createAddInObject(classId); });
    EXPECT_EQ(error.Number(), 429) << classId;
    EXPECT_EQ(error.Source(), classId);
    EXPECT_EQ(error.Description().rfind("ActiveX component can't create object (", 0), 0u)
        << error.Description();
    EXPECT_NE(error.Description().find(cause), std::string::npos) << error.Description();
}

using AddInObjects = AddInLibraryTest;

TEST_P(AddInObjects, ALibraryMakesItsObjectsThroughTheObjectRegistryWithTheMachinePath) {
    addinregistry::registerLibrary(library("test_addin_good"), "", "*");
    const auto first = createAddInObject("RoamwiseTest.Good");
    auto second = createAddInObject("roamwisetest.GOOD");  // any case
    const auto byClassId = createAddInObject(kGoodClsid);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->classId(), "RoamwiseTest.Good");
    // One library, loaded once: all three objects are counted by the same copy of it.
    EXPECT_EQ(first->getProperty("LiveObjects"), AutomationValue(3));
    second.reset();
    EXPECT_EQ(first->getProperty("liveobjects"), AutomationValue(2));

    // Every member the program calls.
    const std::string file = "C:\\office.rmw";
    win32::WritePrivateProfileStringA("Test Add-In", "Value", "office", file);
    win32::WritePrivateProfileStringA("Test Add-In", "Restart", "1", file);
    addins::loadSettings(*first, file);
    EXPECT_EQ(first->getProperty("Value"), AutomationValue(std::string("office")));
    EXPECT_TRUE(addins::restart(*first));
    addins::saveSettings(*first, "C:\\copy.rmw");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Test Add-In", "Value", "", "C:\\copy.rmw"), "office");
    addins::applySettings(*first);
    EXPECT_EQ(readNative(machine().machine().driveC() /
                         (std::string(GetParam()) == "nt4" ? "WINNT" : "WINDOWS") / "TESTADDN.TXT"),
              "office");
    machine().ui().queueAnswer(MsgBoxResult::Yes);
    addins::Show(*first);
    EXPECT_TRUE(addins::Changed(*first));
    addins::about(*first);
    ASSERT_EQ(machine().ui().messages().size(), 2u);
    EXPECT_EQ(machine().ui().messages()[0].caption, "Test Add-In");
    EXPECT_EQ(machine().ui().messages()[0].buttons, platform::MsgBoxButtons::YesNo);
    EXPECT_EQ(machine().ui().messages()[1].text, "Test Add-In 1.2.3");
    EXPECT_EQ(first->getProperty("Calls"), AutomationValue(11));  // this read included
}

TEST_P(AddInObjects, EveryFailedCreationIsError429NamingItsCause) {
    expectCannotCreate("Nobody.Registered", "Nobody.Registered is not registered");
    setClassText("Half.Registered\\CLSID", "{99}");
    expectCannotCreate("Half.Registered", "CLSID\\{99}\\InprocServer32 is missing");
    registerClass("Gone.Library", "{98}", kFolder + "\\gone.so");
    expectCannotCreate("Gone.Library", "cannot load " + kFolder + "\\gone.so: the file does not exist");
    registerClass("Not.AnAddIn", "{97}", library("test_not_an_addin"));
    expectCannotCreate("Not.AnAddIn", "it exports no rmw_addin_entry");
    registerClass("RoamwiseTest.Future", "{96}", library("test_addin_future"));
    expectCannotCreate("RoamwiseTest.Future", "it speaks add-in interface version 2, not 1");
    registerClass("RoamwiseTest.Refused", "{95}", library("test_addin_failing"));
    expectCannotCreate("RoamwiseTest.Refused", "this library makes no RoamwiseTest.Refused");
    {
        std::ofstream(machine().machine().driveC() / "Program Files" / "Roamwise Test" / "text.so")
            << "no library at all";
    }
    registerClass("Text.Library", "{94}", kFolder + "\\text.so");
    expectCannotCreate("Text.Library", "cannot load " + kFolder + "\\text.so: ");
    // A library that failed once is tried afresh: it may have been put right meanwhile.
    std::filesystem::copy_file(
        machine().machine().driveC() / "Program Files" / "Roamwise Test" / "test_addin_good.so",
        machine().machine().driveC() / "Program Files" / "Roamwise Test" / "gone.so");
    registerClass("Gone.Library", "{98}", kFolder + "\\gone.so");
    expectCannotCreate("Gone.Library", "this library makes no Gone.Library");
}

TEST_P(AddInObjects, FailedCallsRaiseTheAddInsErrorsAndTheObjectKeepsWorking) {
    registerClass("RoamwiseTest.NoAbout", "{93}", library("test_addin_no_about"));
    const auto noAbout = createAddInObject("RoamwiseTest.NoAbout");
    RaisedError error = raised([&] { addins::about(*noAbout); });
    EXPECT_EQ(error.Number(), 438);
    EXPECT_EQ(error.Source(), "RoamwiseTest.NoAbout");
    EXPECT_EQ(error.Description(), "Object doesn't support this property or method");
    EXPECT_EQ(raised([&] { noAbout->getProperty("Missing"); }).Number(), 438);
    error = raised([&] { noAbout->invokeMethod("Echo", {}); });
    EXPECT_EQ(error.Number(), 450);
    EXPECT_EQ(error.Description(), "Wrong number of arguments or invalid property assignment");

    registerClass("RoamwiseTest.Failing", "{92}", library("test_addin_failing"));
    const auto failing = createAddInObject("RoamwiseTest.Failing");
    error = raised([&] { addins::applySettings(*failing); });
    EXPECT_EQ(error.Number(), 1001);
    EXPECT_EQ(error.Source(), "Failing Test Add-In");
    EXPECT_EQ(error.Description(), "the hosts file is locked");
    EXPECT_EQ(raised([&] { addins::Show(*failing); }).Number(), 450);
    error = raised([&] { failing->invokeMethod("Explode", {}); });
    EXPECT_EQ(error.Number(), 440);
    EXPECT_EQ(error.Description(), "Automation error: the add-in's Explode failed with an exception");
    error = raised([&] { failing->invokeMethod("Vague", {}); });
    EXPECT_EQ(error.Number(), 440);
    EXPECT_EQ(error.Description(), "Automation error in Vague");
    error = raised([&] { addins::restart(*failing); });  // an answer of no known kind
    EXPECT_EQ(error.Number(), 13);
    EXPECT_EQ(error.Description(), "Type mismatch");
    EXPECT_EQ(failing->getProperty("Calls"), AutomationValue(6));
}

TEST_P(AddInObjects, ValuesCrossTheBoundaryUnchangedBothWays) {
    registerClass("RoamwiseTest.Good", kGoodClsid, library("test_addin_good"));
    const auto addIn = createAddInObject("RoamwiseTest.Good");
    const std::string bytes("a\0\xE9\xFF z", 6);
    for (const AutomationValue& value :
         {AutomationValue(), AutomationValue(true), AutomationValue(false),
          AutomationValue(std::numeric_limits<std::int32_t>::min()),
          AutomationValue(std::numeric_limits<std::int32_t>::max()), AutomationValue(-0.25),
          AutomationValue(std::string()), AutomationValue(bytes)}) {
        EXPECT_EQ(addIn->invokeMethod("Echo", {value}), value) << value.index();
    }
    EXPECT_EQ(addIn->getProperty("Nothing"), AutomationValue());
}

TEST_P(AddInObjects, HostServicesActOnTheMachineAndJoinSavesAndApplies) {
    registerClass("RoamwiseTest.Good", kGoodClsid, library("test_addin_good"));
    const auto addIn = createAddInObject("RoamwiseTest.Good");
    const auto drive = machine().machine().driveC();
    { std::ofstream(drive / "hosts.txt", std::ios::binary) << "127.0.0.1 localhost\r\n"; }
    EXPECT_EQ(addIn->invokeMethod("ReadFile", {std::string("C:\\HOSTS.TXT")}),
              AutomationValue(std::string("127.0.0.1 localhost\r\n")));
    EXPECT_EQ(addIn->invokeMethod("ReadFile", {std::string("C:\\none.txt")}), AutomationValue(2));
    EXPECT_EQ(addIn->invokeMethod("ReadFile", {std::string("C:\\none\\x.txt")}), AutomationValue(3));
    EXPECT_EQ(addIn->invokeMethod("SystemDirectory", {}),
              AutomationValue(win32::GetSystemDirectoryA()));
    win32::WritePrivateProfileStringA("Test Add-In", "Value", "v", "C:\\keys.rmw");
    win32::WritePrivateProfileStringA("Test Add-In", "Restart", "0", "C:\\keys.rmw");
    EXPECT_EQ(addIn->invokeMethod("KeyNames", {std::string("C:\\keys.rmw")}),
              AutomationValue(std::string("Value,Restart")));

    // A save: the add-in's section lands in the file being saved, all at once.
    {
        StagedFile saved("C:\\saved.rmw", "");
        addIn->invokeMethod("SetValue", {std::string("home")});
        addins::saveSettings(*addIn, saved.path());
        EXPECT_FALSE(std::filesystem::exists(drive / "saved.rmw"));
        saved.commit();
    }
    EXPECT_EQ(win32::GetPrivateProfileStringA("Test Add-In", "Value", "", "C:\\saved.rmw"), "home");

    // An apply: the add-in's file changes only with the apply, and not when it is undone.
    const auto written = drive / (std::string(GetParam()) == "nt4" ? "WINNT" : "WINDOWS") / "TESTADDN.TXT";
    platform::Registry& registry = platform::registry();
    ASSERT_TRUE(registry.beginTransaction(5));
    addins::applySettings(*addIn);
    EXPECT_FALSE(std::filesystem::exists(written));
    registry.rollbackTransaction();
    EXPECT_FALSE(std::filesystem::exists(written));
    ASSERT_TRUE(registry.beginTransaction(5));
    addins::applySettings(*addIn);
    ASSERT_TRUE(registry.commitTransaction());
    EXPECT_EQ(readNative(written), "home");
}

INSTANTIATE_TEST_SUITE_P(Templates, AddInObjects, testing::Values("win98", "nt4"));

}  // namespace
}  // namespace addintest
