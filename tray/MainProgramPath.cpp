#include "tray/MainProgramPath.h"

#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "platform/Win32.h"
#include "registry/clsEasyRegistry.h"

namespace {

// A path written with quotes around it (as Run entries are) names the same program.
std::string withoutEnclosingQuotes(const std::string& path) {
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        return path.substr(1, path.size() - 2);
    return path;
}

std::string besideTheUtility() {
    return platform::concat({platform::systemInfo().programFolder(), "\\Rmw.exe"});
}

// The root of the Windows folder's drive, such as "C:\" for C:\WINDOWS.
std::string underProgramFilesOfWindowsDrive() {
    const std::string windows = win32::GetWindowsDirectoryA();
    const std::size_t slash = windows.find('\\');
    const std::string root = slash == std::string::npos ? windows + "\\" : windows.substr(0, slash + 1);
    return platform::concat({root, "Program Files\\Roamwise\\Rmw.exe"});
}

}  // namespace

std::string findMainProgram(clsEasyRegistry& registry) {
    registry.Cd(kMainProgramAppPathsKey);
    const clsEasyRegistry::Value registered = registry.ValueOf("");
    if (registry.lastError() == 0) return withoutEnclosingQuotes(registered.text);
    for (const std::string& candidate : {besideTheUtility(), underProgramFilesOfWindowsDrive()}) {
        if (platform::files().fileExists(candidate)) return candidate;
    }
    return "";
}
