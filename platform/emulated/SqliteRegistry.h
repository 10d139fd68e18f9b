#pragma once
// The emulated machine's registry: the ten Win32 registry functions over a
// RegistryDatabase, with the results and quirks of the machine's platform. Handles are
// private to this object (and so to the process); the data are shared through the
// database with every process that opens the same machine. HKEY_CLASSES_ROOT is a second
// name for HKEY_LOCAL_MACHINE\SOFTWARE\Classes, as on Windows.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/emulated/ApplyTransaction.h"
#include "platform/emulated/RegistryDatabase.h"
#include "platform/emulated/RegistryReadCache.h"

namespace platform::emulated {

class SqliteRegistry : public platform::Registry {
  public:
    // IS_NT selects the Windows NT behaviour (access checks, no recursive key
    // deletion, strings kept as passed); otherwise Windows 95/98.
    SqliteRegistry(const std::filesystem::path& databaseFile, bool isNT);
    ~SqliteRegistry() override;

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

    // The apply transaction; without an attached ApplyTransaction (a registry used on its
    // own) it is the database transaction alone.
    bool beginTransaction(double waitSeconds) override;
    bool commitTransaction() override;
    void rollbackTransaction() override;
    std::string transactionError() const override;
    void beginReadSnapshot() override;
    void endReadSnapshot() override;
    void attachTransaction(std::unique_ptr<ApplyTransaction> transaction);
    ApplyTransaction* applyTransaction() { return applyTransaction_.get(); }

    // The storage, for import, export and checks that work below the Win32 functions.
    RegistryDatabase& database() { return database_; }
    bool isNT() const { return isNT_; }
    // Handles opened and not yet closed (predefined roots not counted).
    std::size_t openHandleCount() const;

  private:
    // An open handle: the key it stands for and the rights it was opened with.
    struct OpenKey {
        KeyId id = 0;
        std::string path;  // folded full path
        win32::REGSAM access = 0;
        bool predefined = false;
    };

    // Points HKEY_CLASSES_ROOT at HKEY_LOCAL_MACHINE\SOFTWARE\Classes, moving what an
    // older machine kept under a separate root there first.
    void aliasClassesRoot();
    void followClassesKey(OpenKey& alias);
    OpenKey* find(win32::HKEY handle);
    win32::HKEY allocate(KeyId key, std::string path, win32::REGSAM access);
    bool allowed(const OpenKey& key, win32::REGSAM needed) const;
    // The folded path SUBKEY names below KEY; an error code when it is not a valid path.
    win32::LONG resolve(const OpenKey& key, const char* subKey, std::string& path,
                        std::vector<std::string>& components) const;
    win32::LONG createPath(const OpenKey& base, const std::vector<std::string>& components,
                           KeyId& created, std::string& path, bool& existed);
    // The bytes a query reports for a stored value.
    std::string presented(const StoredValue& value) const;
    // The bytes stored for data passed to RegSetValueExA.
    std::string stored(win32::DWORD type, const win32::BYTE* data, win32::DWORD size) const;
    template <typename Call>
    win32::LONG guarded(win32::LONG failure, Call&& call);

    RegistryDatabase database_;
    RegistryReadCache cache_;
    bool isNT_;
    mutable std::mutex lock_;
    std::map<win32::HKEY, OpenKey> keys_;
    win32::HKEY nextHandle_ = 0x100;
    std::unique_ptr<ApplyTransaction> applyTransaction_;
    std::unique_ptr<RegistryDatabase::Transaction> plainTransaction_;
    std::string transactionError_;
};

}  // namespace platform::emulated
