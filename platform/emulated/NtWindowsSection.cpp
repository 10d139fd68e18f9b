#include "platform/emulated/NtWindowsSection.h"

#include <vector>

namespace platform::emulated {

using namespace win32;

class NtWindowsSection::OpenKey {
  public:
    OpenKey(Registry& registry, bool create) : registry_(registry) {
        result_ = create ? registry_.RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr,
                                                     REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                                     nullptr, &handle_, nullptr)
                         : registry_.RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_ALL_ACCESS,
                                                   &handle_);
    }
    ~OpenKey() {
        if (result_ == ERROR_SUCCESS) registry_.RegCloseKey(handle_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    LONG result() const { return result_; }
    HKEY handle() const { return handle_; }

  private:
    Registry& registry_;
    HKEY handle_ = 0;
    LONG result_ = ERROR_FILE_NOT_FOUND;
};

std::optional<std::string> NtWindowsSection::value(const std::string& key) {
    OpenKey open(registry_, false);
    if (open.result() != ERROR_SUCCESS) return std::nullopt;
    std::vector<BYTE> data(256);
    DWORD type = 0;
    for (;;) {
        DWORD size = static_cast<DWORD>(data.size());
        const LONG result = registry_.RegQueryValueExA(open.handle(), key.c_str(), nullptr, &type,
                                                       data.data(), &size);
        if (result == ERROR_MORE_DATA && size > data.size()) {
            data.resize(size);
            continue;
        }
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        std::string text(reinterpret_cast<const char*>(data.data()), size);
        return text.substr(0, text.find('\0'));
    }
}

bool NtWindowsSection::setValue(const std::string& key, const std::string& value) {
    OpenKey open(registry_, true);
    if (open.result() != ERROR_SUCCESS) return false;
    return registry_.RegSetValueExA(open.handle(), key.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool NtWindowsSection::removeValue(const std::string& key) {
    OpenKey open(registry_, false);
    if (open.result() == ERROR_FILE_NOT_FOUND) return true;
    if (open.result() != ERROR_SUCCESS) return false;
    const LONG result = registry_.RegDeleteValueA(open.handle(), key.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool NtWindowsSection::removeAll() {
    OpenKey open(registry_, false);
    if (open.result() == ERROR_FILE_NOT_FOUND) return true;
    if (open.result() != ERROR_SUCCESS) return false;
    // Always delete the first value: the indices move down as values go.
    for (;;) {
        char name[16384];
        DWORD length = sizeof name;
        const LONG result = registry_.RegEnumValueA(open.handle(), 0, name, &length, nullptr,
                                                    nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) return true;
        if (result != ERROR_SUCCESS) return false;
        if (registry_.RegDeleteValueA(open.handle(), name) != ERROR_SUCCESS) return false;
    }
}

}  // namespace platform::emulated
