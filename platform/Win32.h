#pragma once
// The Win32 functions the system calls, in their ANSI forms and with their Win32
// signatures. Each forwards to the installed platform service; a port to real Windows
// replaces these bodies with the system calls of the same names.

#include <optional>
#include <string>

#include "platform/Services.h"

namespace win32 {

inline LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD ulOptions, REGSAM samDesired,
                          HKEY* phkResult) {
    return platform::registry().RegOpenKeyExA(hKey, lpSubKey, ulOptions, samDesired, phkResult);
}
inline LONG RegCloseKey(HKEY hKey) { return platform::registry().RegCloseKey(hKey); }
inline LONG RegQueryInfoKeyA(HKEY hKey, char* lpClass, DWORD* lpcchClass, DWORD* lpReserved,
                             DWORD* lpcSubKeys, DWORD* lpcbMaxSubKeyLen, DWORD* lpcbMaxClassLen,
                             DWORD* lpcValues, DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                             DWORD* lpcbSecurityDescriptor, FILETIME* lpftLastWriteTime) {
    return platform::registry().RegQueryInfoKeyA(
        hKey, lpClass, lpcchClass, lpReserved, lpcSubKeys, lpcbMaxSubKeyLen, lpcbMaxClassLen,
        lpcValues, lpcbMaxValueNameLen, lpcbMaxValueLen, lpcbSecurityDescriptor,
        lpftLastWriteTime);
}
inline LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, char* lpName, DWORD* lpcchName,
                          DWORD* lpReserved, char* lpClass, DWORD* lpcchClass,
                          FILETIME* lpftLastWriteTime) {
    return platform::registry().RegEnumKeyExA(hKey, dwIndex, lpName, lpcchName, lpReserved,
                                              lpClass, lpcchClass, lpftLastWriteTime);
}
inline LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, char* lpValueName, DWORD* lpcchValueName,
                          DWORD* lpReserved, DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
    return platform::registry().RegEnumValueA(hKey, dwIndex, lpValueName, lpcchValueName,
                                              lpReserved, lpType, lpData, lpcbData);
}
inline LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved,
                             DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
    return platform::registry().RegQueryValueExA(hKey, lpValueName, lpReserved, lpType, lpData,
                                                 lpcbData);
}
inline LONG RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD Reserved, DWORD dwType,
                           const BYTE* lpData, DWORD cbData) {
    return platform::registry().RegSetValueExA(hKey, lpValueName, Reserved, dwType, lpData,
                                               cbData);
}
inline LONG RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD Reserved, const char* lpClass,
                            DWORD dwOptions, REGSAM samDesired, void* lpSecurityAttributes,
                            HKEY* phkResult, DWORD* lpdwDisposition) {
    return platform::registry().RegCreateKeyExA(hKey, lpSubKey, Reserved, lpClass, dwOptions,
                                                samDesired, lpSecurityAttributes, phkResult,
                                                lpdwDisposition);
}
inline LONG RegDeleteKeyA(HKEY hKey, const char* lpSubKey) {
    return platform::registry().RegDeleteKeyA(hKey, lpSubKey);
}
inline LONG RegDeleteValueA(HKEY hKey, const char* lpValueName) {
    return platform::registry().RegDeleteValueA(hKey, lpValueName);
}

inline BOOL GetVersionExA(OSVERSIONINFOA* lpVersionInformation) {
    return platform::systemInfo().GetVersionExA(lpVersionInformation);
}
inline std::string GetWindowsDirectoryA() { return platform::systemInfo().GetWindowsDirectoryA(); }
inline std::string GetSystemDirectoryA() { return platform::systemInfo().GetSystemDirectoryA(); }

inline std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                            const std::string& defaultValue,
                                            const std::string& fileName) {
    return platform::profiles().GetPrivateProfileStringA(section, key, defaultValue, fileName);
}
inline BOOL WritePrivateProfileStringA(const std::string& section,
                                       const std::optional<std::string>& key,
                                       const std::optional<std::string>& value,
                                       const std::string& fileName) {
    return platform::profiles().WritePrivateProfileStringA(section, key, value, fileName);
}
inline std::string GetProfileStringA(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
    return platform::profiles().GetProfileStringA(section, key, defaultValue);
}
inline BOOL WriteProfileStringA(const std::string& section, const std::optional<std::string>& key,
                                const std::optional<std::string>& value) {
    return platform::profiles().WriteProfileStringA(section, key, value);
}

inline BOOL ExitWindowsEx(UINT uFlags, DWORD dwReserved) {
    return platform::power().ExitWindowsEx(uFlags, dwReserved);
}
inline BOOL SetSystemPowerState(BOOL fSuspend, BOOL fForce) {
    return platform::power().SetSystemPowerState(fSuspend, fForce);
}
inline long SendMessageTimeoutA(HWND hWnd, UINT msg, std::uintptr_t wParam, std::intptr_t lParam,
                                UINT fuFlags, UINT uTimeout, std::uintptr_t* lpdwResult) {
    return platform::power().SendMessageTimeoutA(hWnd, msg, wParam, lParam, fuFlags, uTimeout,
                                                 lpdwResult);
}

inline long ShellExecuteA(const std::string& operation, const std::string& file,
                          const std::string& parameters, const std::string& directory) {
    return platform::shell().ShellExecuteA(operation, file, parameters, directory);
}

inline BOOL Shell_NotifyIconA(DWORD dwMessage, const NOTIFYICONDATAA* lpData) {
    return platform::notificationArea().Shell_NotifyIconA(dwMessage, lpData);
}

inline BOOL CreateProcessA(const std::string& commandLine, DWORD creationFlags,
                           const std::string& currentDirectory, WORD showWindow,
                           PROCESS_INFORMATION* info) {
    return platform::processes().CreateProcessA(commandLine, creationFlags, currentDirectory,
                                                showWindow, info);
}
inline DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    return platform::processes().WaitForSingleObject(handle, milliseconds);
}
inline BOOL GetExitCodeProcess(HANDLE handle, DWORD* exitCode) {
    return platform::processes().GetExitCodeProcess(handle, exitCode);
}
inline BOOL CloseHandle(HANDLE handle) { return platform::processes().CloseHandle(handle); }

// The DOS date and time of a FAT directory entry or a ZIP header as a file time in the
// same time zone; 0 for a date or time out of range.
inline BOOL DosDateTimeToFileTime(WORD fatDate, WORD fatTime, FILETIME* fileTime) {
    const int year = 1980 + (fatDate >> 9), month = (fatDate >> 5) & 15, day = fatDate & 31;
    const int hour = fatTime >> 11, minute = (fatTime >> 5) & 63, second = (fatTime & 31) * 2;
    if (month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59) return 0;
    // Days from 1601-01-01 (proleptic Gregorian), by the civil-from-days method.
    const int y = year - (month <= 2);
    const long era = y / 400;
    const long yoe = y - era * 400;
    const long doy = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long daysFrom1970 = era * 146097 + doe - 719468;
    const unsigned long long seconds =
        static_cast<unsigned long long>(daysFrom1970 + 134774) * 86400ULL + hour * 3600ULL + minute * 60ULL + second;
    const unsigned long long ticks = seconds * 10000000ULL;
    fileTime->dwLowDateTime = static_cast<DWORD>(ticks);
    fileTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return 1;
}
inline BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc) {
    return platform::systemInfo().LocalFileTimeToFileTime(local, utc);
}
inline BOOL SetFileTime(const std::string& path, const FILETIME& lastWrite) {
    return platform::files().SetFileTime(path, lastWrite);
}

inline HMODULE LoadLibraryA(const std::string& path) {
    return platform::libraries().LoadLibraryA(path);
}
inline FARPROC GetProcAddress(HMODULE module, const char* name) {
    return platform::libraries().GetProcAddress(module, name);
}
inline BOOL FreeLibrary(HMODULE module) { return platform::libraries().FreeLibrary(module); }

inline std::string GetTempPathA() { return platform::systemInfo().GetTempPathA(); }
inline std::string GetShortPathNameA(const std::string& path) {
    return platform::files().GetShortPathNameA(path);
}
inline std::string GetCurrentDirectoryA() { return platform::files().GetCurrentDirectoryA(); }
inline BOOL SetCurrentDirectoryA(const std::string& path) {
    return platform::files().SetCurrentDirectoryA(path);
}

}  // namespace win32
