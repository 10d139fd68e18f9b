// The emulated machine's INF installer, started as Windows starts it: through
// CreateProcessA with RunDll32.exe SetupApi.dll,InstallHinfSection.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "platform/Win32.h"
#include "platform/emulated/MachineProcesses.h"
#include "platform/emulated/RegFileExporter.h"
#include "platform/emulated/SqliteRegistry.h"
#include "platform/emulated/inf/InfFile.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/TextBox.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using platform::emulated::inf::InfError;
using platform::emulated::inf::InfFile;

std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class InfInstallerTest : public ::testing::Test {
  protected:
    fs::path native(const std::string& windowsPath) { return platform::files().toNative(windowsPath); }

    // Writes the INF (and SOURCES beside it) into C:\src and runs SECTION through RunDll32.
    win32::DWORD install(const std::string& inf, const std::string& section = "DefaultInstall",
                         const std::string& program = "RunDll32.exe SetupApi.dll") {
        fs::create_directories(native("C:\\src"));
        std::ofstream(native("C:\\src\\test.inf"), std::ios::binary) << inf;
        win32::PROCESS_INFORMATION process;
        const std::string command = program + ",InstallHinfSection " + section + " 132 C:\\src\\test.inf";
        if (!win32::CreateProcessA(command, 0x90, "", 10, &process)) return 9999;
        EXPECT_EQ(win32::WaitForSingleObject(process.hProcess, win32::INFINITE), win32::WAIT_OBJECT_0);
        win32::DWORD code = 0;
        EXPECT_TRUE(win32::GetExitCodeProcess(process.hProcess, &code));
        win32::CloseHandle(process.hProcess);
        return code;
    }
    std::string registryText(const std::string& key) {
        try {
            return platform::emulated::RegFileExporter(machine.machine().registry().database()).exportKey(key);
        } catch (const std::exception&) {
            return "";  // no such key
        }
    }

    testsupport::TestMachine machine{"win98"};
};

const char* const kHeader = "[Version]\r\nSignature=\"$CHICAGO$\"\r\n";

TEST(InfFileTest, ReadsSectionsKeysQuotedValuesCommentsAndContinuations) {
    const InfFile inf = InfFile::parse(
        "; comment\n[Version]\nSignature = \"$Chicago$\" ; trailing\n[Sec]\n"
        "HKLM, \"a,b;c\" , \"say \"\"hi\"\"\"\nkey = one, \\\n two\n49000,49001=Dest,21\n"
        "[Strings]\nName=\"Roam wise\"\n",
        "x.inf");
    const auto* section = inf.section("sec");
    ASSERT_NE(section, nullptr);
    ASSERT_EQ(section->lines.size(), 3u);
    EXPECT_EQ(section->lines[0].values, (std::vector<std::string>{"HKLM", "a,b;c", "say \"hi\""}));
    EXPECT_EQ(*section->lines[1].key, "key");
    EXPECT_EQ(section->lines[1].values, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(section->lines[1].number, 6);
    EXPECT_EQ(*section->lines[2].key, "49000,49001");
    EXPECT_EQ(inf.string("NAME").value_or(""), "Roam wise");
}

TEST(InfFileTest, SyntaxErrorsNameFileAndLine) {
    const std::pair<const char*, int> faults[] = {{"[Version]\nSignature=\"$Chicago$\n", 2},
                                                  {"[Version\n", 1},
                                                  {"key=value\n", 1},
                                                  {"[Version]\n[]\n", 2},
                                                  {"[A]\n\n=x\n", 3},
                                                  {"[A]\nx=\\\n", 2}};
    for (const auto& [text, line] : faults) {
        try {
            InfFile::parse(text, "bad.inf");
            ADD_FAILURE() << text;
        } catch (const InfError& error) {
            EXPECT_EQ(error.line(), line) << text;
            EXPECT_NE(std::string(error.what()).find("bad.inf, line " + std::to_string(line)), std::string::npos);
        }
    }
}

// What a fuzz target does: arbitrary bytes give a parsed file or an InfError, nothing else.
TEST(InfFileTest, ArbitraryBytesNeverBreakTheParser) {
    std::mt19937 random(7);
    const std::string alphabet = "[]=,;\"\\%\r\n \tab01";
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 64, ' ');
        for (char& c : bytes) c = alphabet[random() % alphabet.size()];
        try {
            InfFile::parse(bytes, "fuzz.inf");
        } catch (const InfError&) {
        }
    }
}

TEST_F(InfInstallerTest, WritesRegistryValuesOfEveryTypeAndFlag) {
    win32::HKEY key = 0;
    win32::RegCreateKeyExA(win32::HKEY_LOCAL_MACHINE, "Software\\T", 0, nullptr, 0, win32::KEY_ALL_ACCESS,
                           nullptr, &key, nullptr);
    win32::RegSetValueExA(key, "Kept", 0, win32::REG_SZ, reinterpret_cast<const win32::BYTE*>("old"), 4);
    win32::RegSetValueExA(key, "List", 0, win32::REG_MULTI_SZ, reinterpret_cast<const win32::BYTE*>("a\0b\0"), 5);
    win32::RegSetValueExA(key, "Gone", 0, win32::REG_SZ, reinterpret_cast<const win32::BYTE*>("x"), 2);
    win32::RegCloseKey(key);
    ASSERT_EQ(install(std::string(kHeader) +
                      "[DefaultInstall]\r\nAddReg=Add\r\nDelReg=Del\r\n"
                      "[Add]\r\nHKLM,Software\\T,Text,,\"%Product% in %10%\"\r\n"
                      "HKLM,Software\\T,Number,0x10001,0x2A\r\nHKLM,Software\\T,Bytes,1,de,ad\r\n"
                      "HKLM,Software\\T,Multi,0x10000,one,two\r\nHKLM,Software\\T,Expand,0x20000,%%SystemRoot%%\r\n"
                      "HKLM,Software\\T,Kept,2,new\r\nHKLM,Software\\T,List,0x10008,b,c\r\n"
                      "HKLM,Software\\T,Missing,0x20,only if present\r\nHKLM,Software\\T\\Empty\r\n"
                      "HKLM,Software\\T,,,default\r\n"
                      "[Del]\r\nHKLM,Software\\T,Gone\r\n[Strings]\r\nProduct=Roamwise\r\n"),
              0u);
    EXPECT_EQ(registryText("HKEY_LOCAL_MACHINE\\Software\\T"),
              "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\T]\r\n\"Kept\"=\"old\"\r\n"
              "\"List\"=hex(7):61,00,62,00,63,00,00\r\n\"Text\"=\"Roamwise in C:\\\\WINDOWS\"\r\n"
              "\"Number\"=dword:0000002a\r\n\"Bytes\"=hex:de,ad\r\n"
              "\"Multi\"=hex(7):6f,6e,65,00,74,77,6f,00,00\r\n"
              "\"Expand\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,00\r\n@=\"default\"\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\T\\Empty]\r\n\r\n");
}

TEST_F(InfInstallerTest, CopiesDeletesUpdatesInisMakesShortcutsAndRunsCommands) {
    fs::create_directories(native("C:\\src\\sub"));
    std::ofstream(native("C:\\src\\sub\\a.txt")) << "new a";
    std::ofstream(native("C:\\src\\b.txt")) << "new b";
    fs::create_directories(native("C:\\Dest"));
    std::ofstream(native("C:\\Dest\\b.txt")) << "old b";
    std::ofstream(native("C:\\Dest\\old.txt")) << "old";
    ASSERT_EQ(install(std::string(kHeader) +
                      "[DefaultInstall]\r\nCopyFiles=Files\r\nDelFiles=Old\r\nUpdateInis=Ini\r\n"
                      "ProfileItems=Link\r\nRunPostSetupCommands=Run\r\n"
                      "[DestinationDirs]\r\nFiles=24,Dest\r\nOld=24,Dest\r\n"
                      "[SourceDisksNames]\r\n1=Disk,,,\r\n[SourceDisksFiles]\r\na.txt=1,sub\r\nb.txt=1\r\n"
                      "[Files]\r\na.txt\r\ncopy.txt,a.txt\r\nb.txt,,,0x10\r\n[Old]\r\nold.txt\r\n"
                      "[Ini]\r\nroam.ini,Main,,\"Folder=%24%\\Dest\"\r\nwin.ini,Windows,\"load=\",\r\n"
                      "[Link]\r\nName=\"My App\"\r\nSubDir=Group\r\nCmdLine=24,Dest,a.txt\r\n"
                      "[Run]\r\nnotepad.exe C:\\Dest\\a.txt\r\n"),
              0u);
    EXPECT_EQ(read(native("C:\\Dest\\a.txt")), "new a");
    EXPECT_EQ(read(native("C:\\Dest\\copy.txt")), "new a");
    EXPECT_EQ(read(native("C:\\Dest\\b.txt")), "old b");  // COPYFLG_NO_OVERWRITE
    EXPECT_FALSE(fs::exists(native("C:\\Dest\\old.txt")));
    EXPECT_EQ(win32::GetPrivateProfileStringA("Main", "Folder", "", "C:\\WINDOWS\\roam.ini"), "C:\\Dest");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Windows", "load", "none", "C:\\WINDOWS\\win.ini"), "none");
    EXPECT_NE(read(native("C:\\WINDOWS\\Start Menu\\Programs\\Group\\My App.lnk")).find("Target=C:\\Dest\\a.txt"),
              std::string::npos);
    bool ranNotepad = false;
    for (const auto& line : platform::emulated::EventLog(machine.machine().eventLogFile()).requests())
        ranNotepad = ranNotepad || line.find("ShellExecuteA open C:\\Dest\\a.txt") == 0;
    EXPECT_TRUE(ranNotepad);
}

// A faulty INF changes nothing, and its message names the file and the line.
TEST_F(InfInstallerTest, FaultyInfReportsFileAndLineAndChangesNothing) {
    const std::pair<std::string, int> faults[] = {
        {"[DefaultInstall]\r\nAddReg=Add\r\nBogus=1\r\n[Add]\r\nHKLM,Software\\T,V,,x\r\n", 5},
        {"[DefaultInstall]\r\nAddReg=Add\r\n[Add]\r\nHKLM,Software\\T,V,,x\r\nHKXX,Software\\T,V,,x\r\n", 7},
        {"[DefaultInstall]\r\nAddReg=Add\r\nCopyFiles=Nope\r\n[Add]\r\nHKLM,Software\\T,V,,x\r\n", 5},
        {"[DefaultInstall]\r\nAddReg=Add\r\n[Add]\r\nHKLM,Software\\T,V,,%Unknown%\r\n", 6},
        {"[DefaultInstall]\r\nAddReg=Add\r\n[Add]\r\nHKLM,Software\\T,V,,\"open\r\n", 6},
    };
    for (const auto& [body, line] : faults) {
        machine.ui().clear();
        EXPECT_EQ(install(kHeader + body), 1u) << body;
        EXPECT_EQ(registryText("HKEY_LOCAL_MACHINE\\Software\\T"), "") << body;
        ASSERT_EQ(machine.ui().messages().size(), 1u) << body;
        EXPECT_NE(machine.ui().messages()[0].text.find("C:\\src\\test.inf, line " + std::to_string(line)),
                  std::string::npos)
            << machine.ui().messages()[0].text;
    }
}

TEST_F(InfInstallerTest, CustomDestinationAsksProposesTheStoredFolderAndCancelChangesNothing) {
    const std::string inf = std::string(kHeader) +
                            "[DefaultInstall]\r\nCustomDestination=Ask\r\nAddReg=Add\r\n"
                            "[Ask]\r\n49000,49001=Where,21\r\n"
                            "[Where]\r\nHKCU,Software\\T,Dir,\"Where to?\",\"%24%\\Program files\\T\"\r\n"
                            "[Add]\r\nHKCU,Software\\T,Dir,,%49000%\r\n";
    std::string proposed;
    machine.ui().queueDialog([&](forms::Form& form) {
        proposed = form.control<forms::TextBox>("txtFolder").Text();
        form.control<forms::TextBox>("txtFolder").type("D:\\Elsewhere");
        form.control<forms::CommandButton>("cmdOK").click();
    });
    EXPECT_EQ(install(inf), 0u);
    EXPECT_EQ(proposed, "C:\\Program files\\T");
    machine.ui().queueDialog([&](forms::Form& form) {
        proposed = form.control<forms::TextBox>("txtFolder").Text();
        form.control<forms::CommandButton>("cmdCancel").click();
    });
    const std::string before = registryText("HKEY_CURRENT_USER\\Software\\T");
    EXPECT_EQ(install(inf), 1u);
    EXPECT_EQ(proposed, "D:\\Elsewhere");
    EXPECT_EQ(registryText("HKEY_CURRENT_USER\\Software\\T"), before);
}

TEST_F(InfInstallerTest, SetupXFormNeedsSetupXInTheSystemFolder) {
    const std::string inf = std::string(kHeader) + "[DefaultInstall]\r\nAddReg=Add\r\n[Add]\r\nHKLM,Software\\T,V,,x\r\n";
    EXPECT_EQ(install(inf, "DefaultInstall", "RunDll.exe SetupX.dll"), 9999u);  // no such program
    fs::create_directories(native("C:\\WINDOWS\\SYSTEM"));
    std::ofstream(native("C:\\WINDOWS\\SYSTEM\\SETUPX.DLL")) << "";
    EXPECT_EQ(install(inf, "DefaultInstall", "RunDll.exe SetupX.dll"), 0u);
    EXPECT_NE(registryText("HKEY_LOCAL_MACHINE\\Software\\T"), "");
}

TEST(MachineProcessesTest, CommandLinesSplitAtBlanksOutsideQuotes) {
    using platform::emulated::MachineProcesses;
    EXPECT_EQ(MachineProcesses::splitCommandLine("\"C:\\Program Files\\x.exe\" a  \"b c\""),
              (std::vector<std::string>{"C:\\Program Files\\x.exe", "a", "b c"}));
}

}  // namespace
