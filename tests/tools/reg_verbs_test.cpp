// rmwctl reg query, add, delete, import and export, run as a program against a
// throw-away machine.

#include <gtest/gtest.h>

#include <fstream>

#include "platform/Win32.h"
#include "platform/emulated/RegistryDatabase.h"
#include "platform/emulated/SqliteRegistry.h"
#include "tests/support/TestMachine.h"
#include "tests/tools/RmwctlRunner.h"

namespace {

using testsupport::RmwctlOutcome;

class RegVerbsTest : public testing::TestWithParam<const char*> {
  protected:
    RmwctlOutcome rmwctl(const std::vector<std::string>& arguments) {
        return runner_.run(arguments);
    }
    void expectOk(const std::vector<std::string>& arguments) {
        auto outcome = rmwctl(arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
    }
    // The value as the program under test would read it.
    std::string read(const char* path, const char* name, win32::DWORD* type = nullptr) {
        win32::HKEY key = 0;
        if (win32::RegOpenKeyExA(win32::HKEY_CURRENT_USER, path, 0, win32::KEY_READ, &key) != 0) {
            return "(no key)";
        }
        char data[256];
        win32::DWORD size = sizeof data;
        auto result = win32::RegQueryValueExA(key, name, nullptr, type,
                                              reinterpret_cast<win32::BYTE*>(data), &size);
        win32::RegCloseKey(key);
        return result == 0 ? std::string(data, size) : "(no value)";
    }
    std::string writeFile(const std::string& name, const std::string& text) {
        auto path = (files_.path() / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    testsupport::TestMachine machine_{GetParam()};
    testsupport::RmwctlRunner runner_{machine_.folder()};
    testsupport::TempFolder files_;
};

INSTANTIATE_TEST_SUITE_P(Reg, RegVerbsTest, testing::Values("win98", "nt4"));

TEST_P(RegVerbsTest, AddWritesEveryTypeAndQueryLaysThemOutAsRegDoes) {
    const std::string key = "HKEY_CURRENT_USER\\Software\\Tool";
    expectOk({"reg", "add", key, "--value", "Text", "--data", "C:\\WINDOWS"});
    expectOk({"reg", "add", key, "--value", "", "--type", "REG_SZ", "--data", "default"});
    expectOk(
        {"reg", "add", key, "--value", "Path", "--type", "REG_EXPAND_SZ", "--data", "%WINDIR%"});
    expectOk({"reg", "add", key, "--value", "Bytes", "--type", "REG_BINARY", "--data", "0100fF"});
    expectOk(
        {"reg", "add", key, "--value", "Count", "--type", "REG_DWORD", "--data", "4294967295"});
    expectOk({"reg", "add", key, "--value", "Flag", "--type", "reg_dword", "--data", "0x1A"});
    expectOk(
        {"reg", "add", key, "--value", "List", "--type", "REG_MULTI_SZ", "--data", "one\\0two"});
    expectOk({"reg", "add", "HKCU\\Software\\Tool\\Child"});

    win32::DWORD type = 0;
    EXPECT_EQ(read("Software\\Tool", "Text", &type), std::string("C:\\WINDOWS\0", 11));
    EXPECT_EQ(type, win32::REG_SZ);
    EXPECT_EQ(read("Software\\Tool", "Bytes", &type), std::string("\x01\x00\xff", 3));
    EXPECT_EQ(type, win32::REG_BINARY);
    EXPECT_EQ(read("Software\\Tool", "Flag"), std::string("\x1a\0\0\0", 4));
    EXPECT_EQ(read("Software\\Tool", "List", &type), std::string("one\0two\0\0", 9));
    EXPECT_EQ(type, win32::REG_MULTI_SZ);

    auto outcome = rmwctl({"reg", "query", "hkcu\\Software\\Tool"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "HKEY_CURRENT_USER\\Software\\Tool\n"
              "    Text    REG_SZ    C:\\WINDOWS\n"
              "    (Default)    REG_SZ    default\n"
              "    Path    REG_EXPAND_SZ    %WINDIR%\n"
              "    Bytes    REG_BINARY    0100FF\n"
              "    Count    REG_DWORD    0xffffffff\n"
              "    Flag    REG_DWORD    0x1a\n"
              "    List    REG_MULTI_SZ    one\\0two\n"
              "\n"
              "HKEY_CURRENT_USER\\Software\\Tool\\Child\n");
    outcome = rmwctl({"reg", "query", key, "--value", "count"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, key + "\n    count    REG_DWORD    0xffffffff\n\n");
}

TEST_P(RegVerbsTest, MissingKeysAndValuesExitOneWithOneLine) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"reg", "query", "HKEY_CURRENT_USER\\Nothing"},
             {"reg", "query", "HKEY_CURRENT_USER\\Software", "--value", "Nothing"},
             {"reg", "delete", "HKEY_CURRENT_USER\\Nothing"},
             {"reg", "delete", "HKEY_CURRENT_USER\\Software", "--value", "Nothing"},
             {"reg", "export", "HKEY_CURRENT_USER\\Nothing"},
             {"reg", "import", (files_.path() / "absent.reg").string()}}) {
        auto outcome = rmwctl(arguments);
        EXPECT_EQ(outcome.status, 1) << arguments[1];
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    }
}

TEST_P(RegVerbsTest, BadArgumentsExitTwoAndWriteNothing) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--type", "REG_BINARY", "--data", "123"},
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--type", "REG_BINARY", "--data", "zz"},
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--type", "REG_DWORD", "--data",
              "4294967296"},
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--type", "REG_DWORD", "--data", "-1"},
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--type", "REG_DWORD", "--data",
              "99999999999999999999999"},
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--type", "REG_DWORD", "--data",
              "0x000000001FFFFFFFF"},
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--type", "REG_DWORD"},
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--type", "REG_QWORD", "--data", "1"},
             {"reg", "add", "HKCU\\Bad", "--data", "1"},
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--value", "w", "--data", "1"},
             {"reg", "add", "HKCU\\Bad", "--value", "v", "--data", "1", "--data", "2"},
             {"reg", "add", "HKLMX\\Bad"},
             {"reg", "add", "HKCU\\Bad", "--colour", "red"},
             {"reg", "delete", "HKEY_CURRENT_USER"},
             {"reg", "query"},
             {"reg", "rename", "HKCU\\Bad"},
             {"reg"}}) {
        auto outcome = rmwctl(arguments);
        EXPECT_EQ(outcome.status, 2) << outcome.err;
    }
    EXPECT_EQ(read("Bad", "v"), "(no key)");
}

TEST_P(RegVerbsTest, DwordDataMayHaveLeadingZeros) {
    expectOk({"reg", "add", "HKCU\\Zeros", "--value", "d", "--type", "REG_DWORD", "--data",
              "000000000000000000000042"});
    expectOk({"reg", "add", "HKCU\\Zeros", "--value", "h", "--type", "REG_DWORD", "--data",
              "0x0000000000FFFFFFFF"});
    EXPECT_EQ(read("Zeros", "d"), std::string("\x2a\0\0\0", 4));
    EXPECT_EQ(read("Zeros", "h"), "\xff\xff\xff\xff");
}

TEST_P(RegVerbsTest, QueryOfAKeyWithoutValuesListsOnlyItsSubkeys) {
    expectOk({"reg", "add", "HKCU\\Bare\\One"});
    expectOk({"reg", "add", "HKCU\\Bare\\Two"});
    auto outcome = rmwctl({"reg", "query", "HKCU\\Bare"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "HKEY_CURRENT_USER\\Bare\\One\nHKEY_CURRENT_USER\\Bare\\Two\n");
    // Like reg.exe, no blank line opens the output: a key without values or subkeys
    // prints nothing.
    outcome = rmwctl({"reg", "query", "HKCU\\Bare\\One"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
}

TEST_P(RegVerbsTest, QueryShowsEveryValueTypeAndEverySubkeyWhateverItsSize) {
    auto file = writeFile("types.reg",
                          "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Odd]\r\n"
                          "\"Big\"=hex(100):ff\r\n\"Tagged\"=hex(20):01,02\r\n");
    expectOk({"reg", "import", file});
    // A subkey name longer than the registry functions now allow, as an older
    // registry may hold, sorts before the others and must not hide them.
    auto& database = machine_.machine().registry().database();
    auto odd = database.findKey("HKEY_CURRENT_USER\\ODD");
    ASSERT_TRUE(odd);
    database.createKey(*odd, "HKEY_CURRENT_USER\\ODD", std::string(2000, 'a'));
    expectOk({"reg", "add", "HKCU\\Odd\\Zed"});
    auto outcome = rmwctl({"reg", "query", "HKCU\\Odd"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "HKEY_CURRENT_USER\\Odd\n"
                           "    Big    0x100    FF\n"
                           "    Tagged    0x20    0102\n"
                           "\n"
                           "HKEY_CURRENT_USER\\Odd\\" + std::string(2000, 'a') + "\n"
                           "HKEY_CURRENT_USER\\Odd\\Zed\n");
}

TEST_P(RegVerbsTest, DeleteRemovesAKeyWithEverythingBelowItOrOneValue) {
    expectOk({"reg", "add", "HKCU\\Gone\\A\\B", "--value", "x", "--data", "1"});
    expectOk({"reg", "add", "HKCU\\Gone", "--value", "y", "--data", "2"});
    expectOk({"reg", "add", "HKCU\\Stays", "--value", "z", "--data", "3"});
    expectOk({"reg", "delete", "HKCU\\Gone", "--value", "y"});
    EXPECT_EQ(read("Gone", "y"), "(no value)");
    expectOk({"reg", "delete", "HKCU\\Gone"});
    EXPECT_EQ(read("Gone\\A\\B", "x"), "(no key)");
    EXPECT_EQ(read("Gone", "y"), "(no key)");
    EXPECT_EQ(read("Stays", "z"), std::string("3\0", 2));
}

TEST_P(RegVerbsTest, ExportWritesWhatImportReadsBack) {
    expectOk({"reg", "add", "HKCU\\Round\\Trip", "--value", "Quote\"d", "--data", "a \\ b"});
    expectOk({"reg", "add", "HKCU\\Round", "--value", "N", "--type", "REG_DWORD", "--data", "7"});
    auto exported = rmwctl({"reg", "export", "HKEY_CURRENT_USER\\Round"});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out,
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Round]\r\n\"N\"=dword:00000007\r\n\r\n"
              "[HKEY_CURRENT_USER\\Round\\Trip]\r\n\"Quote\\\"d\"=\"a \\\\ b\"\r\n\r\n");
    auto file = (files_.path() / "round.reg").string();
    expectOk({"reg", "export", "HKCU\\Round", file});
    expectOk({"reg", "delete", "HKCU\\Round"});
    EXPECT_EQ(read("Round", "N"), "(no key)");
    expectOk({"reg", "import", file});
    EXPECT_EQ(read("Round", "N"), std::string("\x07\0\0\0", 4));
    EXPECT_EQ(read("Round\\Trip", "Quote\"d"), std::string("a \\ b\0", 6));
}

TEST_P(RegVerbsTest, ExportNeverOverwritesAReadOnlyFile) {
    auto file = writeFile("kept.reg", "mine");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    auto outcome = rmwctl({"reg", "export", "HKCU\\Software", file});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("read-only"), std::string::npos) << outcome.err;
    std::ifstream kept(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "mine");
}

TEST_P(RegVerbsTest, AnExportStoppedHalfwayLeavesTheEarlierFileWhole) {
    expectOk({"reg", "add", "HKCU\\Small", "--value", "v", "--data", "1"});
    auto file = (files_.path() / "backup.reg").string();
    expectOk({"reg", "export", "HKCU\\Small", file});
    std::ifstream first(file, std::ios::binary);
    const std::string before(std::istreambuf_iterator<char>(first), {});
    // The whole machine's registry is far larger than the two blocks allowed.
    auto outcome = runner_.runWithFileSizeLimit(2, {"reg", "export", "HKLM", file});
    EXPECT_NE(outcome.status, 0);
    std::ifstream after(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(files_.path()), {}), 1);
}

TEST_P(RegVerbsTest, AMalformedImportIsReportedAndChangesNothing) {
    auto file =
        writeFile("broken.reg",
                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Half]\r\n\"a\"=\"1\"\r\n\"b\"=dword:\r\n");
    auto outcome = rmwctl({"reg", "import", file});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("broken.reg, line 5"), std::string::npos) << outcome.err;
    EXPECT_EQ(read("Half", "a"), "(no key)");
}

TEST(RegVerbs, AnUnusableMachineExitsOne) {
    testsupport::TempFolder empty;
    testsupport::RmwctlRunner rmwctl(empty.path());
    auto outcome = rmwctl.run({"reg", "query", "HKEY_LOCAL_MACHINE"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("not a machine"), std::string::npos) << outcome.err;
}

}  // namespace
