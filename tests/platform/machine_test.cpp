#include "platform/emulated/Machine.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "platform/Win32.h"
#include "platform/emulated/SqliteRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using platform::emulated::Machine;
using platform::emulated::MachineError;
using testsupport::TempFolder;
using testsupport::TestMachine;

win32::OSVERSIONINFOA versionOfInstalledMachine() {
    win32::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    EXPECT_EQ(win32::GetVersionExA(&info), 1);
    return info;
}

TEST(Machine, Windows98TemplateReportsItsVersionAndFolders) {
    TestMachine m("win98");
    auto info = versionOfInstalledMachine();
    EXPECT_EQ(info.dwMajorVersion, 4u);
    EXPECT_EQ(info.dwMinorVersion, 10u);
    EXPECT_EQ(info.dwBuildNumber, 1998u);
    EXPECT_EQ(info.dwPlatformId, win32::VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_STREQ(info.szCSDVersion, "");
    EXPECT_EQ(win32::GetWindowsDirectoryA(), "C:\\WINDOWS");
    EXPECT_EQ(win32::GetSystemDirectoryA(), "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(m.machine().description().platform, "Windows 98");
}

TEST(Machine, NtTemplateReportsItsVersionAndFolders) {
    TestMachine m("nt4");
    auto info = versionOfInstalledMachine();
    EXPECT_EQ(info.dwMajorVersion, 4u);
    EXPECT_EQ(info.dwMinorVersion, 0u);
    EXPECT_EQ(info.dwBuildNumber, 1381u);
    EXPECT_EQ(info.dwPlatformId, win32::VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(win32::GetWindowsDirectoryA(), "C:\\WINNT");
    EXPECT_EQ(win32::GetSystemDirectoryA(), "C:\\WINNT\\system32");
    EXPECT_TRUE(m.machine().description().isNT());
}

TEST(Machine, GetVersionExFailsUnlessTheRecordSizeIs148) {
    TestMachine m("win98");
    win32::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = 156;
    EXPECT_EQ(win32::GetVersionExA(&info), 0);
    EXPECT_EQ(info.dwMajorVersion, 0u);
    info.dwOSVersionInfoSize = 0;
    EXPECT_EQ(win32::GetVersionExA(&info), 0);
}

TEST(Machine, TemplateFillsDriveCAndTheRegistry) {
    TestMachine m("win98");
    EXPECT_TRUE(std::filesystem::exists(m.machine().driveC() / "WINDOWS" / "win.ini"));
    EXPECT_TRUE(std::filesystem::exists(m.folder() / "machine.ini"));
    EXPECT_TRUE(std::filesystem::exists(m.folder() / "registry.db"));
    win32::HKEY key = 0;
    ASSERT_EQ(win32::RegOpenKeyExA(win32::HKEY_LOCAL_MACHINE,
                                   "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                                   win32::KEY_QUERY_VALUE, &key),
              0);
    char data[64] = {};
    win32::DWORD size = sizeof data;
    EXPECT_EQ(win32::RegQueryValueExA(key, "SystemRoot", nullptr, nullptr,
                                      reinterpret_cast<win32::BYTE*>(data), &size),
              0);
    EXPECT_STREQ(data, "C:\\WINDOWS");
    win32::RegCloseKey(key);
}

TEST(Machine, ProgramFolderIsAWindowsPath) {
    TestMachine m("win98");
    std::string folder = platform::systemInfo().programFolder();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.substr(0, 3), "Z:\\");
    EXPECT_EQ(folder.find('/'), std::string::npos);
    // It is the folder of the running program, whatever the current folder is.
    const auto program = std::filesystem::canonical("/proc/self/exe");
    EXPECT_EQ(std::filesystem::canonical(platform::files().toNative(folder)),
              program.parent_path());
    EXPECT_TRUE(platform::files().fileExists(folder + "\\" + program.filename().string()));
}

TEST(Machine, CreateRefusesAnExistingMachineOrAnUnknownTemplate) {
    TempFolder temp;
    auto first = Machine::create(temp.path() / "m", "nt4");
    EXPECT_THROW(Machine::create(temp.path() / "m", "win98"), MachineError);
    EXPECT_THROW(Machine::create(temp.path() / "other", "win2000"), MachineError);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "other"));
    // The refused create left the first machine as it was.
    EXPECT_TRUE(Machine::open(temp.path() / "m")->description().isNT());
}

TEST(Machine, CreateRefusesAFolderHoldingOtherFiles) {
    TempFolder temp;
    std::ofstream(temp.path() / "notes.txt") << "keep me";
    EXPECT_THROW(Machine::create(temp.path(), "win98"), MachineError);
    EXPECT_TRUE(std::filesystem::exists(temp.path() / "notes.txt"));
}

TEST(Machine, OpenRefusesFoldersThatAreNoMachine) {
    TempFolder temp;
    EXPECT_THROW(Machine::open(temp.path()), MachineError);
    EXPECT_THROW(Machine::open(temp.path() / "missing"), MachineError);
    std::ofstream(temp.path() / "machine.ini") << "[Machine]\nPlatform=Windows 98\n";
    EXPECT_THROW(Machine::open(temp.path()), MachineError);
}

TEST(Machine, OpenRefusesADamagedRegistry) {
    TempFolder temp;
    { Machine::create(temp.path() / "m", "win98"); }
    std::ofstream(temp.path() / "m" / "registry.db", std::ios::trunc) << "this is no database, "
                                                                         "just some text";
    EXPECT_THROW(Machine::open(temp.path() / "m"), MachineError);
}

class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const std::string& value) : name_(name) {
        const char* old = getenv(name);
        if (old) saved_ = old;
        had_ = old != nullptr;
        setenv(name, value.c_str(), 1);
    }
    ~EnvironmentVariable() {
        if (had_) {
            setenv(name_, saved_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::string saved_;
    bool had_ = false;
};

TEST(Machine, DefaultFolderFollowsRoamwiseMachineThenXdgDataHome) {
    TempFolder temp;
    {
        EnvironmentVariable named("ROAMWISE_MACHINE", (temp.path() / "named").string());
        EXPECT_EQ(Machine::defaultFolder(), temp.path() / "named");
        // A folder named on purpose is never made up on the spot.
        EXPECT_THROW(Machine::openDefault(), MachineError);
    }
    EnvironmentVariable none("ROAMWISE_MACHINE", "");
    EnvironmentVariable data("XDG_DATA_HOME", temp.path().string());
    EXPECT_EQ(Machine::defaultFolder(), temp.path() / "roamwise" / "machine");
    auto made = Machine::openDefault();
    EXPECT_EQ(made->description().platform, "Windows 98");
    auto again = Machine::openDefault();
    EXPECT_EQ(again->folder(), made->folder());
}

TEST(Machine, TemplateNamesAreBuiltIn) {
    auto names = Machine::templateNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "win98"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "nt4"), names.end());
}

}  // namespace

namespace {

void setText(platform::Registry& registry, const std::string& value) {
    win32::HKEY key = 0;
    ASSERT_EQ(registry.RegCreateKeyExA(win32::HKEY_LOCAL_MACHINE, "SOFTWARE\\CopyTest", 0, "", 0,
                                       win32::KEY_ALL_ACCESS, nullptr, &key, nullptr),
              0);
    ASSERT_EQ(registry.RegSetValueExA(key, "Where", 0, win32::REG_SZ,
                                      reinterpret_cast<const win32::BYTE*>(value.c_str()),
                                      static_cast<win32::DWORD>(value.size() + 1)),
              0);
    registry.RegCloseKey(key);
}

std::string readText(platform::Registry& registry) {
    win32::HKEY key = 0;
    if (registry.RegOpenKeyExA(win32::HKEY_LOCAL_MACHINE, "SOFTWARE\\CopyTest", 0,
                               win32::KEY_READ, &key) != 0)
        return "<missing>";
    char data[64] = {};
    win32::DWORD size = sizeof data;
    const auto result = registry.RegQueryValueExA(key, "Where", nullptr, nullptr,
                                                  reinterpret_cast<win32::BYTE*>(data), &size);
    registry.RegCloseKey(key);
    return result == 0 ? std::string(data) : "<no value>";
}

}  // namespace

TEST(Machine, ACopyHoldsEverythingAndGoesItsOwnWay) {
    TempFolder scratch;
    auto original = Machine::create(scratch.path() / "original", "nt4");
    setText(original->registry(), "original");  // still in the write-ahead log
    std::ofstream(original->driveC() / "note.txt") << "kept";

    auto copy = original->copyTo(scratch.path() / "copy");
    EXPECT_EQ(readText(copy->registry()), "original");
    EXPECT_TRUE(copy->description().isNT());
    EXPECT_TRUE(std::filesystem::exists(copy->driveC() / "note.txt"));

    setText(copy->registry(), "copy");
    std::filesystem::remove(copy->driveC() / "note.txt");
    EXPECT_EQ(readText(original->registry()), "original");
    EXPECT_TRUE(std::filesystem::exists(original->driveC() / "note.txt"));
    EXPECT_EQ(readText(Machine::open(scratch.path() / "copy")->registry()), "copy");
}

TEST(Machine, ACopyGoesOnlyIntoAnEmptyFolder) {
    TempFolder scratch;
    auto original = Machine::create(scratch.path() / "original", "win98");
    std::filesystem::create_directories(scratch.path() / "busy");
    std::ofstream(scratch.path() / "busy" / "file") << "x";
    EXPECT_THROW(original->copyTo(scratch.path() / "busy"), MachineError);
    EXPECT_TRUE(std::filesystem::exists(scratch.path() / "busy" / "file"));

    std::filesystem::create_directories(scratch.path() / "empty");
    EXPECT_NO_THROW(original->copyTo(scratch.path() / "empty"));
}
