#pragma once
// Helpers for the network backend tests: direct registry access on the installed test
// machine, and recording stand-ins for the registry, the power service (broadcasts) and
// win.ini.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Power.h"
#include "platform/ProfileStrings.h"
#include "platform/Win32.h"
#include "registry/clsEasyRegistry.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/TestMachine.h"

namespace nettest {

inline const std::string kHklm = "\\HKEY_LOCAL_MACHINE\\";
inline const std::string kMstcp = kHklm + "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline const std::string kNetTrans =
    kHklm + "System\\CurrentControlSet\\Services\\Class\\NetTrans\\";
inline const std::string kTcpip = kHklm + "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline const std::string kNetBt = kHklm + "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters";
inline const std::string kCard =
    kHklm + "SYSTEM\\CurrentControlSet\\Services\\El90x1\\Parameters\\Tcpip";
inline const std::string kCardNetBt =
    kHklm + "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Adapters\\El90x1";

struct StoredValue {
    std::int32_t type = 0;
    std::string text;
    std::vector<std::uint8_t> bytes;
    double number = 0;
};

inline std::optional<StoredValue> readValue(const std::string& key, const std::string& name) {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd(key);
    StoredValue stored;
    const auto value = registry.ValueOf(name, stored.type);
    if (registry.lastError() != 0) return std::nullopt;
    stored.text = value.text;
    stored.bytes = value.bytes;
    stored.number = value.number;
    return stored;
}

inline std::string readText(const std::string& key, const std::string& name) {
    const auto value = readValue(key, name);
    return value ? value->text : "<missing>";
}

// Setup writes raise on failure, so a test never runs on a registry it failed to build.
inline void writeText(const std::string& key, const std::string& name, const std::string& text) {
    clsEasyRegistry registry;
    registry.Cd(key);
    registry.ValueOf(name, clsEasyRegistry::STRING, text);
}

inline void writeDword(const std::string& key, const std::string& name, double number) {
    clsEasyRegistry registry;
    registry.Cd(key);
    registry.ValueOf(name, clsEasyRegistry::DWORD, number);
}

inline void writeMultiString(const std::string& key, const std::string& name,
                             const std::string& raw) {
    clsEasyRegistry registry;
    registry.Cd(key);
    registry.ValueOf(name, clsEasyRegistry::MULTI_STRING,
                     clsEasyRegistry::Bytes(raw.begin(), raw.end()));
}

inline void removeValue(const std::string& key, const std::string& name) {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd(key);
    registry.DeleteValue(name);
}

inline void makeKey(const std::string& parent, const std::string& child) {
    clsEasyRegistry registry;
    registry.Cd(parent);
    registry.MakeKey(child);
}

inline void removeKey(const std::string& parent, const std::string& child) {
    clsEasyRegistry registry;
    registry.Cd(parent);
    registry.DeleteKey(child);
}

// Records the WM_WININICHANGE broadcasts instead of passing them on.
class RecordingPower : public platform::Power {
  public:
    struct Broadcast {
        win32::HWND window;
        win32::UINT message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        win32::UINT flags;
        win32::UINT timeout;
    };

    win32::BOOL ExitWindowsEx(win32::UINT, win32::DWORD) override { return 0; }
    win32::BOOL SetSystemPowerState(win32::BOOL, win32::BOOL) override { return 0; }
    long SendMessageTimeoutA(win32::HWND hWnd, win32::UINT msg, std::uintptr_t wParam,
                             std::intptr_t lParam, win32::UINT fuFlags, win32::UINT uTimeout,
                             std::uintptr_t*) override {
        broadcasts.push_back({hWnd, msg, wParam, lParam, fuFlags, uTimeout});
        return 1;
    }

    std::vector<Broadcast> broadcasts;
};

// Forwards to the machine's profile files, but can refuse writes to win.ini.
class WinIniSwitch : public platform::ProfileStrings {
  public:
    explicit WinIniSwitch(platform::ProfileStrings& inner) : inner_(inner) {}

    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue,
                                         const std::string& fileName) override {
        return inner_.GetPrivateProfileStringA(section, key, defaultValue, fileName);
    }
    win32::BOOL WritePrivateProfileStringA(const std::string& section,
                                           const std::optional<std::string>& key,
                                           const std::optional<std::string>& value,
                                           const std::string& fileName) override {
        return inner_.WritePrivateProfileStringA(section, key, value, fileName);
    }
    std::string GetProfileStringA(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) override {
        return inner_.GetProfileStringA(section, key, defaultValue);
    }
    win32::BOOL WriteProfileStringA(const std::string& section,
                                    const std::optional<std::string>& key,
                                    const std::optional<std::string>& value) override {
        if (refuseWrites) return 0;
        return inner_.WriteProfileStringA(section, key, value);
    }
    bool beginWriteSession(const std::string& file, const std::string& contents) override {
        return inner_.beginWriteSession(file, contents);
    }
    bool commitWriteSession(const std::string& file) override {
        return inner_.commitWriteSession(file);
    }
    void endWriteSession(const std::string& file) override { inner_.endWriteSession(file); }
    std::string writeSessionContents(const std::string& file) override {
        return inner_.writeSessionContents(file);
    }

    bool refuseWrites = false;

  private:
    platform::ProfileStrings& inner_;
};

// A template machine whose registry writes are recorded and whose broadcasts are
// captured. Install it before creating a backend so every key handle is known.
class RecordedMachine {
  public:
    explicit RecordedMachine(const std::string& templateName)
        : machine_(templateName),
          recorder_(*machine_.services().registry),
          winIni_(*machine_.services().profiles) {
        auto services = machine_.services();
        services.registry = &recorder_;
        services.power = &power_;
        services.profiles = &winIni_;
        machine_.install(services);
    }

    testsupport::TestMachine& machine() { return machine_; }
    testsupport::RecordingRegistry& recorder() { return recorder_; }
    RecordingPower& power() { return power_; }
    WinIniSwitch& winIni() { return winIni_; }

    // "value name=data" of every successful change, in order; deletions read "-name".
    std::vector<std::string> changes() const {
        std::vector<std::string> all;
        for (const auto& write : recorder_.writes()) {
            if (write.operation == "RegDeleteValueA") {
                all.push_back("-" + write.name);
            } else if (write.type == win32::REG_SZ) {
                const auto end = write.data.find('\0');
                all.push_back(write.name + "=" + write.data.substr(0, end));
            } else {
                all.push_back(write.name);
            }
        }
        return all;
    }

  private:
    testsupport::TestMachine machine_;
    testsupport::RecordingRegistry recorder_;
    RecordingPower power_;
    WinIniSwitch winIni_;
};

}  // namespace nettest
