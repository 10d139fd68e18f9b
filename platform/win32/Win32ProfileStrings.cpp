#include "platform/win32/Win32ProfileStrings.h"

#include "platform/win32/SystemCalls.h"

namespace platform::win32impl {

std::string Win32ProfileStrings::GetPrivateProfileStringA(const std::string& section,
                                                          const std::string& key,
                                                          const std::string& defaultValue,
                                                          const std::string& fileName) {
    // Without a file name Windows reads win.ini, which the caller did not ask for.
    if (fileName.empty()) return defaultValue;
    return win32sys::privateProfileString(section, key, defaultValue, fileName);
}

win32::BOOL Win32ProfileStrings::WritePrivateProfileStringA(
    const std::string& section, const std::optional<std::string>& key,
    const std::optional<std::string>& value, const std::string& fileName) {
    if (fileName.empty()) return 0;
    return win32sys::writePrivateProfileString(section, key, value, fileName) ? 1 : 0;
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
