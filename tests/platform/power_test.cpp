// Session, power and broadcast requests recorded in the machine's event log.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "platform/emulated/EventLog.h"
#include "platform/emulated/EventLogPower.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using platform::emulated::EventLog;
using platform::emulated::EventLogPower;
using namespace win32;

class PowerTest : public ::testing::Test {
  protected:
    testsupport::TempFolder temp;
    EventLog log{temp.path() / "events.log"};
    EventLogPower power{log};
};

TEST_F(PowerTest, RequestsAreRecordedByNameAndSucceed) {
    EXPECT_NE(0, power.ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_NE(0, power.ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_NE(0, power.ExitWindowsEx(EWX_LOGOFF, 0));
    EXPECT_NE(0, power.ExitWindowsEx(EWX_REBOOT | EWX_FORCE | 0x100, 7));
    EXPECT_NE(0, power.SetSystemPowerState(1, 0));
    std::uintptr_t result = 99;
    EXPECT_NE(0, power.SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_NORMAL, 1000,
                                           &result));
    EXPECT_EQ(0u, result);
    EXPECT_NE(0, power.SendMessageTimeoutA(0x1234, 0x10, 1, -2, 0x3, 5, nullptr));
    const std::vector<std::string> expected = {
        "ExitWindowsEx EWX_REBOOT reserved=0",
        "ExitWindowsEx EWX_SHUTDOWN reserved=0",
        "ExitWindowsEx EWX_LOGOFF reserved=0",
        "ExitWindowsEx EWX_REBOOT|EWX_FORCE|0x100 reserved=7",
        "SetSystemPowerState suspend=TRUE force=FALSE",
        "SendMessageTimeoutA HWND_BROADCAST WM_WININICHANGE wParam=0 lParam=0 SMTO_NORMAL "
        "timeout=1000",
        "SendMessageTimeoutA hwnd=0x1234 msg=0x10 wParam=1 lParam=-2 SMTO_BLOCK|SMTO_ABORTIFHUNG "
        "timeout=5",
    };
    EXPECT_EQ(expected, log.requests());
}

TEST_F(PowerTest, EachLineStartsWithAnIsoTimestamp) {
    power.SetSystemPowerState(0, 1);
    std::ifstream file(log.file());
    std::string line;
    ASSERT_TRUE(std::getline(file, line));
    EXPECT_TRUE(std::regex_match(
        line,
        std::regex(
            R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ SetSystemPowerState suspend=FALSE force=TRUE)")))
        << line;
}

TEST_F(PowerTest, AnUnwritableLogIsAFailure) {
    EventLog missing{temp.path() / "no such folder" / "events.log"};
    EventLogPower unlogged{missing};
    EXPECT_EQ(0, unlogged.ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(
        0, unlogged.SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, 0, 1000, nullptr));
}

TEST_F(PowerTest, LineBreaksCannotForgeEntries) {
    log.record("first\nExitWindowsEx EWX_REBOOT reserved=0");
    EXPECT_EQ(std::vector<std::string>{"first ExitWindowsEx EWX_REBOOT reserved=0"},
              log.requests());
}

}  // namespace
