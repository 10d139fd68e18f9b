#include "config/ProfileText.h"

#include "platform/AsciiText.h"
#include "platform/RaisedError.h"
#include "platform/Win32.h"

namespace profiletext {

std::string read(const std::string& section, const std::string& key, const std::string& sFile) {
    return platform::stripTerminator(win32::GetPrivateProfileStringA(section, key, "", sFile));
}

void write(const std::string& section, const std::string& key, const std::string& value,
           const std::string& sFile) {
    if (!win32::WritePrivateProfileStringA(section, key, value, sFile)) {
        throw RaisedError(75, "RmwConfig", "Path/File access error");
    }
}

}  // namespace profiletext
