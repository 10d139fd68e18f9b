#include "platform/emulated/SqliteRegistry.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

#include "platform/emulated/ClassesRoot.h"

namespace platform::emulated {
namespace {

using win32::DWORD;
using win32::HKEY;
using win32::LONG;

win32::REGSAM effectiveAccess(win32::REGSAM requested) {
    if (requested & (win32::MAXIMUM_ALLOWED | win32::GENERIC_ALL)) return win32::KEY_ALL_ACCESS;
    win32::REGSAM access = requested & win32::KEY_ALL_ACCESS;
    if (requested & (win32::GENERIC_READ | win32::GENERIC_EXECUTE)) access |= win32::KEY_READ;
    if (requested & win32::GENERIC_WRITE) access |= win32::KEY_WRITE;
    return access;
}

win32::FILETIME toFileTime(std::int64_t ticks) {
    win32::FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32);
    return time;
}

// An empty class name, as every key here has.
void reportNoClass(char* lpClass, DWORD* lpcchClass) {
    if (lpcchClass == nullptr) return;
    if (lpClass != nullptr && *lpcchClass > 0) lpClass[0] = '\0';
    *lpcchClass = 0;
}

bool isStringType(DWORD type) {
    return type == win32::REG_SZ || type == win32::REG_EXPAND_SZ;
}

std::string joinFolded(std::string path, const std::vector<std::string>& components) {
    for (const auto& component : components) {
        path += '\\';
        path += foldName(component);
    }
    return path;
}

// Key names hold no backslash, so each one in a folded path opens a level.
std::size_t levelsBelowRoot(const std::string& path) {
    return static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
}

}  // namespace

SqliteRegistry::SqliteRegistry(const std::filesystem::path& databaseFile, bool isNT)
    : database_(databaseFile), cache_(database_), isNT_(isNT) {
    for (const auto& root : registryRoots()) {
        OpenKey key;
        key.id = RegistryDatabase::rootId(root.handle);
        key.path = root.name;
        key.access = win32::KEY_ALL_ACCESS;
        key.predefined = true;
        keys_.emplace(root.handle, std::move(key));
    }
    aliasClassesRoot();
}

void SqliteRegistry::aliasClassesRoot() {
    // A registry that still keeps data under an old separate HKEY_CLASSES_ROOT and
    // cannot move it (read-only storage) goes on showing that data under the name.
    if (!adoptOldClassesRoot(database_)) return;
    const auto classes = ensureClassesKey(database_);
    if (!classes) return;
    OpenKey& alias = keys_.at(win32::HKEY_CLASSES_ROOT);
    alias.id = *classes;
    alias.path = kClassesKeyPath;
}

SqliteRegistry::~SqliteRegistry() = default;

std::size_t SqliteRegistry::openHandleCount() const {
    std::lock_guard guard(lock_);
    return keys_.size() - registryRoots().size();
}

SqliteRegistry::OpenKey* SqliteRegistry::find(HKEY handle) {
    auto found = keys_.find(handle);
    if (found == keys_.end()) return nullptr;
    if (handle == win32::HKEY_CLASSES_ROOT) followClassesKey(found->second);
    return &found->second;
}

void SqliteRegistry::followClassesKey(OpenKey& alias) {
    if (alias.path != kClassesKeyPath) return;  // still the old separate root
    // The shared key may have been removed and made again (by a registry file, say).
    try {
        if (auto classes = cache_.findKey(kClassesKeyPath)) {
            alias.id = *classes;
        } else if (auto made = ensureClassesKey(database_)) {
            alias.id = *made;
        }
    } catch (const DatabaseError&) {
        // The call on the handle reports what is wrong with the database.
    }
}

HKEY SqliteRegistry::allocate(KeyId key, std::string path, win32::REGSAM access) {
    // Handle values look like Windows': small multiples of four, never a root's value.
    while (keys_.count(nextHandle_) != 0 || nextHandle_ >= win32::HKEY_CLASSES_ROOT ||
           nextHandle_ == 0) {
        nextHandle_ = nextHandle_ >= win32::HKEY_CLASSES_ROOT ? 0x100 : nextHandle_ + 4;
    }
    HKEY handle = nextHandle_;
    nextHandle_ += 4;
    OpenKey open;
    open.id = key;
    open.path = std::move(path);
    open.access = effectiveAccess(access);
    keys_.emplace(handle, std::move(open));
    return handle;
}

bool SqliteRegistry::allowed(const OpenKey& key, win32::REGSAM needed) const {
    // Windows 95/98 ignore access rights; NT checks the rights the handle was opened with.
    return !isNT_ || (key.access & needed) == needed;
}

LONG SqliteRegistry::resolve(const OpenKey& key, const char* subKey, std::string& path,
                             std::vector<std::string>& components) const {
    components.clear();
    if (subKey != nullptr && *subKey != '\0') {
        if (isNT_ && subKey[0] == '\\') return win32::ERROR_BAD_PATHNAME;
        components = splitKeyPath(subKey);
    }
    path = joinFolded(key.path, components);
    return win32::ERROR_SUCCESS;
}

template <typename Call>
LONG SqliteRegistry::guarded(LONG failure, Call&& call) {
    try {
        return call();
    } catch (const DatabaseError& error) {
        if (error.isCorrupt()) return win32::ERROR_BADDB;
        if ((error.code() & 0xFF) == SQLITE_CONSTRAINT) return win32::ERROR_KEY_DELETED;
        return failure;
    } catch (const std::bad_alloc&) {
        return win32::ERROR_OUTOFMEMORY;
    }
}

LONG SqliteRegistry::RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD, win32::REGSAM samDesired,
                                   HKEY* phkResult) {
    if (phkResult == nullptr) return win32::ERROR_INVALID_PARAMETER;
    std::lock_guard guard(lock_);
    *phkResult = 0;
    OpenKey* base = find(hKey);
    if (base == nullptr) return win32::ERROR_INVALID_HANDLE;
    std::string path;
    std::vector<std::string> components;
    LONG result = resolve(*base, lpSubKey, path, components);
    if (result != win32::ERROR_SUCCESS) return result;
    if (components.empty()) {
        *phkResult = allocate(base->id, base->path, samDesired);
        return win32::ERROR_SUCCESS;
    }
    return guarded(win32::ERROR_CANTREAD, [&] {
        auto key = cache_.findKey(path);
        if (!key) return win32::ERROR_FILE_NOT_FOUND;
        *phkResult = allocate(*key, std::move(path), samDesired);
        return win32::ERROR_SUCCESS;
    });
}

LONG SqliteRegistry::RegCloseKey(HKEY hKey) {
    std::lock_guard guard(lock_);
    OpenKey* key = find(hKey);
    if (key == nullptr) return win32::ERROR_INVALID_HANDLE;
    if (!key->predefined) keys_.erase(hKey);
    return win32::ERROR_SUCCESS;
}

LONG SqliteRegistry::RegQueryInfoKeyA(HKEY hKey, char* lpClass, DWORD* lpcchClass, DWORD*,
                                      DWORD* lpcSubKeys, DWORD* lpcbMaxSubKeyLen,
                                      DWORD* lpcbMaxClassLen, DWORD* lpcValues,
                                      DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                                      DWORD* lpcbSecurityDescriptor,
                                      win32::FILETIME* lpftLastWriteTime) {
    std::lock_guard guard(lock_);
    OpenKey* key = find(hKey);
    if (key == nullptr) return win32::ERROR_INVALID_HANDLE;
    if (!allowed(*key, win32::KEY_QUERY_VALUE)) return win32::ERROR_ACCESS_DENIED;
    return guarded(win32::ERROR_CANTREAD, [&] {
        KeySummary summary = database_.summary(key->id);
        reportNoClass(lpClass, lpcchClass);
        if (lpcSubKeys) *lpcSubKeys = summary.subkeys;
        if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = summary.longestSubkeyName;
        if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
        if (lpcValues) *lpcValues = summary.values;
        if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = summary.longestValueName;
        if (lpcbMaxValueLen) {
            // On NT a string stored without its NUL is reported with one.
            *lpcbMaxValueLen = summary.longestValueData + (isNT_ ? 1 : 0);
        }
        if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
        if (lpftLastWriteTime) *lpftLastWriteTime = toFileTime(summary.lastWritten);
        return win32::ERROR_SUCCESS;
    });
}

LONG SqliteRegistry::RegEnumKeyExA(HKEY hKey, DWORD dwIndex, char* lpName, DWORD* lpcchName, DWORD*,
                                   char* lpClass, DWORD* lpcchClass,
                                   win32::FILETIME* lpftLastWriteTime) {
    std::lock_guard guard(lock_);
    OpenKey* key = find(hKey);
    if (key == nullptr) return win32::ERROR_INVALID_HANDLE;
    if (!allowed(*key, win32::KEY_ENUMERATE_SUB_KEYS)) return win32::ERROR_ACCESS_DENIED;
    if (lpName == nullptr || lpcchName == nullptr) return win32::ERROR_INVALID_PARAMETER;
    return guarded(win32::ERROR_CANTREAD, [&] {
        const auto& subkeys = cache_.subkeys(key->id);
        if (dwIndex >= subkeys.size()) return win32::ERROR_NO_MORE_ITEMS;
        const StoredSubkey& subkey = subkeys[dwIndex];
        if (subkey.name.size() + 1 > *lpcchName) return win32::ERROR_MORE_DATA;
        std::memcpy(lpName, subkey.name.c_str(), subkey.name.size() + 1);
        *lpcchName = static_cast<DWORD>(subkey.name.size());
        reportNoClass(lpClass, lpcchClass);
        if (lpftLastWriteTime) *lpftLastWriteTime = toFileTime(subkey.lastWritten);
        return win32::ERROR_SUCCESS;
    });
}

std::string SqliteRegistry::presented(const StoredValue& value) const {
    if (isNT_ && isStringType(value.type) && !value.data.empty() && value.data.back() != '\0') {
        return value.data + '\0';
    }
    return value.data;
}

LONG SqliteRegistry::RegEnumValueA(HKEY hKey, DWORD dwIndex, char* lpValueName,
                                   DWORD* lpcchValueName, DWORD*, DWORD* lpType,
                                   win32::BYTE* lpData, DWORD* lpcbData) {
    std::lock_guard guard(lock_);
    OpenKey* key = find(hKey);
    if (key == nullptr) return win32::ERROR_INVALID_HANDLE;
    if (!allowed(*key, win32::KEY_QUERY_VALUE)) return win32::ERROR_ACCESS_DENIED;
    if (lpValueName == nullptr || lpcchValueName == nullptr) {
        return win32::ERROR_INVALID_PARAMETER;
    }
    if (lpData != nullptr && lpcbData == nullptr) return win32::ERROR_INVALID_PARAMETER;
    return guarded(win32::ERROR_CANTREAD, [&] {
        const auto& values = cache_.values(key->id);
        if (dwIndex >= values.size()) return win32::ERROR_NO_MORE_ITEMS;
        const StoredValue& value = values[dwIndex];
        std::string data = presented(value);
        if (value.name.size() + 1 > *lpcchValueName) return win32::ERROR_MORE_DATA;
        if (lpData != nullptr && data.size() > *lpcbData) {
            // The caller learns the size it needs; neither buffer is written.
            *lpcbData = static_cast<DWORD>(data.size());
            if (lpType) *lpType = value.type;
            return win32::ERROR_MORE_DATA;
        }
        std::memcpy(lpValueName, value.name.c_str(), value.name.size() + 1);
        *lpcchValueName = static_cast<DWORD>(value.name.size());
        if (lpType) *lpType = value.type;
        if (lpData != nullptr) std::memcpy(lpData, data.data(), data.size());
        if (lpcbData != nullptr) *lpcbData = static_cast<DWORD>(data.size());
        return win32::ERROR_SUCCESS;
    });
}

LONG SqliteRegistry::RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD*, DWORD* lpType,
                                      win32::BYTE* lpData, DWORD* lpcbData) {
    std::lock_guard guard(lock_);
    OpenKey* key = find(hKey);
    if (key == nullptr) return win32::ERROR_INVALID_HANDLE;
    if (!allowed(*key, win32::KEY_QUERY_VALUE)) return win32::ERROR_ACCESS_DENIED;
    if (lpData != nullptr && lpcbData == nullptr) return win32::ERROR_INVALID_PARAMETER;
    return guarded(win32::ERROR_CANTREAD, [&] {
        const StoredValue* value =
            cache_.findValue(key->id, foldName(lpValueName ? lpValueName : ""));
        if (value == nullptr) return win32::ERROR_FILE_NOT_FOUND;
        std::string data = presented(*value);
        if (lpType) *lpType = value->type;
        if (lpData != nullptr && data.size() > *lpcbData) {
            *lpcbData = static_cast<DWORD>(data.size());
            return win32::ERROR_MORE_DATA;
        }
        if (lpData != nullptr) std::memcpy(lpData, data.data(), data.size());
        if (lpcbData != nullptr) *lpcbData = static_cast<DWORD>(data.size());
        return win32::ERROR_SUCCESS;
    });
}

std::string SqliteRegistry::stored(DWORD type, const win32::BYTE* data, DWORD size) const {
    const char* bytes = reinterpret_cast<const char*>(data);
    if (isNT_ || type != win32::REG_SZ) return std::string(bytes, size);
    // Windows 95/98 keep a string's length plus its NUL whatever size is passed. The
    // text is looked for only within the bytes passed, never beyond them.
    const void* end = size == 0 ? nullptr : std::memchr(bytes, '\0', size);
    std::size_t length =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - bytes) : size;
    return std::string(bytes, length) + '\0';
}

LONG SqliteRegistry::RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD, DWORD dwType,
                                    const win32::BYTE* lpData, DWORD cbData) {
    std::lock_guard guard(lock_);
    OpenKey* key = find(hKey);
    if (key == nullptr) return win32::ERROR_INVALID_HANDLE;
    if (!allowed(*key, win32::KEY_SET_VALUE)) return win32::ERROR_ACCESS_DENIED;
    if (lpData == nullptr && cbData > 0) return win32::ERROR_INVALID_PARAMETER;
    return guarded(win32::ERROR_CANTWRITE, [&] {
        std::string data = stored(dwType, lpData, cbData);
        RegistryDatabase::Transaction transaction(database_);
        database_.setValue(key->id, lpValueName ? lpValueName : "", dwType, data);
        transaction.commit();
        return win32::ERROR_SUCCESS;
    });
}

LONG SqliteRegistry::createPath(const OpenKey& base, const std::vector<std::string>& components,
                                KeyId& created, std::string& path, bool& existed) {
    // Find the deepest key of the path that exists, then add the rest below it.
    std::size_t depth = components.size();
    std::optional<KeyId> found;
    while (depth > 0) {
        std::vector<std::string> prefix(components.begin(),
                                        components.begin() + static_cast<std::ptrdiff_t>(depth));
        found = database_.findKey(joinFolded(base.path, prefix));
        if (found) break;
        --depth;
    }
    existed = depth == components.size();
    KeyId parent = found ? *found : base.id;
    std::string parentPath = joinFolded(
        base.path, {components.begin(), components.begin() + static_cast<std::ptrdiff_t>(depth)});
    if (!existed) {
        if (!allowed(base, win32::KEY_CREATE_SUB_KEY)) return win32::ERROR_ACCESS_DENIED;
        if (depth == 0 && !database_.keyExists(base.id)) return win32::ERROR_KEY_DELETED;
    }
    for (std::size_t i = depth; i < components.size(); ++i) {
        parent = database_.createKey(parent, parentPath, components[i]);
        parentPath += '\\';
        parentPath += foldName(components[i]);
    }
    created = parent;
    path = std::move(parentPath);
    return win32::ERROR_SUCCESS;
}

LONG SqliteRegistry::RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD, const char*, DWORD,
                                     win32::REGSAM samDesired, void*, HKEY* phkResult,
                                     DWORD* lpdwDisposition) {
    if (phkResult == nullptr) return win32::ERROR_INVALID_PARAMETER;
    std::lock_guard guard(lock_);
    *phkResult = 0;
    OpenKey* base = find(hKey);
    if (base == nullptr) return win32::ERROR_INVALID_HANDLE;
    if (lpSubKey == nullptr) return win32::ERROR_INVALID_PARAMETER;
    std::string path;
    std::vector<std::string> components;
    LONG result = resolve(*base, lpSubKey, path, components);
    if (result != win32::ERROR_SUCCESS) return result;
    for (const auto& component : components) {
        if (component.size() > kLongestKeyName) return win32::ERROR_INVALID_PARAMETER;
    }
    if (levelsBelowRoot(base->path) + components.size() > kDeepestKey) {
        return win32::ERROR_INVALID_PARAMETER;
    }
    return guarded(win32::ERROR_CANTWRITE, [&] {
        RegistryDatabase::Transaction transaction(database_);
        KeyId created = 0;
        bool existed = false;
        LONG outcome = createPath(*base, components, created, path, existed);
        if (outcome != win32::ERROR_SUCCESS) return outcome;
        transaction.commit();
        *phkResult = allocate(created, std::move(path), samDesired);
        if (lpdwDisposition) {
            *lpdwDisposition =
                existed ? win32::REG_OPENED_EXISTING_KEY : win32::REG_CREATED_NEW_KEY;
        }
        return win32::ERROR_SUCCESS;
    });
}

LONG SqliteRegistry::RegDeleteKeyA(HKEY hKey, const char* lpSubKey) {
    std::lock_guard guard(lock_);
    OpenKey* base = find(hKey);
    if (base == nullptr) return win32::ERROR_INVALID_HANDLE;
    // Deleting the key behind the handle itself (or a root) is not offered.
    if (lpSubKey == nullptr || *lpSubKey == '\0') return win32::ERROR_INVALID_PARAMETER;
    std::string path;
    std::vector<std::string> components;
    LONG result = resolve(*base, lpSubKey, path, components);
    if (result != win32::ERROR_SUCCESS) return result;
    if (components.empty()) return win32::ERROR_INVALID_PARAMETER;
    return guarded(win32::ERROR_CANTWRITE, [&] {
        RegistryDatabase::Transaction transaction(database_);
        auto key = database_.findKey(path);
        if (!key) return win32::ERROR_FILE_NOT_FOUND;
        // NT deletes only keys without subkeys; Windows 95/98 take the whole subtree.
        if (isNT_ && database_.hasSubkeys(*key)) return win32::ERROR_ACCESS_DENIED;
        database_.deleteKeyTree(path);
        transaction.commit();
        return win32::ERROR_SUCCESS;
    });
}

LONG SqliteRegistry::RegDeleteValueA(HKEY hKey, const char* lpValueName) {
    std::lock_guard guard(lock_);
    OpenKey* key = find(hKey);
    if (key == nullptr) return win32::ERROR_INVALID_HANDLE;
    if (!allowed(*key, win32::KEY_SET_VALUE)) return win32::ERROR_ACCESS_DENIED;
    return guarded(win32::ERROR_CANTWRITE, [&] {
        RegistryDatabase::Transaction transaction(database_);
        if (!database_.deleteValue(key->id, foldName(lpValueName ? lpValueName : ""))) {
            return win32::ERROR_FILE_NOT_FOUND;
        }
        transaction.commit();
        return win32::ERROR_SUCCESS;
    });
}

// ---- Apply transactions ----------------------------------------------------------

void SqliteRegistry::attachTransaction(std::unique_ptr<ApplyTransaction> transaction) {
    applyTransaction_ = std::move(transaction);
}

void SqliteRegistry::beginReadSnapshot() {
    std::lock_guard guard(lock_);
    try {
        database_.beginReadSnapshot();
    } catch (const DatabaseError&) {
        // Without the snapshot every read still sees the registry as it is.
    }
}

void SqliteRegistry::endReadSnapshot() {
    std::lock_guard guard(lock_);
    database_.endReadSnapshot();
}

bool SqliteRegistry::beginTransaction(double waitSeconds) {
    std::lock_guard guard(lock_);
    if (applyTransaction_) return applyTransaction_->begin(waitSeconds);
    transactionError_.clear();
    if (plainTransaction_) {
        transactionError_ = "an apply is already running in this program";
        return false;
    }
    try {
        plainTransaction_ = std::make_unique<RegistryDatabase::Transaction>(database_);
    } catch (const std::exception& failure) {
        transactionError_ = failure.what();
        return false;
    }
    return true;
}

bool SqliteRegistry::commitTransaction() {
    std::lock_guard guard(lock_);
    if (applyTransaction_) return applyTransaction_->commit();
    if (!plainTransaction_) return false;
    try {
        plainTransaction_->commit();
    } catch (const std::exception& failure) {
        transactionError_ = failure.what();
        plainTransaction_.reset();
        return false;
    }
    plainTransaction_.reset();
    return true;
}

void SqliteRegistry::rollbackTransaction() {
    std::lock_guard guard(lock_);
    if (applyTransaction_) {
        applyTransaction_->rollback();
    } else {
        plainTransaction_.reset();
    }
}

std::string SqliteRegistry::transactionError() const {
    std::lock_guard guard(lock_);
    return applyTransaction_ ? applyTransaction_->error() : transactionError_;
}

}  // namespace platform::emulated
