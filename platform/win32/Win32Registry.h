#pragma once
// The registry of the running Windows system. The rest of the system holds 32-bit key
// handles; Windows hands out pointer-sized ones, so each key opened here gets a 32-bit
// number that stands for it until it is closed.

#include <map>
#include <mutex>
#include <optional>

#include "platform/Registry.h"
#include "platform/win32/SystemCalls.h"

namespace platform::win32impl {

class Win32Registry : public Registry {
  public:
    Win32Registry() = default;
    ~Win32Registry() override;
    Win32Registry(const Win32Registry&) = delete;
    Win32Registry& operator=(const Win32Registry&) = delete;

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
    // The Windows handle HKEY stands for: a predefined root or a key opened here.
    std::optional<win32sys::Handle> native(win32::HKEY key);
    // Hands out a 32-bit number for an opened Windows key (into RESULT); closes the key
    // again when no number is left.
    win32::LONG remember(win32sys::Handle opened, win32::HKEY* result);

    std::mutex mutex_;
    std::map<win32::HKEY, win32sys::Handle> opened_;
    win32::HKEY next_ = kFirstHandle;
    static constexpr win32::HKEY kFirstHandle = 0x1000;
    static constexpr win32::HKEY kLastHandle = 0x7FFFFFFF;  // below the predefined roots
};

}  // namespace platform::win32impl
