#include "browser/browserText.h"

#include <fstream>
#include <iterator>

#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace browsertext {

std::string flagText(bool bOn) {
    return bOn ? "1" : "0";
}

std::string readProfile(const std::string& sSection, const std::string& sKey,
                        const std::string& sFilename) {
    return platform::stripTerminator(
        win32::GetPrivateProfileStringA(sSection, sKey, "", sFilename));
}

std::optional<std::string> readPresentProfile(const std::string& sSection, const std::string& sKey,
                                              const std::string& sFilename) {
    // No value in a file is this text; it comes back only for a missing key.
    static const std::string absent("\x01");
    const std::string value = win32::GetPrivateProfileStringA(sSection, sKey, absent, sFilename);
    if (value == absent) return std::nullopt;
    return platform::stripTerminator(value);
}

void writeProfile(const std::string& sSection, const std::string& sKey, const std::string& sValue,
                  const std::string& sFilename) {
    win32::WritePrivateProfileStringA(sSection, sKey, sValue, sFilename);
}

bool readFile(const std::filesystem::path& file, std::string& sContents) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    sContents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace browsertext
