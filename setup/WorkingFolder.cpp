#include "setup/WorkingFolder.h"

#include <filesystem>

#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace setup {
namespace {

std::string withoutTrailingBackslash(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string baseFolder(const std::string& currentFolder) {
    const std::string temp = withoutTrailingBackslash(win32::GetTempPathA());
    if (temp.empty() || platform::equalsIgnoringCase(temp, withoutTrailingBackslash(currentFolder)) ||
        temp.find(' ') != std::string::npos)
        return win32::GetSystemDirectoryA();
    return temp;
}

}  // namespace

WorkingFolder::WorkingFolder(const std::string& currentFolder) {
    const std::string base = withoutTrailingBackslash(baseFolder(currentFolder));
    path_ = base + (base.back() == '\\' ? "" : "\\") + "$Packwit.Tmp";
}

bool WorkingFolder::create() {
    auto& files = platform::files();
    const auto native = files.toNative(path_);
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(native, error)))
        return files.isOwnFolder(path_);
    created_ = std::filesystem::create_directory(native, error);
    return created_ && files.isOwnFolder(path_);
}

void WorkingFolder::remove() const {
    auto& files = platform::files();
    if (!files.isOwnFolder(path_)) return;
    std::error_code error;
    std::filesystem::remove(files.toNative(path_), error);  // only an empty folder goes
}

}  // namespace setup
