// rmwctl addin list, register, unregister, enable and disable, run as a program against
// a throw-away machine of each template, with add-in libraries built by the tests.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/Win32.h"
#include "tests/config/AddInLibraryFixture.h"
#include "tests/tools/RmwctlRunner.h"

namespace addintest {
namespace {

class AddInVerbsTest : public AddInLibraryTest {
  protected:
    testsupport::RmwctlOutcome rmwctl(const std::vector<std::string>& arguments) {
        return runner_.run(arguments);
    }
    // The line of "addin list" that starts with NAME, or "".
    std::string listed(const std::string& name) {
        const auto outcome = rmwctl({"addin", "list"});
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        std::istringstream lines(outcome.out);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind(name + "\t", 0) == 0) return line;
        }
        return "";
    }
    bool isNT() const { return std::string(GetParam()) == "nt4"; }

    testsupport::RmwctlRunner runner_{machine().folder()};
};

TEST_P(AddInVerbsTest, RegisterListSwitchAndUnregisterEndToEnd) {
    // A path of this computer is registered as the machine path it stands for.
    const auto native = machine().machine().driveC() / "Program Files" / "Roamwise Test" /
                        "test_addin_good.so";
    auto outcome = rmwctl({"addin", "register", native.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "registered Test Add-In (RoamwiseTest.Good, version 1.2.3) from " +
                               library("test_addin_good") + "\n");
    outcome = rmwctl({"addin", "register", library("test_addin_failing"), "--name", "Fails...",
                      "--os", "NT"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;

    EXPECT_EQ(listed("Test Add-In"), "Test Add-In\tRoamwiseTest.Good\t*\ton\t" +
                                         library("test_addin_good") + "\t1.2.3\tyes");
    EXPECT_EQ(listed("Fails..."), "Fails...\tRoamwiseTest.Failing\tNT\ton\t" +
                                      library("test_addin_failing") + "\t1.2.3\t" +
                                      (isNT() ? "yes" : "no: registered for another platform"));
    EXPECT_EQ(rmwctl({"addin", "disable", "fails..."}).status, 0);
    EXPECT_NE(listed("Fails...").find("\tNT\toff\t"), std::string::npos);
    EXPECT_EQ(rmwctl({"addin", "enable", "Fails..."}).status, 0);
    EXPECT_NE(listed("Fails...").find("\tNT\ton\t"), std::string::npos);

    // The library's file gone: listed as not creatable, with the cause.
    std::filesystem::rename(native, native.string() + ".away");
    EXPECT_NE(listed("Test Add-In").find("\tno: ActiveX component can't create object (cannot load "),
              std::string::npos);
    std::filesystem::rename(native.string() + ".away", native);

    // Saving writes the sections of the add-ins switched on.
    outcome = rmwctl({"save", "C:\\office.rmw"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(win32::GetPrivateProfileStringA("Test Add-In", "Value", "(none)", "C:\\office.rmw"), "");

    outcome = rmwctl({"addin", "unregister", "Test Add-In"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(listed("Test Add-In"), "");
    EXPECT_EQ(rmwctl({"reg", "query", "HKCR\\RoamwiseTest.Good"}).status, 1);
    EXPECT_EQ(rmwctl({"reg", "query", "HKLM\\SOFTWARE\\Classes\\RoamwiseTest.Failing\\CLSID"}).status, 0);
}

TEST_P(AddInVerbsTest, BadRegistrationsSayWhyAndChangeNothing) {
    auto outcome = rmwctl({"addin", "register", library("test_addin_future")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("speaks add-in interface version 2, not 1"), std::string::npos)
        << outcome.err;
    outcome = rmwctl({"addin", "register", kFolder + "\\none.so"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("the file does not exist"), std::string::npos) << outcome.err;
    EXPECT_EQ(rmwctl({"addin", "register", library("test_addin_good"), "--os", "98"}).status, 2);
    EXPECT_EQ(rmwctl({"addin", "register"}).status, 2);
    EXPECT_EQ(rmwctl({"addin", "frobnicate"}).status, 2);
    outcome = rmwctl({"addin", "unregister", "Nobody"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("no add-in named 'Nobody' is registered"), std::string::npos);
    EXPECT_EQ(rmwctl({"addin", "enable", "Nobody"}).status, 1);
    EXPECT_EQ(rmwctl({"addin", "list"}).out, "NAME\tCLASS\tOS\tACTIVE\tFILE\tVERSION\tCREATABLE\n");
}

INSTANTIATE_TEST_SUITE_P(Templates, AddInVerbsTest, testing::Values("win98", "nt4"));

}  // namespace
}  // namespace addintest
