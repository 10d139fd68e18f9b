// rmwctl events, run as a program against a throw-away machine.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "platform/Win32.h"
#include "tests/support/TestMachine.h"
#include "tests/tools/RmwctlRunner.h"

namespace {

class EventVerbsTest : public ::testing::Test {
  protected:
    testsupport::TestMachine machine{"win98"};
    testsupport::RmwctlRunner rmwctl{machine.folder()};
};

TEST_F(EventVerbsTest, AFreshMachineHasNoEvents) {
    const auto outcome = rmwctl.run({"events"});
    EXPECT_EQ(0, outcome.status) << outcome.err;
    EXPECT_EQ("", outcome.out);
}

TEST_F(EventVerbsTest, PrintsWhatTheMachineWasAskedInOrder) {
    win32::ExitWindowsEx(win32::EWX_REBOOT, 0);
    win32::SendMessageTimeoutA(win32::HWND_BROADCAST, win32::WM_WININICHANGE, 0, 0,
                               win32::SMTO_NORMAL, 1000, nullptr);
    const auto outcome = rmwctl.run({"events"});
    EXPECT_EQ(0, outcome.status) << outcome.err;
    EXPECT_TRUE(std::regex_match(
        outcome.out,
        std::regex("\\S+Z ExitWindowsEx EWX_REBOOT reserved=0\n"
                   "\\S+Z SendMessageTimeoutA HWND_BROADCAST WM_WININICHANGE wParam=0 lParam=0 "
                   "SMTO_NORMAL timeout=1000\n")))
        << outcome.out;
}

TEST_F(EventVerbsTest, ArgumentsAreAUsageErrorAndABrokenMachineAFailure) {
    EXPECT_EQ(2, rmwctl.run({"events", "all"}).status);
    testsupport::TempFolder work;
    std::ofstream(work.path() / "not-a-machine") << "x";
    testsupport::RmwctlRunner broken{work.path() / "not-a-machine"};
    EXPECT_EQ(1, broken.run({"events"}).status);
}

}  // namespace
