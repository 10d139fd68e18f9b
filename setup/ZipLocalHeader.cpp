#include "setup/ZipLocalHeader.h"

namespace setup {
namespace {

std::uint64_t little(std::string_view bytes, std::size_t at, int size) {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

}  // namespace

bool isLocalHeader(std::string_view fixed) { return fixed.substr(0, 4) == std::string_view("PK\x03\x04", 4); }

ZipLocalHeader parseLocalHeaderFixed(std::string_view fixed) {
    ZipLocalHeader header;
    if (fixed.size() < ZipLocalHeader::kFixedSize) return header;
    header.flags = static_cast<std::uint16_t>(little(fixed, 6, 2));
    header.method = static_cast<std::uint16_t>(little(fixed, 8, 2));
    header.dosTime = static_cast<std::uint16_t>(little(fixed, 10, 2));
    header.dosDate = static_cast<std::uint16_t>(little(fixed, 12, 2));
    header.crc = static_cast<std::uint32_t>(little(fixed, 14, 4));
    header.compressedSize = little(fixed, 18, 4);
    header.uncompressedSize = little(fixed, 22, 4);
    header.nameLength = static_cast<std::uint16_t>(little(fixed, 26, 2));
    header.extraLength = static_cast<std::uint16_t>(little(fixed, 28, 2));
    return header;
}

bool completeLocalHeader(ZipLocalHeader& header, std::string_view name, std::string_view extra) {
    header.name = std::string(name);
    const bool needUncompressed = header.uncompressedSize == 0xFFFFFFFFu;
    const bool needCompressed = header.compressedSize == 0xFFFFFFFFu;
    if (!needUncompressed && !needCompressed) return true;
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const auto id = little(extra, at, 2);
        const auto size = little(extra, at + 2, 2);
        if (at + 4 + size > extra.size()) break;
        if (id == 0x0001) {
            std::size_t field = at + 4;
            const std::size_t end = at + 4 + size;
            if (needUncompressed) {
                if (field + 8 > end) return false;
                header.uncompressedSize = little(extra, field, 8);
                field += 8;
            }
            if (needCompressed) {
                if (field + 8 > end) return false;
                header.compressedSize = little(extra, field, 8);
            }
            return true;
        }
        at += 4 + size;
    }
    return false;
}

}  // namespace setup
