#include "config/ObjectRegistry.h"

#include <vector>

#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace objectregistry {
namespace {

constexpr int kReadAttempts = 4;

// The default value of HKEY_CLASSES_ROOT\PATH as text, or nothing when the key or its
// default value is missing or holds no text.
std::optional<std::string> defaultText(const std::string& path) {
    win32::HKEY key = 0;
    if (win32::RegOpenKeyExA(win32::HKEY_CLASSES_ROOT, path.c_str(), 0, win32::KEY_QUERY_VALUE,
                             &key) != win32::ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    std::vector<win32::BYTE> data(260);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        win32::DWORD type = win32::REG_NONE;
        win32::DWORD size = static_cast<win32::DWORD>(data.size());
        const win32::LONG result =
            win32::RegQueryValueExA(key, "", nullptr, &type, data.data(), &size);
        if (result == win32::ERROR_MORE_DATA) {
            data.resize(size);
            continue;
        }
        if (result == win32::ERROR_SUCCESS &&
            (type == win32::REG_SZ || type == win32::REG_EXPAND_SZ)) {
            std::string value(reinterpret_cast<const char*>(data.data()), size);
            if (const auto end = value.find('\0'); end != std::string::npos) value.resize(end);
            text = std::string(platform::trimBlanks(value));
        }
        break;
    }
    win32::RegCloseKey(key);
    if (text && text->empty()) return std::nullopt;
    return text;
}

bool isClassId(const std::string& text) {
    return text.size() > 2 && text.front() == '{' && text.back() == '}';
}

}  // namespace

ServerLookup findInprocServer(const std::string& classId) {
    const std::string name = std::string(platform::trimBlanks(classId));
    if (name.empty() || name.find('\\') != std::string::npos) {
        return {std::nullopt, "'" + classId + "' is no class identifier"};
    }
    std::string clsid = name;
    if (!isClassId(name)) {
        const auto found = defaultText(name + "\\CLSID");
        if (!found) {
            return {std::nullopt,
                    "the class " + name + " is not registered (HKEY_CLASSES_ROOT\\" + name +
                        "\\CLSID has no class id)"};
        }
        clsid = *found;
    }
    const std::string serverKey = "CLSID\\" + clsid + "\\InprocServer32";
    auto library = defaultText(serverKey);
    if (!library) {
        return {std::nullopt, "the class " + name + " names no library (HKEY_CLASSES_ROOT\\" +
                                  serverKey + " is missing or empty)"};
    }
    return {std::move(library), ""};
}

}  // namespace objectregistry
