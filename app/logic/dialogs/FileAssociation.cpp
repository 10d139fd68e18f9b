#include "app/logic/dialogs/FileAssociation.h"

#include "platform/AsciiText.h"
#include "registry/clsEasyRegistry.h"

namespace {

using platform::concat;

constexpr const char* kClassesRoot = "\\HKEY_CLASSES_ROOT";
constexpr const char* kExtension = ".rmw";
constexpr const char* kFileType = "rmw_auto_file";
constexpr const char* kOpenKey = "\\HKEY_CLASSES_ROOT\\rmw_auto_file\\shell\\open";
constexpr const char* kCommandKey = "\\HKEY_CLASSES_ROOT\\rmw_auto_file\\shell\\open\\command";
// How the open command ends when it starts the main program with the file.
constexpr std::string_view kCommandEnding = "\\RMW.EXE %1";

bool endsWith(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

}  // namespace

FileAssociation::FileAssociation(clsEasyRegistry& registry) : registry_(registry) {}

bool FileAssociation::isRegistered() {
    registry_.Cd(kCommandKey);
    return endsWith(platform::upperAscii(registry_.ValueOf("").text), kCommandEnding);
}

void FileAssociation::create(const std::string& programFolder) {
    deleteTree(kClassesRoot, kExtension);
    registry_.Cd(kClassesRoot);
    registry_.MakeKey(kExtension);
    registry_.Cd(concat({kClassesRoot, "\\", kExtension}));
    registry_.ValueOf("", clsEasyRegistry::STRING, std::string(kFileType));

    deleteTree(kClassesRoot, kFileType);
    registry_.Cd(kClassesRoot);
    registry_.MakeKey(concat({kFileType, "\\shell\\open\\command"}));
    registry_.Cd(kOpenKey);
    registry_.ValueOf("", clsEasyRegistry::STRING, std::string());
    registry_.Cd(kCommandKey);
    registry_.ValueOf("", clsEasyRegistry::STRING, concat({programFolder, "\\Rmw.exe %1"}));
}

void FileAssociation::remove() {
    deleteTree(kClassesRoot, kExtension);
    deleteTree(kClassesRoot, kFileType);
}

void FileAssociation::deleteTree(const std::string& parentPath, const std::string& name) {
    const std::string path = concat({parentPath, "\\", name});
    registry_.Cd(path);
    if (registry_.lastError() != 0) return;  // nothing there to delete
    if (const auto subkeys = registry_.DirKey()) {
        for (const std::string& subkey : *subkeys) deleteTree(path, subkey);
    }
    registry_.Cd(parentPath);
    registry_.DeleteKey(name);
}
