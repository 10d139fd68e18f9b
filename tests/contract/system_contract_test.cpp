// The system's own facts and files: the version record, the Windows and system folders,
// win.ini and where a profile file without a folder lives, on every platform.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/AsciiText.h"
#include "platform/Win32.h"
#include "tests/contract/ContractSystem.h"

namespace {

namespace fs = std::filesystem;
using namespace win32;
using contract::ContractSystem;

std::string readBytes(const std::string& windowsPath) {
    std::ifstream stream(platform::files().toNative(windowsPath), std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

bool isFolder(const std::string& windowsPath) {
    std::error_code error;
    return fs::is_directory(platform::files().toNative(windowsPath), error);
}

// The data of a text value, or "<missing>".
std::string registryText(HKEY root, const char* path, const char* name) {
    HKEY key = 0;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
    char data[512] = {};
    DWORD size = sizeof data - 1;
    const LONG result =
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(data) : "<missing>";
}

class SystemContract : public testing::TestWithParam<std::string> {
  protected:
    ContractSystem system_{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Platforms, SystemContract, testing::ValuesIn(ContractSystem::variants()));

TEST_P(SystemContract, TheVersionRecordIsFilledOnlyWhenItsSizeIsRight) {
    OSVERSIONINFOA info;
    std::memset(info.szCSDVersion, '#', sizeof info.szCSDVersion);
    info.dwOSVersionInfoSize = OSVERSIONINFOA_SIZE;
    ASSERT_EQ(GetVersionExA(&info), 1);
    EXPECT_TRUE(info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ||
                info.dwPlatformId == VER_PLATFORM_WIN32_NT);
    EXPECT_GE(info.dwMajorVersion, 4u);
    EXPECT_NE(std::memchr(info.szCSDVersion, '\0', sizeof info.szCSDVersion), nullptr);
    if (system_.isEmulated()) {
        // The templates are the systems Roamwise was made for.
        EXPECT_EQ(info.dwMajorVersion, 4u);
        EXPECT_EQ(info.dwMinorVersion, info.dwPlatformId == VER_PLATFORM_WIN32_NT ? 0u : 10u);
    }
    OSVERSIONINFOA wrong;
    wrong.dwOSVersionInfoSize = OSVERSIONINFOA_SIZE + 8;  // the record of a later Windows
    EXPECT_EQ(GetVersionExA(&wrong), 0);
    wrong.dwOSVersionInfoSize = 0;
    EXPECT_EQ(GetVersionExA(&wrong), 0);
}

TEST_P(SystemContract, TheFoldersExistAndTheSystemFolderLiesInTheWindowsFolder) {
    const std::string windows = GetWindowsDirectoryA();
    const std::string system = GetSystemDirectoryA();
    ASSERT_GE(windows.size(), 4u);
    EXPECT_EQ(windows.substr(1, 2), ":\\");
    EXPECT_NE(windows.back(), '\\');
    EXPECT_NE(system.back(), '\\');
    EXPECT_TRUE(platform::equalsIgnoringCase(system.substr(0, windows.size() + 1), windows + "\\"))
        << system;
    const std::string leaf = system.substr(windows.size() + 1);
    EXPECT_TRUE(platform::equalsIgnoringCase(leaf, system_.isNT() ? "system32" : "system")) << leaf;
    EXPECT_TRUE(isFolder(windows));
    // The Windows 98 template's C: drive holds no SYSTEM folder; nothing there needs one.
    EXPECT_EQ(isFolder(system), !(system_.isEmulated() && !system_.isNT()));
}

// Restores win.ini's [windows] "device=" entry, the system's default printer.
class DefaultPrinterKept {
  public:
    DefaultPrinterKept() : saved_(GetProfileStringA("windows", "device", "<none>")) {}
    ~DefaultPrinterKept() {
        if (saved_ == "<none>") {
            WriteProfileStringA("windows", "device", std::nullopt);
        } else {
            WriteProfileStringA("windows", "device", saved_);
        }
    }

  private:
    std::string saved_;
};

TEST_P(SystemContract, WinIniIsInTheWindowsFolderAndNtKeepsItsWindowsSectionInTheRegistry) {
    const std::string winIni = GetWindowsDirectoryA() + "\\win.ini";
    ASSERT_EQ(WriteProfileStringA("Roamwise Contract", "Key", "value"), 1);
    EXPECT_EQ(GetProfileStringA("roamwise contract", "key", ""), "value");
    EXPECT_EQ(GetPrivateProfileStringA("Roamwise Contract", "Key", "", winIni), "value");
    EXPECT_NE(readBytes(winIni).find("[Roamwise Contract]\r\nKey=value\r\n"), std::string::npos);
    ASSERT_EQ(WriteProfileStringA("Roamwise Contract", std::nullopt, std::nullopt), 1);
    EXPECT_EQ(readBytes(winIni).find("Roamwise Contract"), std::string::npos);

    const DefaultPrinterKept kept;
    ASSERT_EQ(WriteProfileStringA("windows", "device", "Contract Printer,HPPCL,LPT1:"), 1);
    EXPECT_EQ(GetProfileStringA("Windows", "Device", ""), "Contract Printer,HPPCL,LPT1:");
    EXPECT_EQ(platform::printers().defaultPrinterEntry(), "Contract Printer,HPPCL,LPT1:");
    const bool inFile =
        readBytes(winIni).find("device=Contract Printer") != std::string::npos;
    const std::string inRegistry = registryText(
        HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "Device");
    if (system_.isNT()) {
        EXPECT_FALSE(inFile);
        EXPECT_EQ(inRegistry, "Contract Printer,HPPCL,LPT1:");
    } else {
        EXPECT_TRUE(inFile);
    }
}

TEST_P(SystemContract, AProfileFileNamedWithoutAFolderLivesInTheWindowsFolder) {
    const std::string inWindows = GetWindowsDirectoryA() + "\\roamwise-contract.ini";
    ASSERT_EQ(WritePrivateProfileStringA("S", "k", "v", "roamwise-contract.ini"), 1);
    EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", "roamwise-contract.ini"), "v");
    EXPECT_EQ(readBytes(inWindows), "[S]\r\nk=v\r\n");
    platform::files().deleteFile(inWindows);
}

}  // namespace
