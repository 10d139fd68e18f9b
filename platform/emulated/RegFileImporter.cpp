#include "platform/emulated/RegFileImporter.h"

#include <fstream>
#include <sstream>

#include "platform/emulated/ClassesRoot.h"

namespace platform::emulated {

RegFileImporter::RegFileImporter(RegistryDatabase& database) : database_(database) {}

void RegFileImporter::importFile(const std::filesystem::path& file) {
    // A folder opens like a file here but reads as nothing, which would be reported as
    // an empty registry file.
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored)) {
        throw RegFileError(file.string() + ": a folder, not a registry file");
    }
    std::ifstream stream(file, std::ios::binary);
    if (!stream) throw RegFileError(file.string() + ": cannot open the file");
    std::ostringstream content;
    content << stream.rdbuf();
    if (stream.bad()) throw RegFileError(file.string() + ": cannot read the file");
    importBytes(content.str(), file.string());
}

void RegFileImporter::importBytes(std::string_view bytes, const std::string& fileName) {
    std::vector<RegFileEntry> entries = RegFileParser(fileName).parse(bytes);
    known_.clear();
    RegistryDatabase::Transaction transaction(database_);
    CurrentKey current;
    for (const auto& entry : entries) apply(entry, current);
    transaction.commit();
}

std::string RegFileImporter::foldedPath(const std::string& fullPath) const {
    // The parser checked the root.
    RootedPath rooted = canonicalRootedPath(*splitRootedPath(fullPath));
    std::string path = rooted.root.name;
    for (const auto& component : splitKeyPath(rooted.subPath)) {
        path += '\\';
        path += foldName(component);
    }
    return path;
}

RegFileImporter::CurrentKey RegFileImporter::ensureKey(const std::string& fullPath) {
    RootedPath rooted = canonicalRootedPath(*splitRootedPath(fullPath));
    CurrentKey key{RegistryDatabase::rootId(rooted.root.handle), rooted.root.name};
    for (const auto& component : splitKeyPath(rooted.subPath)) {
        std::string path = key.path + '\\' + foldName(component);
        if (const auto known = known_.find(path); known != known_.end()) {
            key.id = known->second;
        } else {
            auto found = database_.findKey(path);
            key.id = found ? *found : database_.createKey(key.id, key.path, component);
            known_.emplace(path, key.id);
        }
        key.path = std::move(path);
    }
    return key;
}

void RegFileImporter::apply(const RegFileEntry& entry, CurrentKey& current) {
    switch (entry.kind) {
        case RegFileEntry::Kind::Key:
            current = ensureKey(entry.keyPath);
            break;
        case RegFileEntry::Kind::DeleteKey: {
            known_.clear();
            // A root itself (HKEY_CLASSES_ROOT included) is never removed, only what
            // lies below it.
            if (splitKeyPath(splitRootedPath(entry.keyPath)->subPath).empty()) {
                const CurrentKey root = ensureKey(entry.keyPath);
                for (const auto& subkey : database_.subkeys(root.id)) {
                    database_.deleteKeyTree(root.path + '\\' + foldName(subkey.name));
                }
            } else {
                database_.deleteKeyTree(foldedPath(entry.keyPath));
            }
            break;
        }
        case RegFileEntry::Kind::SetValue:
            database_.setValue(current.id, entry.valueName, entry.type, entry.data);
            break;
        case RegFileEntry::Kind::DeleteValue:
            database_.deleteValue(current.id, foldName(entry.valueName));
            break;
    }
}

}  // namespace platform::emulated
