// Installed printers from the registry and the default printer from win.ini, which
// on Windows NT lives in the registry.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Win32.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using namespace win32;

std::string readNative(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void setText(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
    HKEY key = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(text.c_str()),
                                            static_cast<DWORD>(text.size() + 1)));
    RegCloseKey(key);
}

std::optional<std::string> textValue(HKEY root, const std::string& path, const std::string& name) {
    HKEY key = 0;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    char data[512] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG result =
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return {};
    return std::string(data);
}

const std::string kPrinters = "System\\CurrentControlSet\\Control\\Print\\Printers";
const std::string kNtWindows = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

bool hasPrinter(const std::vector<platform::InstalledPrinter>& printers, const std::string& name,
                const std::string& driver, const std::string& port) {
    for (const auto& printer : printers) {
        if (printer.deviceName == name) return printer.driverName == driver && printer.port == port;
    }
    return false;
}

TEST(PrintersTest, EachSubkeyOfThePrintersKeyIsAnInstalledPrinter) {
    testsupport::TestMachine machine("win98");
    setText(HKEY_LOCAL_MACHINE, kPrinters + "\\Office Laser", "Printer Driver", "HP LaserJet 4");
    setText(HKEY_LOCAL_MACHINE, kPrinters + "\\Office Laser", "Port", "LPT2:");
    setText(HKEY_LOCAL_MACHINE, kPrinters + "\\No Details", "Name", "No Details");
    const auto printers = platform::printers().installedPrinters();
    EXPECT_TRUE(hasPrinter(printers, "Office Laser", "HP LaserJet 4", "LPT2:"));
    EXPECT_TRUE(hasPrinter(printers, "No Details", "", ""));
    EXPECT_TRUE(hasPrinter(printers, "Epson Stylus COLOR 740", "Epson Stylus COLOR 740", "LPT1:"));
}

TEST(PrintersTest, NoPrintersKeyMeansNoPrinters) {
    testsupport::TestMachine machine("win98");
    HKEY control = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control",
                                           0, KEY_ALL_ACCESS, &control));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(control, "Print"));  // Windows 9x deletes the tree
    RegCloseKey(control);
    EXPECT_TRUE(platform::printers().installedPrinters().empty());
}

TEST(PrintersTest, OnWindows98TheDefaultPrinterIsTheDeviceLineOfWinIni) {
    testsupport::TestMachine machine("win98");
    ASSERT_EQ(1, WriteProfileStringA("windows", "device",
                                     "Epson Stylus COLOR 740,Epson Stylus "
                                     "COLOR 740,LPT1:"));
    EXPECT_EQ("Epson Stylus COLOR 740,Epson Stylus COLOR 740,LPT1:",
              platform::printers().defaultPrinterEntry());
    const std::string winIni = readNative(machine.machine().driveC() / "WINDOWS" / "win.ini");
    EXPECT_NE(std::string::npos,
              winIni.find("\r\ndevice=Epson Stylus COLOR 740,Epson Stylus COLOR 740,LPT1:\r\n"));
    EXPECT_NE(std::string::npos, winIni.find("[Desktop]\r\n"));  // the rest is still there
    EXPECT_FALSE(textValue(HKEY_CURRENT_USER, kNtWindows, "Device"));
}

TEST(PrintersTest, OnWindowsNtTheWindowsSectionOfWinIniIsInTheRegistry) {
    testsupport::TestMachine machine("nt4");
    const fs::path winIni = machine.machine().driveC() / "WINNT" / "win.ini";
    const std::string before = readNative(winIni);
    EXPECT_EQ("HP LaserJet 5Si,HP LaserJet 5Si,\\\\HARBOUR-PS1\\LJ5SI",
              platform::printers().defaultPrinterEntry());
    ASSERT_EQ(1, WriteProfileStringA("Windows", "DEVICE", "Plotter,HP DesignJet,LPT1:"));
    EXPECT_EQ("Plotter,HP DesignJet,LPT1:", textValue(HKEY_CURRENT_USER, kNtWindows, "Device"));
    EXPECT_EQ("Plotter,HP DesignJet,LPT1:", GetProfileStringA("windows", "device", ""));
    EXPECT_EQ("Plotter,HP DesignJet,LPT1:",
              GetPrivateProfileStringA("windows", "Device", "", "C:\\winnt\\WIN.INI"));
    ASSERT_EQ(1, WriteProfileStringA("windows", "Spooler", "yes"));
    EXPECT_EQ("yes", textValue(HKEY_CURRENT_USER, kNtWindows, "Spooler"));
    ASSERT_EQ(1, WriteProfileStringA("windows", "spooler", std::nullopt));
    EXPECT_FALSE(textValue(HKEY_CURRENT_USER, kNtWindows, "Spooler"));
    EXPECT_EQ(before, readNative(winIni));
    // Other sections of win.ini stay in the file.
    ASSERT_EQ(1, WriteProfileStringA("Roamwise", "Test", "1"));
    EXPECT_NE(std::string::npos, readNative(winIni).find("[Roamwise]\r\nTest=1\r\n"));
    EXPECT_FALSE(textValue(HKEY_CURRENT_USER, kNtWindows, "Test"));
}

TEST(PrintersTest, OnWindowsNtNoDeviceValueMeansNoDefaultPrinter) {
    testsupport::TestMachine machine("nt4");
    ASSERT_EQ(1, WriteProfileStringA("windows", std::nullopt, std::nullopt));
    EXPECT_EQ("", platform::printers().defaultPrinterEntry());
    EXPECT_EQ("none", GetProfileStringA("windows", "device", "none"));
}

}  // namespace
