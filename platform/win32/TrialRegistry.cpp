#include "platform/win32/TrialRegistry.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "platform/AsciiText.h"

namespace platform::win32impl {

using namespace win32;

namespace {

constexpr HKEY kFirstHandle = 0x1000;
constexpr HKEY kLastHandle = 0x7FFFFFFF;

bool isPredefined(HKEY key) { return key >= HKEY_CLASSES_ROOT && key <= HKEY_DYN_DATA; }

std::string joined(const std::vector<std::string>& names) {
    std::string path;
    for (const auto& name : names) path += (path.empty() ? "" : "\\") + name;
    return path;
}

FILETIME now() {
    // FILETIME counts 100-nanosecond steps since 1601; the system clock since 1970.
    constexpr std::uint64_t kStepsFrom1601To1970 = 116444736000000000ull;
    const auto since1970 = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    const std::uint64_t steps = kStepsFrom1601To1970 + since1970.count() / 100;
    return {static_cast<DWORD>(steps), static_cast<DWORD>(steps >> 32)};
}

// Copies NAME with its NUL into a buffer of *LENGTH characters, as the enumeration
// functions do; ERROR_MORE_DATA, with nothing written, when it does not fit.
LONG giveName(const std::string& name, char* buffer, DWORD* length) {
    if (buffer == nullptr || length == nullptr) return ERROR_INVALID_PARAMETER;
    if (*length <= name.size()) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// Copies DATA into a buffer of *SIZE bytes, as RegQueryValueExA does.
LONG giveData(const std::string& data, BYTE* buffer, DWORD* size) {
    const auto needed = static_cast<DWORD>(data.size());
    if (buffer == nullptr) {
        if (size != nullptr) *size = needed;
        return ERROR_SUCCESS;
    }
    if (size == nullptr) return ERROR_INVALID_PARAMETER;
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, data.data(), data.size());
    *size = needed;
    return ERROR_SUCCESS;
}

}  // namespace

TrialRegistry::TrialRegistry(Registry& base) : base_(base) {}

std::optional<TrialRegistry::KeyPath> TrialRegistry::pathOf(HKEY key) const {
    if (isPredefined(key)) return KeyPath{key, {}};
    auto found = handles_.find(key);
    if (found == handles_.end()) return std::nullopt;
    return found->second;
}

std::optional<TrialRegistry::KeyPath> TrialRegistry::below(HKEY key, const char* subKey,
                                                           LONG& error) const {
    auto path = pathOf(key);
    if (!path) {
        error = ERROR_INVALID_HANDLE;
        return std::nullopt;
    }
    const std::string sub = subKey == nullptr ? "" : subKey;
    if (!sub.empty() && sub.front() == '\\') {
        error = ERROR_BAD_PATHNAME;
        return std::nullopt;
    }
    std::size_t start = 0;
    while (start <= sub.size()) {
        std::size_t end = std::min(sub.find('\\', start), sub.size());
        if (end > start) path->names.push_back(sub.substr(start, end - start));
        start = end + 1;
    }
    error = ERROR_SUCCESS;
    return path;
}

std::string TrialRegistry::folded(const KeyPath& path) {
    return upperAscii(std::to_string(path.root) + "\\" + joined(path.names));
}

bool TrialRegistry::baseCounts(const KeyPath& path) const {
    KeyPath prefix{path.root, {}};
    for (const auto& name : path.names) {
        prefix.names.push_back(name);
        auto change = changes_.find(folded(prefix));
        if (change != changes_.end() && change->second.hidesBase) return false;
    }
    return true;
}

HKEY TrialRegistry::openBase(const KeyPath& path) {
    HKEY key = 0;
    const std::string sub = joined(path.names);
    return base_.RegOpenKeyExA(path.root, sub.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS ? key
                                                                                           : 0;
}

bool TrialRegistry::baseHas(const KeyPath& path) {
    const HKEY key = openBase(path);
    if (key == 0) return false;
    base_.RegCloseKey(key);
    return true;
}

bool TrialRegistry::exists(const KeyPath& path) {
    if (path.names.empty()) return true;
    auto change = changes_.find(folded(path));
    if (change != changes_.end() && change->second.made) return true;
    return baseCounts(path) && baseHas(path);
}

std::vector<std::string> TrialRegistry::baseSubkeys(const KeyPath& path) {
    std::vector<std::string> names;
    const HKEY key = openBase(path);
    if (key == 0) return names;
    for (DWORD index = 0;;) {
        char name[256];
        DWORD length = sizeof name;
        const LONG result =
            base_.RegEnumKeyExA(key, index++, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result == ERROR_SUCCESS) names.emplace_back(name, length);
    }
    base_.RegCloseKey(key);
    return names;
}

std::vector<TrialRegistry::Value> TrialRegistry::baseValues(const KeyPath& path) {
    std::vector<Value> found;
    const HKEY key = openBase(path);
    if (key == 0) return found;
    DWORD nameRoom = 256, dataRoom = 1024;
    for (DWORD index = 0;;) {
        std::string name(nameRoom, '\0'), data(dataRoom, '\0');
        DWORD nameLength = nameRoom, dataLength = dataRoom, type = 0;
        const LONG result =
            base_.RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &dataLength);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result == ERROR_MORE_DATA) {
            nameRoom *= 2;
            dataRoom = std::max(dataRoom * 2, dataLength);
            continue;
        }
        ++index;
        if (result != ERROR_SUCCESS) continue;
        found.push_back({name.substr(0, nameLength), type, data.substr(0, dataLength)});
    }
    base_.RegCloseKey(key);
    return found;
}

std::vector<std::string> TrialRegistry::subkeys(const KeyPath& path) {
    std::map<std::string, std::string> byFoldedName;  // Windows NT lists them in this order
    if (baseCounts(path)) {
        for (const auto& name : baseSubkeys(path)) {
            KeyPath child = path;
            child.names.push_back(name);
            auto change = changes_.find(folded(child));
            if (change == changes_.end() || !change->second.hidesBase || change->second.made) {
                byFoldedName[upperAscii(name)] = name;
            }
        }
    }
    const std::string prefix = folded(path) + (path.names.empty() ? "" : "\\");
    for (const auto& [key, change] : changes_) {
        if (!change.made || key.rfind(prefix, 0) != 0) continue;
        const std::string rest = key.substr(prefix.size());
        if (rest.empty() || rest.find('\\') != std::string::npos) continue;
        byFoldedName.emplace(rest, change.name);
    }
    std::vector<std::string> names;
    for (auto& [foldedName, name] : byFoldedName) names.push_back(name);
    return names;
}

std::vector<TrialRegistry::Value> TrialRegistry::values(const KeyPath& path) {
    std::vector<Value> merged = baseCounts(path) ? baseValues(path) : std::vector<Value>{};
    auto change = changes_.find(folded(path));
    if (change == changes_.end()) return merged;
    const auto& written = change->second.values;
    std::vector<Value> result;
    std::vector<std::string> seen;
    for (auto& value : merged) {
        const std::string name = upperAscii(value.name);
        seen.push_back(name);
        auto replaced = written.find(name);
        if (replaced == written.end()) {
            result.push_back(std::move(value));
        } else if (replaced->second) {
            result.push_back(*replaced->second);
        }
    }
    for (const auto& name : change->second.newValueOrder) {
        auto value = written.find(name);
        if (value->second && std::find(seen.begin(), seen.end(), name) == seen.end()) {
            result.push_back(*value->second);
        }
    }
    return result;
}

LONG TrialRegistry::handOut(const KeyPath& path, HKEY* result) {
    for (HKEY tried = 0; tried <= kLastHandle - kFirstHandle; ++tried) {
        const HKEY number = next_;
        next_ = next_ == kLastHandle ? kFirstHandle : next_ + 1;
        if (handles_.count(number) != 0) continue;
        handles_[number] = path;
        *result = number;
        return ERROR_SUCCESS;
    }
    return ERROR_OUTOFMEMORY;
}

LONG TrialRegistry::RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD, REGSAM,
                                  HKEY* phkResult) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    LONG error = ERROR_SUCCESS;
    const auto path = below(hKey, lpSubKey, error);
    if (!path) return error;
    if (!exists(*path)) return ERROR_FILE_NOT_FOUND;
    return handOut(*path, phkResult);
}

LONG TrialRegistry::RegCloseKey(HKEY hKey) {
    if (isPredefined(hKey)) return ERROR_SUCCESS;
    return handles_.erase(hKey) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG TrialRegistry::RegQueryInfoKeyA(HKEY hKey, char* lpClass, DWORD* lpcchClass, DWORD*,
                                     DWORD* lpcSubKeys, DWORD* lpcbMaxSubKeyLen,
                                     DWORD* lpcbMaxClassLen, DWORD* lpcValues,
                                     DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                                     DWORD* lpcbSecurityDescriptor, FILETIME* lpftLastWriteTime) {
    const auto path = pathOf(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!exists(*path)) return ERROR_KEY_DELETED;
    const auto names = subkeys(*path);
    const auto all = values(*path);
    DWORD longestName = 0, longestValueName = 0, longestData = 0;
    for (const auto& name : names) longestName = std::max<DWORD>(longestName, name.size());
    for (const auto& value : all) {
        longestValueName = std::max<DWORD>(longestValueName, value.name.size());
        longestData = std::max<DWORD>(longestData, value.data.size());
    }
    if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0) lpClass[0] = '\0';
    if (lpcchClass != nullptr) *lpcchClass = 0;
    if (lpcSubKeys != nullptr) *lpcSubKeys = static_cast<DWORD>(names.size());
    if (lpcbMaxSubKeyLen != nullptr) *lpcbMaxSubKeyLen = longestName;
    if (lpcbMaxClassLen != nullptr) *lpcbMaxClassLen = 0;
    if (lpcValues != nullptr) *lpcValues = static_cast<DWORD>(all.size());
    if (lpcbMaxValueNameLen != nullptr) *lpcbMaxValueNameLen = longestValueName;
    if (lpcbMaxValueLen != nullptr) *lpcbMaxValueLen = longestData;
    if (lpcbSecurityDescriptor != nullptr) *lpcbSecurityDescriptor = 0;
    if (lpftLastWriteTime != nullptr) *lpftLastWriteTime = now();
    return ERROR_SUCCESS;
}

LONG TrialRegistry::RegEnumKeyExA(HKEY hKey, DWORD dwIndex, char* lpName, DWORD* lpcchName,
                                  DWORD*, char* lpClass, DWORD* lpcchClass,
                                  FILETIME* lpftLastWriteTime) {
    const auto path = pathOf(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!exists(*path)) return ERROR_KEY_DELETED;
    const auto names = subkeys(*path);
    if (dwIndex >= names.size()) return ERROR_NO_MORE_ITEMS;
    const LONG result = giveName(names[dwIndex], lpName, lpcchName);
    if (result != ERROR_SUCCESS) return result;
    if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0) lpClass[0] = '\0';
    if (lpcchClass != nullptr) *lpcchClass = 0;
    if (lpftLastWriteTime != nullptr) *lpftLastWriteTime = now();
    return ERROR_SUCCESS;
}

LONG TrialRegistry::RegEnumValueA(HKEY hKey, DWORD dwIndex, char* lpValueName,
                                  DWORD* lpcchValueName, DWORD*, DWORD* lpType, BYTE* lpData,
                                  DWORD* lpcbData) {
    const auto path = pathOf(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!exists(*path)) return ERROR_KEY_DELETED;
    const auto all = values(*path);
    if (dwIndex >= all.size()) return ERROR_NO_MORE_ITEMS;
    const Value& value = all[dwIndex];
    // Neither the name nor the data is written unless both fit.
    if (lpData != nullptr && lpcbData != nullptr && *lpcbData < value.data.size()) {
        *lpcbData = static_cast<DWORD>(value.data.size());
        return ERROR_MORE_DATA;
    }
    const LONG result = giveName(value.name, lpValueName, lpcchValueName);
    if (result != ERROR_SUCCESS) return result;
    if (lpType != nullptr) *lpType = value.type;
    return giveData(value.data, lpData, lpcbData);
}

LONG TrialRegistry::RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD*, DWORD* lpType,
                                     BYTE* lpData, DWORD* lpcbData) {
    const auto path = pathOf(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!exists(*path)) return ERROR_KEY_DELETED;
    const std::string name = upperAscii(lpValueName == nullptr ? "" : lpValueName);
    auto change = changes_.find(folded(*path));
    if (change != changes_.end()) {
        auto written = change->second.values.find(name);
        if (written != change->second.values.end()) {
            if (!written->second) return ERROR_FILE_NOT_FOUND;
            if (lpType != nullptr) *lpType = written->second->type;
            return giveData(written->second->data, lpData, lpcbData);
        }
    }
    if (!baseCounts(*path)) return ERROR_FILE_NOT_FOUND;
    const HKEY key = openBase(*path);
    if (key == 0) return ERROR_FILE_NOT_FOUND;
    const LONG result = base_.RegQueryValueExA(key, lpValueName, nullptr, lpType, lpData, lpcbData);
    base_.RegCloseKey(key);
    return result;
}

LONG TrialRegistry::RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD, DWORD dwType,
                                   const BYTE* lpData, DWORD cbData) {
    const auto path = pathOf(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!exists(*path)) return ERROR_KEY_DELETED;
    if (lpData == nullptr && cbData != 0) return ERROR_INVALID_PARAMETER;
    const std::string name = lpValueName == nullptr ? "" : lpValueName;
    KeyChange& change = changes_[folded(*path)];
    const std::string key = upperAscii(name);
    if (std::find(change.newValueOrder.begin(), change.newValueOrder.end(), key) ==
        change.newValueOrder.end()) {
        change.newValueOrder.push_back(key);
    }
    change.values[key] =
        Value{name, dwType, std::string(reinterpret_cast<const char*>(lpData), cbData)};
    return ERROR_SUCCESS;
}

LONG TrialRegistry::RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD, const char*, DWORD,
                                    REGSAM, void*, HKEY* phkResult, DWORD* lpdwDisposition) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    LONG error = ERROR_SUCCESS;
    const auto path = below(hKey, lpSubKey, error);
    if (!path) return error;
    if (!exists(*pathOf(hKey))) return ERROR_KEY_DELETED;
    KeyPath walked{path->root, {}};
    bool made = false;
    for (const auto& name : path->names) {
        walked.names.push_back(name);
        if (exists(walked)) continue;
        KeyChange& change = changes_[folded(walked)];
        change.made = true;
        change.name = name;
        made = true;
    }
    if (lpdwDisposition != nullptr) {
        *lpdwDisposition = made ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    return handOut(*path, phkResult);
}

LONG TrialRegistry::RegDeleteKeyA(HKEY hKey, const char* lpSubKey) {
    LONG error = ERROR_SUCCESS;
    const auto path = below(hKey, lpSubKey, error);
    if (!path) return error;
    if (path->names.empty()) return ERROR_ACCESS_DENIED;
    if (!exists(*path)) return ERROR_FILE_NOT_FOUND;
    if (!subkeys(*path).empty()) return ERROR_ACCESS_DENIED;  // as Windows NT
    KeyChange& change = changes_[folded(*path)];
    change = KeyChange{};
    change.hidesBase = true;
    return ERROR_SUCCESS;
}

LONG TrialRegistry::RegDeleteValueA(HKEY hKey, const char* lpValueName) {
    const auto path = pathOf(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!exists(*path)) return ERROR_KEY_DELETED;
    const std::string name = lpValueName == nullptr ? "" : lpValueName;
    DWORD size = 0;
    if (RegQueryValueExA(hKey, lpValueName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
        return ERROR_FILE_NOT_FOUND;
    }
    changes_[folded(*path)].values[upperAscii(name)] = std::nullopt;
    return ERROR_SUCCESS;
}

}  // namespace platform::win32impl
