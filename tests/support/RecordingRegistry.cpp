#include "tests/support/RecordingRegistry.h"

#include "platform/AsciiText.h"

namespace testsupport {

namespace {

std::string rootName(win32::HKEY hKey) {
    switch (hKey) {
        case win32::HKEY_CLASSES_ROOT:
            return "HKEY_CLASSES_ROOT";
        case win32::HKEY_CURRENT_USER:
            return "HKEY_CURRENT_USER";
        case win32::HKEY_LOCAL_MACHINE:
            return "HKEY_LOCAL_MACHINE";
        case win32::HKEY_USERS:
            return "HKEY_USERS";
        case win32::HKEY_PERFORMANCE_DATA:
            return "HKEY_PERFORMANCE_DATA";
        case win32::HKEY_CURRENT_CONFIG:
            return "HKEY_CURRENT_CONFIG";
        case win32::HKEY_DYN_DATA:
            return "HKEY_DYN_DATA";
        default:
            return "";
    }
}

}  // namespace

std::string RegistryWrite::describe() const {
    return operation + " " + key + "\\" + name;
}

RecordingRegistry::RecordingRegistry(platform::Registry& inner) : inner_(inner) {}

std::string RecordingRegistry::normalisedPath(const std::string& path) {
    std::string result = platform::upperAscii(path);
    while (!result.empty() && result.front() == '\\') result.erase(result.begin());
    while (!result.empty() && result.back() == '\\') result.pop_back();
    return result;
}

std::vector<RegistryWrite> RecordingRegistry::writes() const {
    std::vector<RegistryWrite> succeeded;
    for (const auto& write : writes_) {
        if (write.result == win32::ERROR_SUCCESS) succeeded.push_back(write);
    }
    return succeeded;
}

std::vector<std::string> RecordingRegistry::writtenNames() const {
    std::vector<std::string> names;
    for (const auto& write : writes()) names.push_back(write.name);
    return names;
}

std::string RecordingRegistry::pathOf(win32::HKEY hKey) const {
    if (const auto root = rootName(hKey); !root.empty()) return root;
    const auto found = openKeys_.find(hKey);
    return found == openKeys_.end() ? "?" : found->second;
}

std::string RecordingRegistry::childPath(win32::HKEY hKey, const char* lpSubKey) const {
    std::string path = pathOf(hKey);
    if (lpSubKey != nullptr && *lpSubKey != '\0') path += std::string("\\") + lpSubKey;
    return normalisedPath(path);
}

void RecordingRegistry::record(const char* operation, win32::HKEY hKey, const char* name,
                               win32::LONG result, win32::DWORD type, std::string data) {
    writes_.push_back(RegistryWrite{operation, normalisedPath(pathOf(hKey)),
                                    name != nullptr ? name : "", type, std::move(data), result});
}

win32::LONG RecordingRegistry::RegOpenKeyExA(win32::HKEY hKey, const char* lpSubKey,
                                             win32::DWORD ulOptions, win32::REGSAM samDesired,
                                             win32::HKEY* phkResult) {
    const auto result = inner_.RegOpenKeyExA(hKey, lpSubKey, ulOptions, samDesired, phkResult);
    if (result == win32::ERROR_SUCCESS && phkResult != nullptr) {
        openKeys_[*phkResult] = childPath(hKey, lpSubKey);
    }
    return result;
}

win32::LONG RecordingRegistry::RegCloseKey(win32::HKEY hKey) {
    const auto result = inner_.RegCloseKey(hKey);
    if (result == win32::ERROR_SUCCESS) openKeys_.erase(hKey);
    return result;
}

win32::LONG RecordingRegistry::RegQueryInfoKeyA(
    win32::HKEY hKey, char* lpClass, win32::DWORD* lpcchClass, win32::DWORD* lpReserved,
    win32::DWORD* lpcSubKeys, win32::DWORD* lpcbMaxSubKeyLen, win32::DWORD* lpcbMaxClassLen,
    win32::DWORD* lpcValues, win32::DWORD* lpcbMaxValueNameLen, win32::DWORD* lpcbMaxValueLen,
    win32::DWORD* lpcbSecurityDescriptor, win32::FILETIME* lpftLastWriteTime) {
    return inner_.RegQueryInfoKeyA(
        hKey, lpClass, lpcchClass, lpReserved, lpcSubKeys, lpcbMaxSubKeyLen, lpcbMaxClassLen,
        lpcValues, lpcbMaxValueNameLen, lpcbMaxValueLen, lpcbSecurityDescriptor, lpftLastWriteTime);
}

win32::LONG RecordingRegistry::RegEnumKeyExA(win32::HKEY hKey, win32::DWORD dwIndex, char* lpName,
                                             win32::DWORD* lpcchName, win32::DWORD* lpReserved,
                                             char* lpClass, win32::DWORD* lpcchClass,
                                             win32::FILETIME* lpftLastWriteTime) {
    return inner_.RegEnumKeyExA(hKey, dwIndex, lpName, lpcchName, lpReserved, lpClass, lpcchClass,
                                lpftLastWriteTime);
}

win32::LONG RecordingRegistry::RegEnumValueA(win32::HKEY hKey, win32::DWORD dwIndex,
                                             char* lpValueName, win32::DWORD* lpcchValueName,
                                             win32::DWORD* lpReserved, win32::DWORD* lpType,
                                             win32::BYTE* lpData, win32::DWORD* lpcbData) {
    return inner_.RegEnumValueA(hKey, dwIndex, lpValueName, lpcchValueName, lpReserved, lpType,
                                lpData, lpcbData);
}

win32::LONG RecordingRegistry::RegQueryValueExA(win32::HKEY hKey, const char* lpValueName,
                                                win32::DWORD* lpReserved, win32::DWORD* lpType,
                                                win32::BYTE* lpData, win32::DWORD* lpcbData) {
    return inner_.RegQueryValueExA(hKey, lpValueName, lpReserved, lpType, lpData, lpcbData);
}

win32::LONG RecordingRegistry::RegSetValueExA(win32::HKEY hKey, const char* lpValueName,
                                              win32::DWORD Reserved, win32::DWORD dwType,
                                              const win32::BYTE* lpData, win32::DWORD cbData) {
    const auto result = inner_.RegSetValueExA(hKey, lpValueName, Reserved, dwType, lpData, cbData);
    std::string data;
    if (lpData != nullptr) data.assign(reinterpret_cast<const char*>(lpData), cbData);
    record("RegSetValueExA", hKey, lpValueName, result, dwType, std::move(data));
    return result;
}

win32::LONG RecordingRegistry::RegCreateKeyExA(win32::HKEY hKey, const char* lpSubKey,
                                               win32::DWORD Reserved, const char* lpClass,
                                               win32::DWORD dwOptions, win32::REGSAM samDesired,
                                               void* lpSecurityAttributes, win32::HKEY* phkResult,
                                               win32::DWORD* lpdwDisposition) {
    const auto result =
        inner_.RegCreateKeyExA(hKey, lpSubKey, Reserved, lpClass, dwOptions, samDesired,
                               lpSecurityAttributes, phkResult, lpdwDisposition);
    if (result == win32::ERROR_SUCCESS && phkResult != nullptr) {
        openKeys_[*phkResult] = childPath(hKey, lpSubKey);
    }
    record("RegCreateKeyExA", hKey, lpSubKey, result);
    return result;
}

win32::LONG RecordingRegistry::RegDeleteKeyA(win32::HKEY hKey, const char* lpSubKey) {
    const auto result = inner_.RegDeleteKeyA(hKey, lpSubKey);
    record("RegDeleteKeyA", hKey, lpSubKey, result);
    return result;
}

win32::LONG RecordingRegistry::RegDeleteValueA(win32::HKEY hKey, const char* lpValueName) {
    const auto result = inner_.RegDeleteValueA(hKey, lpValueName);
    record("RegDeleteValueA", hKey, lpValueName, result);
    return result;
}

}  // namespace testsupport
