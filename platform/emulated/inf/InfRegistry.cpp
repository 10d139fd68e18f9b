#include "platform/emulated/inf/InfRegistry.h"

#include <stdexcept>

#include "platform/AsciiText.h"
#include "platform/Win32.h"
#include "platform/emulated/inf/InfDirectories.h"

namespace platform::emulated::inf {
namespace {

constexpr win32::DWORD kBinary = 0x1;
constexpr win32::DWORD kNoClobber = 0x2;
constexpr win32::DWORD kDeleteValue = 0x4;
constexpr win32::DWORD kAppend = 0x8;
constexpr win32::DWORD kKeyOnly = 0x10;
constexpr win32::DWORD kOverwriteOnly = 0x20;
constexpr win32::DWORD kKnownLowFlags = kBinary | kNoClobber | kDeleteValue | kAppend | kKeyOnly | kOverwriteOnly;

std::string value(const std::vector<std::string>& values, std::size_t index) {
    return index < values.size() ? values[index] : std::string();
}

RegistryChange keyOf(const std::vector<std::string>& values) {
    RegistryChange change;
    const auto root = infRootKey(value(values, 0));
    if (!root) throw std::invalid_argument("unknown root key \"" + value(values, 0) + "\"");
    change.root = *root;
    change.subkey = value(values, 1);
    change.valueName = value(values, 2);
    return change;
}

std::string hexBytes(const std::vector<std::string>& values, std::size_t from) {
    std::string bytes;
    for (std::size_t i = from; i < values.size(); ++i) {
        const auto number = parseInfNumber("0x" + std::string(trimBlanks(values[i])));
        if (values[i].empty() || values[i].size() > 2 || !number)
            throw std::invalid_argument("\"" + values[i] + "\" is not a hexadecimal byte");
        bytes += static_cast<char>(*number);
    }
    return bytes;
}

std::string dwordBytes(win32::DWORD number) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return bytes;
}

void setData(RegistryChange& change, win32::DWORD flags, const std::vector<std::string>& values) {
    const win32::DWORD typeWord = flags >> 16;
    if (flags & kBinary) {
        change.type = typeWord == 0 ? win32::REG_BINARY : typeWord == 2 ? win32::REG_NONE : typeWord == 1 ? win32::REG_DWORD : typeWord;
        if (change.type == win32::REG_DWORD && values.size() == 5) {
            const auto number = parseInfNumber(values[4]);
            if (!number) throw std::invalid_argument("\"" + values[4] + "\" is not a number");
            change.data = dwordBytes(static_cast<win32::DWORD>(*number));
        } else {
            change.data = hexBytes(values, 4);
        }
        return;
    }
    if (typeWord == 1) {
        change.type = win32::REG_MULTI_SZ;
        for (std::size_t i = 4; i < values.size(); ++i) change.data += values[i] + '\0';
        change.data += '\0';
        return;
    }
    if (typeWord > 2) throw std::invalid_argument("unknown value type in the flags");
    change.type = typeWord == 2 ? win32::REG_EXPAND_SZ : win32::REG_SZ;
    change.data = value(values, 4) + '\0';
}

// Deletes KEY below ROOT with everything below it; Windows NT's RegDeleteKeyA removes
// only keys without subkeys, so the tree goes from the leaves up.
bool deleteTree(win32::HKEY root, const std::string& subkey) {
    win32::HKEY key = 0;
    if (win32::RegOpenKeyExA(root, subkey.c_str(), 0, win32::KEY_ALL_ACCESS, &key) !=
        win32::ERROR_SUCCESS)
        return true;  // nothing to delete
    std::vector<std::string> children;
    for (win32::DWORD index = 0;; ++index) {
        char name[256] = {};
        win32::DWORD length = sizeof name;
        if (win32::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            win32::ERROR_SUCCESS)
            break;
        children.emplace_back(name, length);
    }
    win32::RegCloseKey(key);
    for (const auto& child : children) {
        if (!deleteTree(root, subkey + "\\" + child)) return false;
    }
    return win32::RegDeleteKeyA(root, subkey.c_str()) == win32::ERROR_SUCCESS;
}

bool valueExists(win32::HKEY key, const std::string& name, std::string* data = nullptr) {
    win32::DWORD size = 0;
    win32::DWORD type = 0;
    if (win32::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != win32::ERROR_SUCCESS)
        return false;
    if (data != nullptr) {
        data->assign(size, '\0');
        win32::RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                reinterpret_cast<win32::BYTE*>(data->data()), &size);
        data->resize(size);
    }
    return true;
}

}  // namespace

std::optional<win32::HKEY> infRootKey(const std::string& name) {
    const std::string upper = upperAscii(name);
    if (upper == "HKCR" || upper == "HKEY_CLASSES_ROOT") return win32::HKEY_CLASSES_ROOT;
    if (upper == "HKCU" || upper == "HKEY_CURRENT_USER") return win32::HKEY_CURRENT_USER;
    if (upper == "HKLM" || upper == "HKEY_LOCAL_MACHINE") return win32::HKEY_LOCAL_MACHINE;
    if (upper == "HKU" || upper == "HKEY_USERS") return win32::HKEY_USERS;
    return std::nullopt;
}

RegistryChange addRegChange(const std::vector<std::string>& values) {
    RegistryChange change = keyOf(values);
    win32::DWORD flags = 0;
    if (!value(values, 3).empty()) {
        const auto number = parseInfNumber(values[3]);
        if (!number || *number < 0) throw std::invalid_argument("\"" + values[3] + "\" is no flags value");
        flags = static_cast<win32::DWORD>(*number);
    }
    if ((flags & 0xFFFF) & ~kKnownLowFlags) throw std::invalid_argument("unknown AddReg flags " + values[3]);
    if (values.size() <= 2 || (flags & kKeyOnly)) {
        change.kind = RegistryChange::Kind::CreateKey;
        return change;
    }
    if (flags & kDeleteValue) {
        change.kind = RegistryChange::Kind::DeleteValue;
        return change;
    }
    setData(change, flags, values);
    change.noClobber = flags & kNoClobber;
    change.overwriteOnly = flags & kOverwriteOnly;
    if (flags & kAppend) {
        if (change.type != win32::REG_MULTI_SZ) throw std::invalid_argument("APPEND needs a REG_MULTI_SZ value");
        change.kind = RegistryChange::Kind::AppendString;
    }
    return change;
}

RegistryChange delRegChange(const std::vector<std::string>& values) {
    RegistryChange change = keyOf(values);
    if (value(values, 1).empty()) throw std::invalid_argument("DelReg needs a subkey");
    change.kind = values.size() <= 2 ? RegistryChange::Kind::DeleteKey : RegistryChange::Kind::DeleteValue;
    return change;
}

bool RegistryChange::apply() const {
    if (kind == Kind::DeleteKey) return deleteTree(root, subkey);
    win32::HKEY key = 0;
    if (kind == Kind::DeleteValue) {
        if (win32::RegOpenKeyExA(root, subkey.c_str(), 0, win32::KEY_ALL_ACCESS, &key) != win32::ERROR_SUCCESS)
            return true;
        if (valueExists(key, valueName)) win32::RegDeleteValueA(key, valueName.c_str());
        win32::RegCloseKey(key);
        return true;
    }
    win32::DWORD disposition = 0;
    if (win32::RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, win32::KEY_ALL_ACCESS, nullptr,
                               &key, &disposition) != win32::ERROR_SUCCESS)
        return false;
    bool done = true;
    std::string existing;
    const bool exists = kind != Kind::CreateKey && valueExists(key, valueName, &existing);
    std::string written = data;
    if (kind == Kind::AppendString && exists) {
        // Each string of DATA joins the list unless it is there already.
        std::string list = existing.substr(0, existing.find(std::string(2, '\0')));
        std::string current = std::string(1, '\0') + list + '\0';
        written = list.empty() ? std::string() : list + '\0';
        for (std::size_t start = 0; start + 1 < data.size();) {
            const std::size_t end = data.find('\0', start);
            const std::string item = data.substr(start, end - start);
            if (current.find(std::string(1, '\0') + item + '\0') == std::string::npos) written += item + '\0';
            start = end + 1;
        }
        written += '\0';
    }
    const bool skip = (noClobber && exists) || (overwriteOnly && !exists);
    if (kind != Kind::CreateKey && !skip) {
        done = win32::RegSetValueExA(key, valueName.c_str(), 0, type,
                                     reinterpret_cast<const win32::BYTE*>(written.data()),
                                     static_cast<win32::DWORD>(written.size())) == win32::ERROR_SUCCESS;
    }
    win32::RegCloseKey(key);
    return done;
}

std::string RegistryChange::describe() const {
    static const char* roots[] = {"HKCR", "HKCU", "HKLM", "HKU"};
    const std::string path = std::string(roots[(root - win32::HKEY_CLASSES_ROOT) & 3]) + "\\" + subkey;
    const std::string name = valueName.empty() ? "(default)" : valueName;
    switch (kind) {
        case Kind::CreateKey: return "AddReg " + path;
        case Kind::DeleteKey: return "DelReg " + path;
        case Kind::DeleteValue: return "DelReg " + path + " " + name;
        case Kind::AppendString:
        case Kind::SetValue: break;
    }
    return "AddReg " + path + " " + name;
}

}  // namespace platform::emulated::inf
