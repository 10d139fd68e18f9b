// Carrying out restart choices: the power requests each code makes on the machine, the
// stored default choice, and a power function that cannot be called at all.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/logic/RestartChoice.h"
#include "app/logic/restartSystem.h"
#include "tests/support/TestMachine.h"

namespace {

using platform::MsgBoxIcon;

class RestartSystemTest : public ::testing::Test {
  protected:
    testsupport::TestMachine machine_{"win98"};
};

TEST_F(RestartSystemTest, EachCodeMakesItsOwnPowerRequest) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"0", {}},
        {"1", {"ExitWindowsEx EWX_REBOOT reserved=0"}},
        {"2", {"ExitWindowsEx EWX_SHUTDOWN reserved=0"}},
        {"3", {"SetSystemPowerState suspend=TRUE force=FALSE"}},
        {"4", {}},
        {"reboot", {}},
    };
    std::vector<std::string> expected;
    for (const auto& [code, requests] : cases) {
        std::string choice = code;
        restartSystem(choice);
        EXPECT_EQ(choice, code);
        expected.insert(expected.end(), requests.begin(), requests.end());
        EXPECT_EQ(machine_.powerRequests(), expected) << "after code " << code;
    }
    EXPECT_TRUE(machine_.ui().messages().empty());
}

TEST_F(RestartSystemTest, AnEmptyCodeTakesTheStoredChoice) {
    std::string choice;
    restartSystem(choice);
    EXPECT_EQ(choice, "0");  // nothing stored: restart by hand
    EXPECT_TRUE(machine_.powerRequests().empty());

    RestartChoice::store(RestartChoice::kShutdown);
    choice.clear();
    restartSystem(choice);
    EXPECT_EQ(choice, "2");
    EXPECT_EQ(machine_.powerRequests(),
              std::vector<std::string>{"ExitWindowsEx EWX_SHUTDOWN reserved=0"});
}

TEST_F(RestartSystemTest, AutomaticRestartTellsTheUserOnlyWhenLeftToRestartByHand) {
    restartAutomatically();
    ASSERT_EQ(machine_.ui().messages().size(), 1u);
    EXPECT_EQ(machine_.ui().messages()[0].text, kManualRestartMessage);
    EXPECT_EQ(machine_.ui().messages()[0].icon, MsgBoxIcon::Information);
    EXPECT_EQ(machine_.ui().messages()[0].caption, "Roamwise");

    machine_.ui().clear();
    RestartChoice::store(RestartChoice::kSuspend);
    restartAutomatically();
    EXPECT_TRUE(machine_.ui().messages().empty());
    EXPECT_EQ(machine_.powerRequests(),
              std::vector<std::string>{"SetSystemPowerState suspend=TRUE force=FALSE"});

    // A stored choice nobody knows restarts nothing and says nothing.
    RestartChoice::store("7");
    restartAutomatically();
    EXPECT_TRUE(machine_.ui().messages().empty());
    EXPECT_EQ(machine_.powerRequests().size(), 1u);
}

// A system without the power functions: every call fails to be made at all.
class MissingPowerFunctions : public platform::Power {
  public:
    win32::BOOL ExitWindowsEx(win32::UINT, win32::DWORD) override {
        throw std::runtime_error("ExitWindowsEx is not offered");
    }
    win32::BOOL SetSystemPowerState(win32::BOOL, win32::BOOL) override {
        throw std::runtime_error("SetSystemPowerState is not offered");
    }
    long SendMessageTimeoutA(win32::HWND, win32::UINT, std::uintptr_t, std::intptr_t, win32::UINT,
                             win32::UINT, std::uintptr_t*) override {
        return 0;
    }
};

TEST_F(RestartSystemTest, APowerFunctionThatCannotBeCalledIsReported) {
    MissingPowerFunctions missing;
    platform::Services services = machine_.services();
    services.power = &missing;
    machine_.install(services);

    for (const char* code : {"1", "2", "3"}) {
        std::string choice = code;
        restartSystem(choice);
    }
    std::string manual = "0";
    restartSystem(manual);

    ASSERT_EQ(machine_.ui().messages().size(), 3u);
    for (const auto& message : machine_.ui().messages()) {
        EXPECT_EQ(message.text, "Error occurred while attempting to reset PC");
        EXPECT_EQ(message.icon, MsgBoxIcon::Exclamation);
        EXPECT_EQ(message.caption, "Roamwise");
    }
}

}  // namespace
