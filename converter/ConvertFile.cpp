#include "converter/ConvertFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "converter/ConversionError.h"
#include "converter/ConvertLine.h"
#include "platform/AsciiText.h"
#include "platform/ProfileWriteSession.h"
#include "platform/Services.h"

namespace converter {
namespace {

// The whole source is read before the destination is touched, so a failure leaves no
// half-written file behind.
std::string readSource(const std::string& source) {
    if (platform::trimBlanks(source).empty() || !platform::files().fileExists(source)) {
        throw ConversionError(kSourceNotFound);
    }
    const std::filesystem::path native = platform::files().toNative(source);
    std::error_code error;
    if (!std::filesystem::is_regular_file(native, error)) throw ConversionError(kSourceNotFound);
    std::ifstream file(native, std::ios::binary);
    if (!file) throw ConversionError(kSourceUnreadable);
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) throw ConversionError(kSourceUnreadable);
    return text;
}

// Emptying the destination first would otherwise destroy the source before it is read.
void checkDestination(const std::string& source, const std::string& destination) {
    if (platform::trimBlanks(destination).empty()) throw ConversionError(kDestinationMissing);
    std::error_code error;
    if (std::filesystem::equivalent(platform::files().toNative(source),
                                    platform::files().toNative(destination), error)) {
        throw ConversionError(kDestinationIsSource);
    }
}

}  // namespace

const std::string& versionTwoHeader() {
    static const std::string header =
        ";--------------------------------------------\r\n"
        "; Roamwise Configuration File\r\n"
        "; Version 2\r\n"
        ";\r\n"
        ";--------------------------------------------\r\n"
        "\r\n"
        "[Enabled Sections]\r\n"
        "General=1\r\n"
        "Internet Explorer=1\r\n"
        "Netscape Navigator=1\r\n";
    return header;
}

void convertFile(const std::string& source, const std::string& destination) {
    const std::string sourceText = readSource(source);
    checkDestination(source, destination);
    // The new file is built whole under the destination's name and replaces it in one
    // step, so a failure or a killed converter leaves the old destination as it was.
    platform::ProfileWriteSession session(destination, versionTwoHeader());
    if (!session.started()) throw ConversionError(kDestinationUncreatable);
    for (const std::string& line : platform::splitLines(sourceText)) convertLine(destination, line);
    if (!session.commit()) throw ConversionError(kDestinationUncreatable);
}

}  // namespace converter
