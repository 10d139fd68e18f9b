// Starting programs and opening documents: real processes, not waited for.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/emulated/DesktopShell.h"
#include "platform/emulated/EventLog.h"
#include "platform/emulated/MachinePaths.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using platform::emulated::DesktopShell;
using platform::emulated::EventLog;
using platform::emulated::MachinePaths;

// The content of FILE once a started process has written it (up to ten seconds).
std::string awaitFile(const fs::path& file) {
    for (int i = 0; i < 1000; ++i) {
        std::ifstream stream(file);
        std::string line;
        if (stream && std::getline(stream, line) && !line.empty()) return line;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

class ShellTest : public ::testing::Test {
  protected:
    ShellTest() {
        fs::create_directories(drive / "Tools");
        fs::create_directories(drive / "Help");
        std::ofstream(drive / "Help" / "index.html") << "<html></html>";
        std::ofstream(drive / "Tools" / "mark") << "#!/bin/sh\necho \"$@\" > \"$1\"\n";
        fs::permissions(drive / "Tools" / "mark", fs::perms::owner_all);
    }

    testsupport::TempFolder temp;
    fs::path drive = temp.path() / "drive_c";
    MachinePaths paths{drive};
    EventLog log{temp.path() / "events.log"};
    // The "desktop" records what it was asked to open and where.
    DesktopShell shell{
        paths, log, {"/bin/sh", "-c", "echo \"$(pwd) $0\" > " + (temp.path() / "opened").string()}};
};

TEST_F(ShellTest, StartsAProgramByItsWindowsPathWithoutWaiting) {
    const fs::path marker = temp.path() / "started";
    ASSERT_TRUE(shell.startProgram("C:\\TOOLS\\Mark.exe", {marker.string(), "second arg"}));
    EXPECT_EQ(marker.string() + " second arg", awaitFile(marker));
    EXPECT_EQ("startProgram C:\\TOOLS\\Mark.exe " + marker.string() + " \"second arg\"",
              log.requests().at(0));
}

TEST_F(ShellTest, AProgramThatCannotBeStartedIsReported) {
    EXPECT_FALSE(shell.startProgram("C:\\Tools\\missing.exe", {}));
    EXPECT_FALSE(shell.startProgram("D:\\setup.exe", {}));
    EXPECT_EQ("startProgram C:\\Tools\\missing.exe (not started)", log.requests().at(0));
}

TEST_F(ShellTest, OpensADocumentWithTheDesktopHandler) {
    EXPECT_GT(shell.ShellExecuteA("", "C:\\help\\INDEX.HTML", "", "C:\\Tools"), 32);
    EXPECT_EQ((drive / "Tools").string() + " " + (drive / "Help" / "index.html").string(),
              awaitFile(temp.path() / "opened"));
    EXPECT_EQ("ShellExecuteA open C:\\help\\INDEX.HTML", log.requests().at(0));
}

TEST_F(ShellTest, AMissingDocumentOrAnUnknownVerbIsAnError) {
    EXPECT_EQ(2, shell.ShellExecuteA("", "C:\\help\\missing.html", "", "c:\\"));
    EXPECT_EQ(2, shell.ShellExecuteA("open", "D:\\index.html", "", ""));
    EXPECT_EQ(31, shell.ShellExecuteA("print", "C:\\help\\index.html", "", ""));
    EventLog otherLog{temp.path() / "other.log"};
    DesktopShell withoutOpener{paths, otherLog, {"/no/such/opener"}};
    EXPECT_EQ(31, withoutOpener.ShellExecuteA("open", "C:\\help\\index.html", "", ""));
    EXPECT_FALSE(fs::exists(temp.path() / "opened"));
}

}  // namespace
