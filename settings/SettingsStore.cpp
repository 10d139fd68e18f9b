#include "settings/SettingsStore.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Win32.h"

namespace {

constexpr const char* kRoot = "Software\\VB and VBA Program Settings";
constexpr int kReadAttempts = 4;

// An open registry key, closed when the object goes. Each store operation opens its
// key, does its one read or write and lets go, so that the main program and the tray
// utility never hold anything across calls.
class OpenKey {
  public:
    OpenKey() = default;
    ~OpenKey() {
        if (handle_ != 0) win32::RegCloseKey(handle_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    bool open(const std::string& path, win32::REGSAM access) {
        return win32::RegOpenKeyExA(win32::HKEY_CURRENT_USER, path.c_str(), 0, access, &handle_) ==
               win32::ERROR_SUCCESS;
    }
    bool create(const std::string& path) {
        win32::DWORD disposition = 0;
        return win32::RegCreateKeyExA(win32::HKEY_CURRENT_USER, path.c_str(), 0, "",
                                      win32::REG_OPTION_NON_VOLATILE, win32::KEY_SET_VALUE, nullptr,
                                      &handle_, &disposition) == win32::ERROR_SUCCESS;
    }
    win32::HKEY handle() const { return handle_; }

  private:
    win32::HKEY handle_ = 0;
};

// A name that the store can address: not empty, and for a section no empty part
// between backslashes (the section "Add-Ins\Name" is two keys deep).
bool isUsableSection(const std::string& section) {
    return !section.empty() && section.front() != '\\' && section.back() != '\\' &&
           section.find("\\\\") == std::string::npos;
}

bool isUsableAddress(const std::string& appName, const std::string& section) {
    return !appName.empty() && appName.find('\\') == std::string::npos && isUsableSection(section);
}

std::string sectionPath(const std::string& appName, const std::string& section) {
    return std::string(kRoot) + '\\' + appName + '\\' + section;
}

// The stored data as text: strings without their terminating NUL, numbers as decimal
// text (the way the store writes numbers), anything else as its raw bytes.
std::string textOf(win32::DWORD type, const std::vector<std::uint8_t>& data) {
    if (type == win32::REG_DWORD && data.size() == 4) {
        const std::uint32_t number =
            data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
        return std::to_string(number);
    }
    std::size_t length = data.size();
    if (length > 0 && data[length - 1] == 0) --length;
    return std::string(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
}

std::optional<std::string> readValue(win32::HKEY key, const std::string& name) {
    std::vector<std::uint8_t> data;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        win32::DWORD type = win32::REG_NONE;
        win32::DWORD length = 0;
        if (win32::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &length) !=
            win32::ERROR_SUCCESS) {
            return std::nullopt;
        }
        data.resize(std::max<win32::DWORD>(length, 1));
        length = static_cast<win32::DWORD>(data.size());
        const win32::LONG result =
            win32::RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &length);
        // Another process may have replaced the value with a longer one meanwhile.
        if (result == win32::ERROR_MORE_DATA) continue;
        if (result != win32::ERROR_SUCCESS) return std::nullopt;
        data.resize(length);
        return textOf(type, data);
    }
    return std::nullopt;
}

// The name of the value at INDEX, or nothing past the last one.
std::optional<std::string> valueName(win32::HKEY key, win32::DWORD index) {
    std::vector<char> name(256);
    for (;;) {
        win32::DWORD nameLength = static_cast<win32::DWORD>(name.size());
        const win32::LONG result = win32::RegEnumValueA(key, index, name.data(), &nameLength,
                                                        nullptr, nullptr, nullptr, nullptr);
        if (result == win32::ERROR_SUCCESS) return std::string(name.data(), nameLength);
        if (result != win32::ERROR_MORE_DATA || name.size() > (1u << 20)) return std::nullopt;
        name.resize(name.size() * 4);
    }
}

}  // namespace

std::optional<std::string> SettingsStore::FindSetting(const std::string& appName,
                                                      const std::string& section,
                                                      const std::string& key) const {
    if (!isUsableAddress(appName, section) || key.empty()) return std::nullopt;
    OpenKey sectionKey;
    if (!sectionKey.open(sectionPath(appName, section), win32::KEY_QUERY_VALUE)) {
        return std::nullopt;
    }
    return readValue(sectionKey.handle(), key);
}

std::string SettingsStore::GetSetting(const std::string& appName, const std::string& section,
                                      const std::string& key,
                                      const std::string& defaultValue) const {
    return FindSetting(appName, section, key).value_or(defaultValue);
}

void SettingsStore::SaveSetting(const std::string& appName, const std::string& section,
                                const std::string& key, const std::string& value) {
    if (!isUsableAddress(appName, section) || key.empty()) {
        throw std::invalid_argument("settings need an application name, a section and a key: '" +
                                    appName + "', '" + section + "', '" + key + "'");
    }
    OpenKey sectionKey;
    if (!sectionKey.create(sectionPath(appName, section))) return;
    const std::string data = value + '\0';
    win32::RegSetValueExA(sectionKey.handle(), key.c_str(), 0, win32::REG_SZ,
                          reinterpret_cast<const win32::BYTE*>(data.data()),
                          static_cast<win32::DWORD>(data.size()));
}

namespace {

// Removes PATH below HKEY_CURRENT_USER with its subkeys, deepest first, as Windows NT
// removes only keys without subkeys.
bool deleteKeyTree(const std::string& path) {
    {
        OpenKey key;
        if (!key.open(path, win32::KEY_READ)) return false;
        std::vector<std::string> children;
        for (win32::DWORD index = 0;; ++index) {
            char name[256];
            win32::DWORD length = sizeof name;
            if (win32::RegEnumKeyExA(key.handle(), index, name, &length, nullptr, nullptr,
                                     nullptr, nullptr) != win32::ERROR_SUCCESS) {
                break;
            }
            children.emplace_back(name, length);
        }
        for (const std::string& child : children) deleteKeyTree(path + '\\' + child);
    }
    return win32::RegDeleteKeyA(win32::HKEY_CURRENT_USER, path.c_str()) == win32::ERROR_SUCCESS;
}

}  // namespace

bool SettingsStore::DeleteSetting(const std::string& appName, const std::string& section,
                                  const std::optional<std::string>& key) {
    if (!isUsableAddress(appName, section)) return false;
    if (!key) return deleteKeyTree(sectionPath(appName, section));
    if (key->empty()) return false;
    OpenKey sectionKey;
    if (!sectionKey.open(sectionPath(appName, section), win32::KEY_SET_VALUE)) return false;
    return win32::RegDeleteValueA(sectionKey.handle(), key->c_str()) == win32::ERROR_SUCCESS;
}

std::vector<std::pair<std::string, std::string>> SettingsStore::GetAllSettings(
    const std::string& appName, const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> settings;
    if (!isUsableAddress(appName, section)) return settings;
    OpenKey sectionKey;
    if (!sectionKey.open(sectionPath(appName, section), win32::KEY_QUERY_VALUE)) {
        return settings;
    }
    for (win32::DWORD index = 0;; ++index) {
        auto name = valueName(sectionKey.handle(), index);
        if (!name) break;
        // A value removed by another process since it was listed is left out.
        if (auto value = readValue(sectionKey.handle(), *name)) {
            settings.emplace_back(std::move(*name), std::move(*value));
        }
    }
    return settings;
}
