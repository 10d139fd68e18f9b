#include "platform/emulated/ClassesRoot.h"

namespace platform::emulated {
namespace {

constexpr std::string_view kClassesRootName = "HKEY_CLASSES_ROOT";

bool startsWithClassesRoot(std::string_view foldedPath) {
    return foldedPath.substr(0, kClassesRootName.size()) == kClassesRootName &&
           (foldedPath.size() == kClassesRootName.size() ||
            foldedPath[kClassesRootName.size()] == '\\');
}

std::string childPath(const std::string& parent, const std::string& name) {
    return parent + '\\' + foldName(name);
}

// Copies the key FROM (its values and, recursively, its subkeys) onto the key TO.
void mergeKey(RegistryDatabase& database, KeyId from, KeyId to, const std::string& toPath) {
    for (const StoredValue& value : database.values(from)) {
        database.setValue(to, value.name, value.type, value.data);
    }
    for (const StoredSubkey& subkey : database.subkeys(from)) {
        const std::string path = childPath(toPath, subkey.name);
        const auto existing = database.findKey(path);
        const KeyId target = existing ? *existing : database.createKey(to, toPath, subkey.name);
        mergeKey(database, subkey.id, target, path);
    }
}

bool oldRootEmpty(RegistryDatabase& database) {
    const KeyId oldRoot = RegistryDatabase::rootId(win32::HKEY_CLASSES_ROOT);
    return database.values(oldRoot).empty() && !database.hasSubkeys(oldRoot);
}

}  // namespace

std::string canonicalKeyPath(std::string_view foldedPath) {
    if (!startsWithClassesRoot(foldedPath)) return std::string(foldedPath);
    return kClassesKeyPath + std::string(foldedPath.substr(kClassesRootName.size()));
}

RootedPath canonicalRootedPath(const RootedPath& path) {
    if (path.root.handle != win32::HKEY_CLASSES_ROOT) return path;
    RootedPath shared{*rootByHandle(win32::HKEY_LOCAL_MACHINE), "SOFTWARE\\Classes"};
    if (!path.subPath.empty()) shared.subPath += '\\' + path.subPath;
    return shared;
}

std::optional<KeyId> ensureClassesKey(RegistryDatabase& database) {
    if (auto found = database.findKey(kClassesKeyPath)) return found;
    try {
        RegistryDatabase::Transaction transaction(database);
        const std::string machine = "HKEY_LOCAL_MACHINE";
        const std::string software = machine + "\\SOFTWARE";
        const auto existing = database.findKey(software);
        const KeyId softwareKey =
            existing ? *existing
                     : database.createKey(RegistryDatabase::rootId(win32::HKEY_LOCAL_MACHINE),
                                          machine, "SOFTWARE");
        const KeyId classes = database.createKey(softwareKey, software, "Classes");
        transaction.commit();
        return classes;
    } catch (const DatabaseError&) {
        return std::nullopt;
    }
}

bool adoptOldClassesRoot(RegistryDatabase& database) {
    try {
        if (oldRootEmpty(database)) return true;
        RegistryDatabase::Transaction transaction(database);
        const auto classes = ensureClassesKey(database);
        if (!classes) return false;
        const KeyId oldRoot = RegistryDatabase::rootId(win32::HKEY_CLASSES_ROOT);
        mergeKey(database, oldRoot, *classes, kClassesKeyPath);
        for (const StoredSubkey& subkey : database.subkeys(oldRoot)) {
            database.deleteKeyTree(childPath(std::string(kClassesRootName), subkey.name));
        }
        for (const StoredValue& value : database.values(oldRoot)) {
            database.deleteValue(oldRoot, foldName(value.name));
        }
        transaction.commit();
        return true;
    } catch (const DatabaseError&) {
        return false;
    }
}

}  // namespace platform::emulated
