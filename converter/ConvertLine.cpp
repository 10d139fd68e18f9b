#include "converter/ConvertLine.h"

#include "converter/ConversionError.h"
#include "converter/VersionOneLine.h"
#include "platform/Win32.h"

namespace converter {

void convertLine(const std::string& destination, const std::string& line) {
    const auto setting = readVersionOneLine(line);
    if (!setting) return;
    if (!win32::WritePrivateProfileStringA(setting->section, setting->key, setting->value,
                                           destination)) {
        throw ConversionError(kDestinationUnwritable);
    }
}

}  // namespace converter
