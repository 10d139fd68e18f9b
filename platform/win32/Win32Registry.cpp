#include "platform/win32/Win32Registry.h"

namespace platform::win32impl {

using namespace win32;

namespace {

bool isPredefined(HKEY key) { return key >= HKEY_CLASSES_ROOT && key <= HKEY_DYN_DATA; }

}  // namespace

Win32Registry::~Win32Registry() {
    for (const auto& [number, handle] : opened_) win32sys::regCloseKey(handle);
}

std::optional<win32sys::Handle> Win32Registry::native(HKEY key) {
    if (isPredefined(key)) return win32sys::predefinedKey(key);
    std::lock_guard lock(mutex_);
    auto found = opened_.find(key);
    if (found == opened_.end()) return std::nullopt;
    return found->second;
}

LONG Win32Registry::remember(win32sys::Handle opened, HKEY* result) {
    std::lock_guard lock(mutex_);
    // Numbers are handed out in turn and taken again only once their key is closed, so
    // a stale number held by a caller does not reach someone else's key at once.
    for (HKEY tried = 0; tried <= kLastHandle - kFirstHandle; ++tried) {
        const HKEY number = next_;
        next_ = next_ == kLastHandle ? kFirstHandle : next_ + 1;
        if (opened_.count(number) != 0) continue;
        opened_[number] = opened;
        *result = number;
        return ERROR_SUCCESS;
    }
    win32sys::regCloseKey(opened);
    return ERROR_OUTOFMEMORY;
}

LONG Win32Registry::RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD ulOptions,
                                  REGSAM samDesired, HKEY* phkResult) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    const auto parent = native(hKey);
    if (!parent) return ERROR_INVALID_HANDLE;
    win32sys::Handle opened = 0;
    const LONG result = win32sys::regOpenKey(*parent, lpSubKey, ulOptions, samDesired, &opened);
    if (result != ERROR_SUCCESS) return result;
    // A root opened by itself gets a number of its own too, as Windows NT gives a new
    // handle (Wine gives the root back; closing it is harmless).
    return remember(opened, phkResult);
}

LONG Win32Registry::RegCloseKey(HKEY hKey) {
    if (isPredefined(hKey)) return win32sys::regCloseKey(win32sys::predefinedKey(hKey));
    win32sys::Handle handle = 0;
    {
        std::lock_guard lock(mutex_);
        auto found = opened_.find(hKey);
        if (found == opened_.end()) return ERROR_INVALID_HANDLE;
        handle = found->second;
        opened_.erase(found);
    }
    return win32sys::regCloseKey(handle);
}

LONG Win32Registry::RegQueryInfoKeyA(HKEY hKey, char* lpClass, DWORD* lpcchClass, DWORD*,
                                     DWORD* lpcSubKeys, DWORD* lpcbMaxSubKeyLen,
                                     DWORD* lpcbMaxClassLen, DWORD* lpcValues,
                                     DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                                     DWORD* lpcbSecurityDescriptor, FILETIME* lpftLastWriteTime) {
    const auto key = native(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    return win32sys::regQueryInfoKey(*key, lpClass, lpcchClass, lpcSubKeys, lpcbMaxSubKeyLen,
                                     lpcbMaxClassLen, lpcValues, lpcbMaxValueNameLen,
                                     lpcbMaxValueLen, lpcbSecurityDescriptor,
                                     reinterpret_cast<DWORD*>(lpftLastWriteTime));
}

LONG Win32Registry::RegEnumKeyExA(HKEY hKey, DWORD dwIndex, char* lpName, DWORD* lpcchName,
                                  DWORD*, char* lpClass, DWORD* lpcchClass,
                                  FILETIME* lpftLastWriteTime) {
    const auto key = native(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    return win32sys::regEnumKey(*key, dwIndex, lpName, lpcchName, lpClass, lpcchClass,
                                reinterpret_cast<DWORD*>(lpftLastWriteTime));
}

LONG Win32Registry::RegEnumValueA(HKEY hKey, DWORD dwIndex, char* lpValueName,
                                  DWORD* lpcchValueName, DWORD*, DWORD* lpType, BYTE* lpData,
                                  DWORD* lpcbData) {
    const auto key = native(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    return win32sys::regEnumValue(*key, dwIndex, lpValueName, lpcchValueName, lpType, lpData,
                                  lpcbData);
}

LONG Win32Registry::RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD*, DWORD* lpType,
                                     BYTE* lpData, DWORD* lpcbData) {
    const auto key = native(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    return win32sys::regQueryValue(*key, lpValueName, lpType, lpData, lpcbData);
}

LONG Win32Registry::RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD, DWORD dwType,
                                   const BYTE* lpData, DWORD cbData) {
    const auto key = native(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    return win32sys::regSetValue(*key, lpValueName, dwType, lpData, cbData);
}

LONG Win32Registry::RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD, const char* lpClass,
                                    DWORD dwOptions, REGSAM samDesired, void*, HKEY* phkResult,
                                    DWORD* lpdwDisposition) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    const auto parent = native(hKey);
    if (!parent) return ERROR_INVALID_HANDLE;
    win32sys::Handle created = 0;
    const LONG result = win32sys::regCreateKey(*parent, lpSubKey, lpClass, dwOptions, samDesired,
                                               &created, lpdwDisposition);
    if (result != ERROR_SUCCESS) return result;
    return remember(created, phkResult);
}

LONG Win32Registry::RegDeleteKeyA(HKEY hKey, const char* lpSubKey) {
    const auto key = native(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    return win32sys::regDeleteKey(*key, lpSubKey);
}

LONG Win32Registry::RegDeleteValueA(HKEY hKey, const char* lpValueName) {
    const auto key = native(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    return win32sys::regDeleteValue(*key, lpValueName);
}

}  // namespace platform::win32impl
