#pragma once
// A trial copy of a registry, kept in memory over it: reads see the registry as the
// trial has changed it, writes change only the trial. Something can be tried out on
// the running system this way (what would an apply change?) without changing it.
//
// The trial follows Windows NT's rules where callers rely on them: names match without
// regard to ASCII case, a key with subkeys cannot be deleted, a key path may not begin
// with a backslash. It does not check access rights, and a handle names a key by its
// path, so a handle to a key deleted and made again reaches the new key.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform::win32impl {

class TrialRegistry : public Registry {
  public:
    // BASE is only read, and must outlive the trial.
    explicit TrialRegistry(Registry& base);

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
    // A key: its root and the names below it, as spelt by whoever named it.
    struct KeyPath {
        win32::HKEY root = 0;
        std::vector<std::string> names;
    };
    struct Value {
        std::string name;
        win32::DWORD type = 0;
        std::string data;
    };
    // What the trial changed about one key.
    struct KeyChange {
        bool hidesBase = false;  // deleted in the trial: the base's key no longer counts
        bool made = false;       // exists in the trial
        std::string name;        // its spelling when made
        // Values by folded name; nothing for a value deleted in the trial.
        std::map<std::string, std::optional<Value>> values;
        std::vector<std::string> newValueOrder;  // folded names, as first written
    };

    std::optional<KeyPath> pathOf(win32::HKEY key) const;
    std::optional<KeyPath> below(win32::HKEY key, const char* subKey, win32::LONG& error) const;
    static std::string folded(const KeyPath& path);
    bool baseCounts(const KeyPath& path) const;
    bool baseHas(const KeyPath& path);
    bool exists(const KeyPath& path);
    std::vector<std::string> subkeys(const KeyPath& path);
    std::vector<Value> values(const KeyPath& path);
    std::vector<Value> baseValues(const KeyPath& path);
    std::vector<std::string> baseSubkeys(const KeyPath& path);
    win32::HKEY openBase(const KeyPath& path);
    win32::LONG handOut(const KeyPath& path, win32::HKEY* result);

    Registry& base_;
    std::map<std::string, KeyChange> changes_;
    std::map<win32::HKEY, KeyPath> handles_;
    win32::HKEY next_ = 0x1000;
};

}  // namespace platform::win32impl
