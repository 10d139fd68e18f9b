#include "config/ClassesRootAccess.h"

#include <vector>

#include "config/ObjectRegistry.h"
#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace classesroot {
namespace {

bool usableKey(const char* key) { return key != nullptr && *key != '\0' && *key != '\\'; }

win32::LONG deleteTree(win32::HKEY root, const std::string& path) {
    win32::HKEY key = 0;
    win32::LONG result = win32::RegOpenKeyExA(root, path.c_str(), 0, win32::KEY_READ, &key);
    if (result == win32::ERROR_FILE_NOT_FOUND) return win32::ERROR_SUCCESS;  // gone already
    if (result != win32::ERROR_SUCCESS) return result;
    std::vector<std::string> children;
    for (win32::DWORD index = 0;; ++index) {
        char name[256];
        win32::DWORD length = sizeof name;
        if (win32::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            win32::ERROR_SUCCESS) {
            break;
        }
        children.emplace_back(name, length);
    }
    win32::RegCloseKey(key);
    // Deepest first: Windows NT removes only keys without subkeys.
    for (const std::string& child : children) {
        result = deleteTree(root, path + '\\' + child);
        if (result != win32::ERROR_SUCCESS) return result;
    }
    return win32::RegDeleteKeyA(root, path.c_str());
}

int32_t RMW_ADDIN_CALL setClassText(void*, const char* key, const char* name, const char* value) {
    try {
        if (!usableKey(key) || value == nullptr) return win32::ERROR_INVALID_PARAMETER;
        win32::HKEY handle = 0;
        win32::DWORD disposition = 0;
        win32::LONG result = win32::RegCreateKeyExA(win32::HKEY_CLASSES_ROOT, key, 0, "", 0,
                                                    win32::KEY_SET_VALUE, nullptr, &handle,
                                                    &disposition);
        if (result != win32::ERROR_SUCCESS) return result;
        const std::string data = std::string(value) + '\0';
        result = win32::RegSetValueExA(handle, name != nullptr ? name : "", 0, win32::REG_SZ,
                                       reinterpret_cast<const win32::BYTE*>(data.data()),
                                       static_cast<win32::DWORD>(data.size()));
        win32::RegCloseKey(handle);
        return result;
    } catch (...) {
        return win32::ERROR_CANTWRITE;
    }
}

int32_t RMW_ADDIN_CALL deleteClassTree(void*, const char* key) {
    try {
        // An empty key would be the whole of HKEY_CLASSES_ROOT.
        if (!usableKey(key)) return win32::ERROR_INVALID_PARAMETER;
        return deleteTree(win32::HKEY_CLASSES_ROOT, key);
    } catch (...) {
        return win32::ERROR_CANTWRITE;
    }
}

}  // namespace

rmw_registry_access access() {
    rmw_registry_access table{};
    table.struct_size = sizeof table;
    table.set_text = setClassText;
    table.delete_tree = deleteClassTree;
    return table;
}

// The classes a library that no longer loads had registered for CLASSID: its
// programmatic identifier and its class id, when they still name FILE.
void removeOrphanedClass(const std::string& classId, const std::string& file) {
    const objectregistry::ServerLookup server = objectregistry::findInprocServer(classId);
    if (!server.libraryPath || !platform::equalsIgnoringCase(*server.libraryPath, file)) return;
    win32::HKEY key = 0;
    std::string clsid;
    if (win32::RegOpenKeyExA(win32::HKEY_CLASSES_ROOT, (classId + "\\CLSID").c_str(), 0,
                             win32::KEY_QUERY_VALUE, &key) == win32::ERROR_SUCCESS) {
        char data[260] = {};
        win32::DWORD size = sizeof data - 1;
        if (win32::RegQueryValueExA(key, "", nullptr, nullptr,
                                    reinterpret_cast<win32::BYTE*>(data), &size) ==
            win32::ERROR_SUCCESS) {
            clsid = std::string(platform::trimBlanks(std::string(data)));
        }
        win32::RegCloseKey(key);
    }
    if (!clsid.empty()) deleteTree(win32::HKEY_CLASSES_ROOT, "CLSID\\" + clsid);
    deleteTree(win32::HKEY_CLASSES_ROOT, classId);
}

}  // namespace classesroot
