// rmwctl machine init, run as a program.

#include <gtest/gtest.h>

#include <fstream>

#include "platform/emulated/Machine.h"
#include "tests/support/TestMachine.h"
#include "tests/tools/RmwctlRunner.h"

namespace {

using platform::emulated::Machine;
using testsupport::RmwctlRunner;
using testsupport::TempFolder;

TEST(MachineVerbs, InitMakesAMachineFromTheChosenTemplate) {
    TempFolder temp;
    RmwctlRunner rmwctl(temp.path() / "unused");
    auto outcome =
        rmwctl.run({"machine", "init", "--template", "nt4", (temp.path() / "nt").string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "Created a Windows NT 4.0 machine in " + (temp.path() / "nt").string() + "\n");
    EXPECT_TRUE(Machine::open(temp.path() / "nt")->description().isNT());
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "unused"));
}

TEST(MachineVerbs, InitWithoutAFolderUsesRoamwiseMachineAndWindows98) {
    TempFolder temp;
    RmwctlRunner rmwctl(temp.path() / "named");
    auto outcome = rmwctl.run({"machine", "init"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Machine::open(temp.path() / "named")->description().platform, "Windows 98");
}

TEST(MachineVerbs, InitNeverReplacesAMachine) {
    testsupport::TestMachine existing("win98");
    std::ofstream(existing.machine().driveC() / "mine.txt") << "keep";
    RmwctlRunner rmwctl(existing.folder());
    auto outcome = rmwctl.run({"machine", "init", "--template", "nt4"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("already holds a machine"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1);  // one line
    EXPECT_TRUE(std::filesystem::exists(existing.machine().driveC() / "mine.txt"));
    EXPECT_FALSE(Machine::open(existing.folder())->description().isNT());
}

TEST(MachineVerbs, InitOnAPlainFileSaysSo) {
    testsupport::TempFolder folder;
    const auto file = folder.path() / "machine";
    std::ofstream(file) << "not a folder";
    const auto outcome = RmwctlRunner(folder.path()).run({"machine", "init", file.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("is a file, not a folder"), std::string::npos) << outcome.err;
}

TEST(MachineVerbs, UsageErrorsExitTwo) {
    TempFolder temp;
    RmwctlRunner rmwctl(temp.path() / "m");
    EXPECT_EQ(rmwctl.run({"machine", "init", "--template", "win2000"}).status, 2);
    EXPECT_EQ(rmwctl.run({"machine", "init", "--template"}).status, 2);
    EXPECT_EQ(rmwctl.run({"machine", "init", "a", "b"}).status, 2);
    EXPECT_EQ(rmwctl.run({"machine", "init", ""}).status, 2);
    EXPECT_EQ(rmwctl.run({"machine", "start"}).status, 2);
    EXPECT_EQ(rmwctl.run({"machine"}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "m"));
}

TEST(MachineVerbs, EveryVerbDocumentsItselfWithHelp) {
    TempFolder temp;
    RmwctlRunner rmwctl(temp.path() / "m");
    for (const std::string verb : {"adapters", "convert", "events", "machine", "profile", "reg",
                                   "save", "settings", "show"}) {
        for (const std::string option : {"--help", "-h"}) {
            auto outcome = rmwctl.run({verb, option});
            EXPECT_EQ(outcome.status, 0) << verb << " " << option << ": " << outcome.err;
            EXPECT_EQ(outcome.out.rfind(verb + " ", 0), 0u) << outcome.out;
            EXPECT_EQ(outcome.err, "");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "m"));
}

// A full disk behind the output must not pass for success: a script's backup
// would be cut short without anyone knowing.
TEST(MachineVerbs, OutputThatCannotBeWrittenIsAFailure) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    testsupport::TestMachine machine("win98");
    RmwctlRunner rmwctl(machine.folder());
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"reg", "export", "HKEY_LOCAL_MACHINE"},
          {"reg", "query", "HKLM\\Network\\Logon"}, {"show"}, {"--help"}}) {
        auto outcome = rmwctl.runWithOutputTo("/dev/full", arguments);
        EXPECT_EQ(outcome.status, 1) << arguments[0];
        EXPECT_NE(outcome.err.find("standard output"), std::string::npos) << outcome.err;
    }
}

}  // namespace
