#pragma once
// A registry service for tests: forwards every call to another registry and records the
// calls that change it (RegSetValueExA, RegDeleteValueA, RegCreateKeyExA,
// RegDeleteKeyA) with the full key path, so a test can assert what was written and in
// which order.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace testsupport {

struct RegistryWrite {
    std::string
        operation;     // "RegSetValueExA", "RegDeleteValueA", "RegCreateKeyExA", "RegDeleteKeyA"
    std::string key;   // upper-case path from the root name, e.g. HKEY_LOCAL_MACHINE\SYSTEM
    std::string name;  // value name, or the subkey name for the key operations
    win32::DWORD type = 0;  // registry type of a value written
    std::string data;       // raw bytes of a value written
    win32::LONG result = 0;

    // "operation key\name", for readable expectations.
    std::string describe() const;
};

class RecordingRegistry : public platform::Registry {
  public:
    explicit RecordingRegistry(platform::Registry& inner);

    // The calls that succeeded (writes), or every call including failed ones (allWrites).
    std::vector<RegistryWrite> writes() const;
    const std::vector<RegistryWrite>& allWrites() const { return writes_; }
    // "name" of each successful write in order; handy when the keys are known.
    std::vector<std::string> writtenNames() const;
    void clear() { writes_.clear(); }

    // A key path as recorded: upper case, no leading backslash.
    static std::string normalisedPath(const std::string& path);

    win32::LONG RegOpenKeyExA(win32::HKEY hKey, const char* lpSubKey, win32::DWORD ulOptions,
                              win32::REGSAM samDesired, win32::HKEY* phkResult) override;
    win32::LONG RegCloseKey(win32::HKEY hKey) override;
    win32::LONG RegQueryInfoKeyA(win32::HKEY hKey, char* lpClass, win32::DWORD* lpcchClass,
                                 win32::DWORD* lpReserved, win32::DWORD* lpcSubKeys,
                                 win32::DWORD* lpcbMaxSubKeyLen, win32::DWORD* lpcbMaxClassLen,
                                 win32::DWORD* lpcValues, win32::DWORD* lpcbMaxValueNameLen,
                                 win32::DWORD* lpcbMaxValueLen,
                                 win32::DWORD* lpcbSecurityDescriptor,
                                 win32::FILETIME* lpftLastWriteTime) override;
    win32::LONG RegEnumKeyExA(win32::HKEY hKey, win32::DWORD dwIndex, char* lpName,
                              win32::DWORD* lpcchName, win32::DWORD* lpReserved, char* lpClass,
                              win32::DWORD* lpcchClass,
                              win32::FILETIME* lpftLastWriteTime) override;
    win32::LONG RegEnumValueA(win32::HKEY hKey, win32::DWORD dwIndex, char* lpValueName,
                              win32::DWORD* lpcchValueName, win32::DWORD* lpReserved,
                              win32::DWORD* lpType, win32::BYTE* lpData,
                              win32::DWORD* lpcbData) override;
    win32::LONG RegQueryValueExA(win32::HKEY hKey, const char* lpValueName,
                                 win32::DWORD* lpReserved, win32::DWORD* lpType,
                                 win32::BYTE* lpData, win32::DWORD* lpcbData) override;
    win32::LONG RegSetValueExA(win32::HKEY hKey, const char* lpValueName, win32::DWORD Reserved,
                               win32::DWORD dwType, const win32::BYTE* lpData,
                               win32::DWORD cbData) override;
    win32::LONG RegCreateKeyExA(win32::HKEY hKey, const char* lpSubKey, win32::DWORD Reserved,
                                const char* lpClass, win32::DWORD dwOptions,
                                win32::REGSAM samDesired, void* lpSecurityAttributes,
                                win32::HKEY* phkResult, win32::DWORD* lpdwDisposition) override;
    win32::LONG RegDeleteKeyA(win32::HKEY hKey, const char* lpSubKey) override;
    win32::LONG RegDeleteValueA(win32::HKEY hKey, const char* lpValueName) override;

  private:
    std::string pathOf(win32::HKEY hKey) const;
    std::string childPath(win32::HKEY hKey, const char* lpSubKey) const;
    void record(const char* operation, win32::HKEY hKey, const char* name, win32::LONG result,
                win32::DWORD type = 0, std::string data = {});

    platform::Registry& inner_;
    std::map<win32::HKEY, std::string> openKeys_;
    std::vector<RegistryWrite> writes_;
};

}  // namespace testsupport
