#include "platform/win32/Win32ProfileStrings.h"

#include <process.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/AsciiText.h"
#include "platform/win32/SystemCalls.h"

namespace platform::win32impl {

namespace {

std::string sessionKey(const std::string& fileName) { return upperAscii(fileName); }

std::string uniqueStagedName(const std::string& target) {
    static unsigned counter = 0;
    return target + "." + std::to_string(_getpid()) + "." + std::to_string(++counter) + ".tmp";
}

}  // namespace

std::string Win32ProfileStrings::fileInUse(const std::string& fileName) const {
    const auto staged = stagedFiles_.find(sessionKey(fileName));
    return staged == stagedFiles_.end() ? fileName : staged->second;
}

bool Win32ProfileStrings::beginWriteSession(const std::string& fileName,
                                            const std::string& initialContents) {
    if (fileName.empty() || stagedFiles_.count(sessionKey(fileName))) return false;
    const std::string staged = uniqueStagedName(fileName);
    std::ofstream out(staged, std::ios::binary | std::ios::trunc);
    out.write(initialContents.data(), static_cast<std::streamsize>(initialContents.size()));
    out.close();
    if (!out) {
        std::error_code ignored;
        std::filesystem::remove(staged, ignored);
        return false;
    }
    stagedFiles_[sessionKey(fileName)] = staged;
    return true;
}

bool Win32ProfileStrings::commitWriteSession(const std::string& fileName) {
    const auto staged = stagedFiles_.find(sessionKey(fileName));
    if (staged == stagedFiles_.end()) return false;
    std::error_code error;
    std::filesystem::rename(staged->second, fileName, error);
    if (error) {
        endWriteSession(fileName);
        return false;
    }
    stagedFiles_.erase(staged);
    return true;
}

void Win32ProfileStrings::endWriteSession(const std::string& fileName) {
    const auto staged = stagedFiles_.find(sessionKey(fileName));
    if (staged == stagedFiles_.end()) return;
    std::error_code ignored;
    std::filesystem::remove(staged->second, ignored);
    stagedFiles_.erase(staged);
}

std::string Win32ProfileStrings::writeSessionContents(const std::string& fileName) {
    const auto staged = stagedFiles_.find(sessionKey(fileName));
    if (staged == stagedFiles_.end()) return {};
    std::ifstream in(staged->second, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Win32ProfileStrings::GetPrivateProfileStringA(const std::string& section,
                                                          const std::string& key,
                                                          const std::string& defaultValue,
                                                          const std::string& fileName) {
    // Without a file name Windows reads win.ini, which the caller did not ask for.
    if (fileName.empty()) return defaultValue;
    return win32sys::privateProfileString(section, key, defaultValue, fileInUse(fileName));
}

win32::BOOL Win32ProfileStrings::WritePrivateProfileStringA(
    const std::string& section, const std::optional<std::string>& key,
    const std::optional<std::string>& value, const std::string& fileName) {
    if (fileName.empty()) return 0;
    return win32sys::writePrivateProfileString(section, key, value, fileInUse(fileName)) ? 1 : 0;
}

std::string Win32ProfileStrings::GetProfileStringA(const std::string& section,
                                                   const std::string& key,
                                                   const std::string& defaultValue) {
    return win32sys::profileString(section, key, defaultValue);
}

win32::BOOL Win32ProfileStrings::WriteProfileStringA(const std::string& section,
                                                     const std::optional<std::string>& key,
                                                     const std::optional<std::string>& value) {
    return win32sys::writeProfileString(section, key, value) ? 1 : 0;
}

}  // namespace platform::win32impl
