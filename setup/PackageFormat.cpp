#include "setup/PackageFormat.h"

#include <cstdio>

namespace setup {
namespace {

std::uint32_t readLittleEndian(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

void appendLittleEndian(std::string& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::uint64_t PackageHeader::archiveOffset() const {
    return kHeaderOffset + kHeaderSize + title.size() + infName.size() + blockA.size() +
           infoText.size() + agreementText.size();
}

PackageHeader parsePackageHeader(std::string_view bytes) {
    if (bytes.size() < kHeaderSize || bytes.substr(0, 3) != kSignature)
        throw PackageFormatError("the package has no header");
    PackageHeader header;
    header.keepOpen = static_cast<std::uint8_t>(bytes[3]);
    const std::uint32_t lengths[] = {readLittleEndian(bytes, 4, 1), readLittleEndian(bytes, 5, 1),
                                     readLittleEndian(bytes, 7, 1), readLittleEndian(bytes, 8, 4),
                                     readLittleEndian(bytes, 12, 4)};
    header.administratorRequired = static_cast<std::uint8_t>(bytes[6]);
    header.removeInstallButton = static_cast<std::uint8_t>(bytes[16]);
    header.totalSize = readLittleEndian(bytes, 17, 4);
    std::string* texts[] = {&header.title, &header.infName, &header.blockA, &header.infoText,
                            &header.agreementText};
    std::size_t at = kHeaderSize;
    for (int i = 0; i < 5; ++i) {
        if (lengths[i] > bytes.size() - at) throw PackageFormatError("the package header's texts are cut short");
        *texts[i] = std::string(bytes.substr(at, lengths[i]));
        at += lengths[i];
    }
    return header;
}

std::string encodePackageHeader(const PackageHeader& header) {
    if (header.title.size() > 255 || header.infName.size() > 255 || header.blockA.size() > 255)
        throw PackageFormatError("the title, INF name and block A hold at most 255 bytes each");
    std::string out(kSignature);
    out += static_cast<char>(header.keepOpen);
    out += static_cast<char>(header.title.size());
    out += static_cast<char>(header.infName.size());
    out += static_cast<char>(header.administratorRequired);
    out += static_cast<char>(header.blockA.size());
    appendLittleEndian(out, static_cast<std::uint32_t>(header.infoText.size()), 4);
    appendLittleEndian(out, static_cast<std::uint32_t>(header.agreementText.size()), 4);
    out += static_cast<char>(header.removeInstallButton);
    appendLittleEndian(out, header.totalSize, 4);
    out += header.title + header.infName + header.blockA + header.infoText + header.agreementText;
    return out;
}

std::string partName(const std::string& packagePath, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", number % 1000);
    if (packagePath.size() < 3) return digits;
    return packagePath.substr(0, packagePath.size() - 3) + digits;
}

}  // namespace setup
