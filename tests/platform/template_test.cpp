// The built-in machine templates hold what Roamwise reads, at the places and with the
// value types it reads them.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"
#include "platform/Win32.h"
#include "tests/support/TestMachine.h"

namespace {

using win32::DWORD;
using win32::HKEY;

struct RegValue {
    DWORD type = 0;
    std::vector<win32::BYTE> data;
    std::string text() const {
        std::string result(data.begin(), data.end());
        while (!result.empty() && result.back() == '\0') result.pop_back();
        return result;
    }
    DWORD number() const {
        DWORD result = 0;
        for (std::size_t i = 0; i < 4 && i < data.size(); ++i) result |= DWORD(data[i]) << (8 * i);
        return result;
    }
};

class OpenKey {
  public:
    OpenKey(HKEY root, const std::string& path) {
        opened_ = win32::RegOpenKeyExA(root, path.c_str(), 0, win32::KEY_READ, &key_) ==
                  win32::ERROR_SUCCESS;
    }
    ~OpenKey() {
        if (opened_) win32::RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    bool opened() const { return opened_; }

    std::optional<RegValue> value(const std::string& name) const {
        if (!opened_) return std::nullopt;
        RegValue result;
        DWORD size = 0;
        if (win32::RegQueryValueExA(key_, name.c_str(), nullptr, &result.type, nullptr, &size) !=
            win32::ERROR_SUCCESS) {
            return std::nullopt;
        }
        result.data.resize(size);
        if (win32::RegQueryValueExA(key_, name.c_str(), nullptr, &result.type, result.data.data(),
                                    &size) != win32::ERROR_SUCCESS) {
            return std::nullopt;
        }
        result.data.resize(size);
        return result;
    }

    std::vector<std::string> subkeys() const {
        std::vector<std::string> names;
        for (DWORD index = 0; opened_; ++index) {
            char name[256];
            DWORD length = sizeof name;
            if (win32::RegEnumKeyExA(key_, index, name, &length, nullptr, nullptr, nullptr,
                                     nullptr) != win32::ERROR_SUCCESS) {
                break;
            }
            names.emplace_back(name, length);
        }
        return names;
    }

    std::vector<std::string> valueNames() const {
        std::vector<std::string> names;
        for (DWORD index = 0; opened_; ++index) {
            char name[256];
            DWORD length = sizeof name;
            if (win32::RegEnumValueA(key_, index, name, &length, nullptr, nullptr, nullptr,
                                     nullptr) != win32::ERROR_SUCCESS) {
                break;
            }
            names.emplace_back(name, length);
        }
        return names;
    }

  private:
    HKEY key_ = 0;
    bool opened_ = false;
};

// The text of a REG_SZ value, or a note saying why there is none.
std::string textValue(HKEY root, const std::string& path, const std::string& name) {
    OpenKey key(root, path);
    if (!key.opened()) return "<no key " + path + ">";
    const auto value = key.value(name);
    if (!value) return "<no value " + name + ">";
    if (value->type != win32::REG_SZ) return "<not REG_SZ: " + name + ">";
    return value->text();
}

std::optional<RegValue> rawValue(HKEY root, const std::string& path, const std::string& name) {
    return OpenKey(root, path).value(name);
}

bool keyExists(HKEY root, const std::string& path) {
    return OpenKey(root, path).opened();
}

const HKEY HKLM = win32::HKEY_LOCAL_MACHINE;
const HKEY HKCU = win32::HKEY_CURRENT_USER;
const std::string kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kPrinters = "System\\CurrentControlSet\\Control\\Print\\Printers";

void expectPrintersWithDriverAndPort(std::size_t count) {
    const auto printers = OpenKey(HKLM, kPrinters).subkeys();
    EXPECT_EQ(printers.size(), count);
    for (const auto& printer : printers) {
        EXPECT_FALSE(textValue(HKLM, kPrinters + "\\" + printer, "Printer Driver").empty());
        EXPECT_FALSE(textValue(HKLM, kPrinters + "\\" + printer, "Port").empty());
    }
}

// The default printer entry names an installed printer as "name,driver,port".
void expectDefaultPrinterInstalled() {
    const std::string device = win32::GetProfileStringA("windows", "device", "");
    const auto comma = device.find(',');
    ASSERT_NE(comma, std::string::npos) << device;
    const std::string name = device.substr(0, comma);
    const std::string key = kPrinters + "\\" + name;
    EXPECT_EQ(device, name + "," + textValue(HKLM, key, "Printer Driver") + "," +
                          textValue(HKLM, key, "Port"));
}

class Win98Template : public ::testing::Test {
  protected:
    testsupport::TestMachine machine_{"win98"};
};

TEST_F(Win98Template, DescribesAWindows98Machine) {
    win32::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    ASSERT_TRUE(win32::GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, win32::VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_EQ(info.dwMinorVersion, 10u);
    EXPECT_EQ(win32::GetWindowsDirectoryA(), "C:\\WINDOWS");
    EXPECT_EQ(win32::GetSystemDirectoryA(), "C:\\WINDOWS\\SYSTEM");
}

TEST_F(Win98Template, AdaptersAreBoundToTcpIp) {
    EXPECT_TRUE(keyExists(HKLM, "System\\CurrentControlSet\\Services\\WinSock2\\Parameters"));
    const std::string dialUp = "Enum\\Root\\Net\\0000";
    EXPECT_EQ(textValue(HKLM, dialUp, "Class"), "Net");
    EXPECT_EQ(textValue(HKLM, dialUp, "DeviceDesc"), "Dial-Up Adapter");
    EXPECT_EQ(OpenKey(HKLM, dialUp + "\\Bindings").valueNames(),
              std::vector<std::string>{"MSTCP\\0000"});

    const auto pciDevices = OpenKey(HKLM, "Enum\\PCI").subkeys();
    int ethernetCards = 0;
    for (const auto& device : pciDevices) {
        for (const auto& instance : OpenKey(HKLM, "Enum\\PCI\\" + device).subkeys()) {
            const std::string path = "Enum\\PCI\\" + device + "\\" + instance;
            if (textValue(HKLM, path, "Class") != "Net") continue;
            ++ethernetCards;
            const auto bindings = OpenKey(HKLM, path + "\\Bindings").valueNames();
            EXPECT_NE(std::find(bindings.begin(), bindings.end(), "MSTCP\\0001"), bindings.end());
        }
    }
    EXPECT_EQ(ethernetCards, 1);

    for (const char* binding : {"0000", "0001"}) {
        const std::string driver =
            textValue(HKLM, std::string("Enum\\Network\\MSTCP\\") + binding, "Driver");
        EXPECT_EQ(driver, std::string("NetTrans\\") + binding);
        const std::string settings = "System\\CurrentControlSet\\Services\\Class\\" + driver;
        for (const char* name : {"IPAddress", "IPMask", "DefaultGateway"}) {
            EXPECT_EQ(rawValue(HKLM, settings, name).value_or(RegValue{}).type, win32::REG_SZ)
                << settings << " " << name;
        }
    }
    const std::string card = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0001";
    EXPECT_EQ(textValue(HKLM, card, "NodeType"), "8");
    EXPECT_EQ(textValue(HKLM, card, "NameServer1"), "192.168.10.5");
    EXPECT_EQ(textValue(HKLM, card, "ScopeID"), "");
}

TEST_F(Win98Template, NamesAndLogonSettings) {
    const std::string mstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
    EXPECT_EQ(textValue(HKLM, mstcp, "Domain"), "harbourline.com");
    EXPECT_EQ(textValue(HKLM, mstcp, "Hostname"), "jmorgan-lt");
    EXPECT_EQ(textValue(HKLM, mstcp, "NameServer"), "192.168.10.5,192.168.10.6");
    EXPECT_EQ(textValue(HKLM, mstcp, "EnableDNS"), "1");
    EXPECT_EQ(textValue(HKLM, mstcp, "LMHostFile"), "C:\\WINDOWS\\LMHOSTS");
    EXPECT_TRUE(platform::files().fileExists("C:\\WINDOWS\\LMHOSTS"));
    EXPECT_EQ(textValue(HKLM, "System\\CurrentControlSet\\Services\\VxD\\VNETSUP", "Workgroup"),
              "HARBOURLINE");
    EXPECT_EQ(textValue(HKLM, "System\\CurrentControlSet\\control\\ComputerName\\ComputerName",
                        "ComputerName"),
              "JMORGAN-LT");
    EXPECT_EQ(textValue(HKLM, "System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider",
                        "AuthenticatingAgent"),
              "HARBOUR");
    const auto logon = rawValue(HKLM, "Network\\Logon", "LMLogon");
    ASSERT_TRUE(logon);
    EXPECT_EQ(logon->type, win32::REG_BINARY);
    EXPECT_EQ(logon->data, (std::vector<win32::BYTE>{1, 0, 0, 0}));
}

TEST_F(Win98Template, PrintersAndTheDefaultOne) {
    expectPrintersWithDriverAndPort(2);
    expectDefaultPrinterInstalled();
    EXPECT_TRUE(platform::files().fileExists("C:\\WINDOWS\\win.ini"));
}

TEST_F(Win98Template, InternetExplorer5WithAProxyAndDialUpEntries) {
    EXPECT_EQ(textValue(HKCU, kInternetSettings, "User Agent"),
              "Mozilla/4.0 (compatible; MSIE 5.0; Windows 98; DigExt)");
    const auto enable = rawValue(HKCU, kInternetSettings, "ProxyEnable");
    ASSERT_TRUE(enable);
    EXPECT_EQ(enable->type, win32::REG_BINARY);
    EXPECT_EQ(enable->data, (std::vector<win32::BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(textValue(HKCU, kInternetSettings, "ProxyServer"), "proxy.harbourline.com:8080");
    EXPECT_EQ(textValue(HKCU, kInternetSettings, "ProxyOverride"),
              "*.harbourline.com;192.168.*;<local>");
    EXPECT_EQ(rawValue(HKCU, kInternetSettings, "EnableAutoDial").value_or(RegValue{}).type,
              win32::REG_BINARY);
    EXPECT_EQ(textValue(HKCU, "RemoteAccess", "InternetProfile"), "Harbourline Dial-In");
    EXPECT_EQ(OpenKey(HKCU, "RemoteAccess\\Addresses").valueNames().size(), 2u);
}

TEST_F(Win98Template, Navigator47FindsItsPreferencesFile) {
    const std::string navigator = "Software\\Netscape\\Netscape Navigator";
    EXPECT_EQ(textValue(HKLM, navigator, "CurrentVersion"), "4.7 (en)");
    const std::string user = textValue(HKLM, navigator + "\\Users", "CurrentUser");
    EXPECT_EQ(user, "jmorgan");
    const std::string root = textValue(HKLM, navigator + "\\Users\\" + user, "DirRoot");
    EXPECT_TRUE(platform::files().fileExists(root + "\\prefs.js")) << root;
}

TEST_F(Win98Template, RoamwiseIsNotInstalledYet) {
    EXPECT_FALSE(
        keyExists(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\rmw.exe"));
    EXPECT_FALSE(rawValue(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Roamwise"));
    EXPECT_FALSE(keyExists(win32::HKEY_CLASSES_ROOT, ".rmw"));
}

class Nt4Template : public ::testing::Test {
  protected:
    testsupport::TestMachine machine_{"nt4"};
};

TEST_F(Nt4Template, DescribesAWindowsNtWorkstation) {
    win32::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    ASSERT_TRUE(win32::GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, win32::VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(info.dwBuildNumber, 1381u);
    EXPECT_EQ(win32::GetWindowsDirectoryA(), "C:\\WINNT");
}

TEST_F(Nt4Template, NetworkCardWithItsDriverSoftware) {
    const std::string card = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\1";
    EXPECT_EQ(textValue(HKLM, card, "ServiceName"), "El90x1");
    EXPECT_FALSE(textValue(HKLM, card, "Title").empty());
    const std::string software = "SOFTWARE\\" + textValue(HKLM, card, "Manufacturer") + "\\" +
                                 textValue(HKLM, card, "ProductName") + "\\CurrentVersion";
    EXPECT_EQ(textValue(HKLM, software, "SoftwareType"), "driver");
    EXPECT_FALSE(rawValue(HKLM, card, "Hidden"));
}

TEST_F(Nt4Template, TcpIpSettingsOfTheCard) {
    const std::string tcpip = "SYSTEM\\CurrentControlSet\\Services\\El90x1\\Parameters\\Tcpip";
    const auto address = rawValue(HKLM, tcpip, "IPAddress");
    ASSERT_TRUE(address);
    EXPECT_EQ(address->type, win32::REG_MULTI_SZ);
    EXPECT_EQ(std::string(address->data.begin(), address->data.end()),
              std::string("10.20.1.57\0\0", 12));
    EXPECT_EQ(rawValue(HKLM, tcpip, "SubnetMask").value_or(RegValue{}).type, win32::REG_MULTI_SZ);
    EXPECT_EQ(rawValue(HKLM, tcpip, "DefaultGateway").value_or(RegValue{}).type,
              win32::REG_MULTI_SZ);
    const auto dhcp = rawValue(HKLM, tcpip, "EnableDHCP");
    ASSERT_TRUE(dhcp);
    EXPECT_EQ(dhcp->type, win32::REG_DWORD);
    EXPECT_EQ(dhcp->number(), 0u);

    const std::string parameters = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
    EXPECT_EQ(textValue(HKLM, parameters, "NameServer"), "10.20.0.10 10.20.0.11");
    EXPECT_EQ(textValue(HKLM, parameters, "Hostname"), "hlws042");
    const auto dns =
        rawValue(HKLM, "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters", "EnableDNS");
    ASSERT_TRUE(dns);
    EXPECT_EQ(dns->type, win32::REG_DWORD);
    const std::string netbt = "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Adapters\\El90x1";
    EXPECT_EQ(textValue(HKLM, netbt, "NameServer"), "10.20.0.12");
    EXPECT_EQ(textValue(HKLM, netbt, "NameServerBackup"), "10.20.0.13");
}

TEST_F(Nt4Template, PrintersAndTheDefaultOneInTheUsersRegistry) {
    expectPrintersWithDriverAndPort(2);
    EXPECT_EQ(textValue(HKCU, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "Device"),
              win32::GetProfileStringA("windows", "device", ""));
    expectDefaultPrinterInstalled();
}

TEST_F(Nt4Template, InternetExplorer4AndThePhoneBookButNoNavigator) {
    EXPECT_EQ(textValue(HKCU, kInternetSettings, "User Agent"),
              "Mozilla/4.0 (compatible; MSIE 4.01; Windows NT)");
    EXPECT_EQ(rawValue(HKCU, kInternetSettings, "ProxyEnable").value_or(RegValue{}).type,
              win32::REG_BINARY);
    EXPECT_FALSE(keyExists(HKLM, "Software\\Netscape\\Netscape Navigator"));
    const std::string phoneBook = win32::GetSystemDirectoryA() + "\\ras\\rasphone.pbk";
    EXPECT_EQ(phoneBook, "C:\\WINNT\\system32\\ras\\rasphone.pbk");
    EXPECT_TRUE(platform::files().fileExists(phoneBook));
}

}  // namespace
