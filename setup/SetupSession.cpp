#include "setup/SetupSession.h"

#include <filesystem>

#include "platform/Win32.h"
#include "setup/SetupMessages.h"

namespace setup {
namespace {

constexpr win32::DWORD kCreationFlags = 0x90;  // a new console, high priority

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

SetupSession::SetupSession(PackageHeader header, const WorkingFolder& folder, std::string package,
                           std::string startFolder)
    : header_(std::move(header)),
      folder_(folder),
      package_(std::move(package)),
      startFolder_(std::move(startFolder)),
      extractor_(folder, {}) {}

bool SetupSession::extract(ExtractionEvents events) {
    extractor_.events(std::move(events));
    return extractor_.extract(package_, header_.archiveOffset());
}

// The INF name up to a "|", with every "><" standing for the working folder and "\",
// in its short form.
std::string SetupSession::infPath() const {
    std::string name = header_.infName.substr(0, header_.infName.find('|'));
    replaceAll(name, "><", folder_.path() + "\\");
    const std::string shortName = win32::GetShortPathNameA(name);
    return shortName.empty() ? name : shortName;
}

std::string SetupSession::infCommand() const {
    const bool setupX = platform::files().fileExists(win32::GetSystemDirectoryA() + "\\SetupX.dll");
    return std::string(setupX ? "RunDll.exe SetupX.dll" : "RunDll32.exe SetupApi.dll") +
           ",InstallHinfSection DefaultInstall 132 " + infPath();
}

bool SetupSession::runInf() {
    win32::SetCurrentDirectoryA(folder_.path());
    win32::PROCESS_INFORMATION process;
    bool ok = win32::CreateProcessA(infCommand(), kCreationFlags, "", win32::SW_SHOWDEFAULT, &process) != 0;
    if (ok) {
        win32::WaitForSingleObject(process.hProcess, win32::INFINITE);
        win32::DWORD exitCode = 0;
        ok = win32::GetExitCodeProcess(process.hProcess, &exitCode) != 0;
        if (ok) infExitCode_ = exitCode;
        win32::CloseHandle(process.hProcess);
    }
    if (!ok) showError(kCouldNotInitialize);
    win32::SetCurrentDirectoryA(startFolder_);
    return ok;
}

void SetupSession::deleteExtracted(const std::function<void(const std::string&)>& deleting) {
    for (const auto& path : extractor_.extractedFiles()) {
        if (deleting) deleting(path);
        platform::files().deleteFile(path);
    }
    // Folders the members made go too, deepest first, when nothing else is in them.
    for (auto it = extractor_.extractedFiles().rbegin(); it != extractor_.extractedFiles().rend(); ++it) {
        for (std::string parent = it->substr(0, it->find_last_of('\\')); parent.size() > folder_.path().size();
             parent = parent.substr(0, parent.find_last_of('\\'))) {
            std::error_code error;
            std::filesystem::remove(platform::files().toNative(parent), error);
        }
    }
    deleted_ = true;
}

}  // namespace setup
