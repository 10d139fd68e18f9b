#pragma once
// The registry concern: the ten registry functions with their Win32 signatures and
// results. One implementation per system (the emulated machine's SQLite registry,
// later real Win32); tests may install a wrapping implementation, for instance one
// that records the order of writes.

#include <string>

#include "platform/Win32Types.h"

namespace platform {

class Registry {
public:
    virtual ~Registry() = default;

    virtual win32::LONG RegOpenKeyExA(win32::HKEY hKey, const char* lpSubKey,
                                      win32::DWORD ulOptions, win32::REGSAM samDesired,
                                      win32::HKEY* phkResult) = 0;
    virtual win32::LONG RegCloseKey(win32::HKEY hKey) = 0;
    virtual win32::LONG RegQueryInfoKeyA(win32::HKEY hKey, char* lpClass,
                                         win32::DWORD* lpcchClass, win32::DWORD* lpReserved,
                                         win32::DWORD* lpcSubKeys, win32::DWORD* lpcbMaxSubKeyLen,
                                         win32::DWORD* lpcbMaxClassLen, win32::DWORD* lpcValues,
                                         win32::DWORD* lpcbMaxValueNameLen,
                                         win32::DWORD* lpcbMaxValueLen,
                                         win32::DWORD* lpcbSecurityDescriptor,
                                         win32::FILETIME* lpftLastWriteTime) = 0;
    virtual win32::LONG RegEnumKeyExA(win32::HKEY hKey, win32::DWORD dwIndex, char* lpName,
                                      win32::DWORD* lpcchName, win32::DWORD* lpReserved,
                                      char* lpClass, win32::DWORD* lpcchClass,
                                      win32::FILETIME* lpftLastWriteTime) = 0;
    virtual win32::LONG RegEnumValueA(win32::HKEY hKey, win32::DWORD dwIndex, char* lpValueName,
                                      win32::DWORD* lpcchValueName, win32::DWORD* lpReserved,
                                      win32::DWORD* lpType, win32::BYTE* lpData,
                                      win32::DWORD* lpcbData) = 0;
    virtual win32::LONG RegQueryValueExA(win32::HKEY hKey, const char* lpValueName,
                                         win32::DWORD* lpReserved, win32::DWORD* lpType,
                                         win32::BYTE* lpData, win32::DWORD* lpcbData) = 0;
    virtual win32::LONG RegSetValueExA(win32::HKEY hKey, const char* lpValueName,
                                       win32::DWORD Reserved, win32::DWORD dwType,
                                       const win32::BYTE* lpData, win32::DWORD cbData) = 0;
    virtual win32::LONG RegCreateKeyExA(win32::HKEY hKey, const char* lpSubKey,
                                        win32::DWORD Reserved, const char* lpClass,
                                        win32::DWORD dwOptions, win32::REGSAM samDesired,
                                        void* lpSecurityAttributes, win32::HKEY* phkResult,
                                        win32::DWORD* lpdwDisposition) = 0;
    virtual win32::LONG RegDeleteKeyA(win32::HKEY hKey, const char* lpSubKey) = 0;
    virtual win32::LONG RegDeleteValueA(win32::HKEY hKey, const char* lpValueName) = 0;

    // One apply as a unit. Between beginTransaction and commitTransaction, the registry
    // writes of this process (and, where the system can stage them, the files it writes
    // meanwhile) reach the machine together at commit, or not at all after
    // rollbackTransaction or a crash; one apply runs at a time on a machine, and begin
    // waits up to WAITSECONDS for another to end. Both return false when that is not
    // possible, with transactionError() saying why; nothing has changed then. Real
    // Windows has no such transaction: these defaults write as the calls come.
    virtual bool beginTransaction(double waitSeconds) {
        (void)waitSeconds;
        return true;
    }
    virtual bool commitTransaction() { return true; }
    virtual void rollbackTransaction() {}
    virtual std::string transactionError() const { return {}; }

    // A run of reads that belong together (a program reading the machine's settings):
    // from beginReadSnapshot to the matching endReadSnapshot (pairs nest), reads see the
    // registry as it was at the first of them, never half of another program's change,
    // and cost less each. A write of this process ends the snapshot early, so that it and
    // every read after it see the registry as it is. The defaults read as the calls come.
    virtual void beginReadSnapshot() {}
    virtual void endReadSnapshot() {}
};

}  // namespace platform
