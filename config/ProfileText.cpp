#include "config/ProfileText.h"

#include "config/TextRules.h"
#include "platform/RaisedError.h"
#include "platform/Win32.h"

namespace profiletext {

std::string read(const std::string& section, const std::string& key, const std::string& sFile) {
    std::string value = win32::GetPrivateProfileStringA(section, key, "", sFile);
    const auto terminator = value.find('\0');
    if (terminator != std::string::npos) value.erase(terminator);
    return textrules::trimmedBlanks(value);
}

void write(const std::string& section, const std::string& key, const std::string& value,
           const std::string& sFile) {
    if (!win32::WritePrivateProfileStringA(section, key, value, sFile)) {
        throw RaisedError(75, "RmwConfig", "Path/File access error");
    }
}

}  // namespace profiletext
