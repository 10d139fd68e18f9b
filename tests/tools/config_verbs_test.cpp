// rmwctl show and save, run as a program against throw-away machines: the text is what
// the configuration document saves, on both templates.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "config/RmwConfig.h"
#include "tests/support/TestMachine.h"
#include "tests/tools/RmwctlRunner.h"

namespace {

const std::string kHeader =
    ";--------------------------------------------\r\n"
    "; Roamwise Configuration File\r\n"
    ";\r\n"
    ";--------------------------------------------\r\n"
    "\r\n"
    "\r\n";

std::string readNative(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// What a document made in this process saves on the installed machine.
std::string savedInProcess(const testsupport::TempFolder& folder) {
    const auto path = folder.path() / "InProcess.rmw";
    RmwConfig document;
    document.ApplyIE(document.IEInstalled());
    document.ApplyNN(document.NNInstalled());
    document.saveConfigurationFile(path.string(), AddInList());
    return readNative(path);
}

class ConfigVerbs : public ::testing::TestWithParam<std::string> {};

TEST_P(ConfigVerbs, ShowPrintsWhatTheDocumentSaves) {
    testsupport::TestMachine machine(GetParam());
    testsupport::TempFolder folder;
    testsupport::TempFolder temporary;
    ::setenv("TMPDIR", temporary.path().c_str(), 1);
    const auto outcome = testsupport::RmwctlRunner(machine.folder()).run({"show"});
    ::unsetenv("TMPDIR");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(std::filesystem::is_empty(temporary.path())) << "show writes no file";
    EXPECT_EQ(outcome.out.substr(0, kHeader.size()), kHeader);
    const std::string navigator = GetParam() == "win98" ? "1" : "0";  // none on NT
    EXPECT_NE(outcome.out.find("[Enabled Sections]\r\nGeneral=1\r\nInternet Explorer=1\r\n"
                               "Netscape Navigator=" +
                               navigator + "\r\n"),
              std::string::npos);
    EXPECT_EQ(outcome.out, savedInProcess(folder));
    EXPECT_EQ(outcome.err, "");
}

TEST_P(ConfigVerbs, SaveWritesTheSameTextToTheFile) {
    testsupport::TestMachine machine(GetParam());
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    const auto shown = rmwctl.run({"show"});
    ASSERT_EQ(shown.status, 0) << shown.err;

    const auto native = folder.path() / "Office.rmw";
    auto outcome = rmwctl.run({"save", native.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(readNative(native), shown.out);

    outcome = rmwctl.run({"save", "C:\\Home.rmw"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(readNative(machine.machine().driveC() / "Home.rmw"), shown.out);
}

INSTANTIATE_TEST_SUITE_P(Templates, ConfigVerbs, ::testing::Values("win98", "nt4"));

TEST(ConfigVerbsErrors, AFileThatCannotBeWrittenIsAFailure) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const auto target = folder.path() / "missing" / "Office.rmw";
    const auto outcome = testsupport::RmwctlRunner(machine.folder()).run({"save", target.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("cannot save"), std::string::npos) << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing"));
}

// The system's message for a file it cannot write is the same for every cause; rmwctl
// adds which one it is.
TEST(ConfigVerbsErrors, AFileThatCannotBeWrittenIsToldWhy) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    std::filesystem::create_directories(folder.path() / "Folder.rmw");
    const std::pair<std::string, std::string> cases[] = {
        {(folder.path() / "missing" / "Office.rmw").string(), "(the folder Z:"},
        {(folder.path() / "Folder.rmw").string(), "(it is a folder)"},
        {"D:\\Office.rmw", "(the drive or network share does not exist)"},
    };
    for (const auto& [target, cause] : cases) {
        const auto outcome = rmwctl.run({"save", target});
        EXPECT_EQ(outcome.status, 1);
        EXPECT_NE(outcome.err.find("Path/File access error " + cause), std::string::npos)
            << outcome.err;
    }
}

// Permissions bind an ordinary user (never root): a read-only machine can still be read,
// a read-only file is named as such, and an unreadable configuration file is not called
// "not a Roamwise configuration file".
TEST(ConfigVerbsErrors, PermissionsAreToldAndAReadOnlyMachineCanBeRead) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    const auto office = folder.path() / "Office.rmw";
    ASSERT_EQ(rmwctl.run({"save", office.string()}).status, 0);
    namespace fs = std::filesystem;
    const auto readable = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const auto listable = readable | fs::perms::owner_exec | fs::perms::group_exec |
                          fs::perms::others_exec;
    fs::permissions(folder.path(), listable | fs::perms::owner_write);
    fs::permissions(office, readable);
    for (const auto& entry : fs::recursive_directory_iterator(machine.folder())) {
        fs::permissions(entry.path(), entry.is_directory() ? listable : readable);
    }
    fs::permissions(machine.folder(), listable);

    auto outcome = rmwctl.runUnprivileged({"reg", "query", "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_FALSE(outcome.out.empty());
    outcome = rmwctl.runUnprivileged({"show"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, readNative(office));

    outcome = rmwctl.runUnprivileged({"save", office.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("(the file is read-only)"), std::string::npos) << outcome.err;
    fs::permissions(office, fs::perms::none);
    outcome = rmwctl.runUnprivileged({"diff", office.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("cannot read '" + office.string() + "': Permission denied"),
              std::string::npos)
        << outcome.err;

    fs::permissions(machine.folder(), fs::perms::owner_all);
    for (const auto& entry : fs::recursive_directory_iterator(machine.folder())) {
        fs::permissions(entry.path(), fs::perms::owner_all);
    }
}

TEST(ConfigVerbsErrors, WrongArgumentsAreUsageErrors) {
    testsupport::TestMachine machine("win98");
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"show", "extra"},
                                                      {"save"},
                                                      {"save", "a.rmw", "b.rmw"},
                                                      {"save", ""}}) {
        const auto outcome = rmwctl.run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments[0] << " with " << arguments.size() - 1;
        EXPECT_EQ(outcome.out, "");
    }
}

}  // namespace
