#pragma once
// A ZIP local file header (signature "PK\3\4"): the fixed 30 bytes, then the name and
// the extra field. Sizes of 0xFFFFFFFF are taken from a Zip64 extra field.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace setup {

struct ZipLocalHeader {
    static constexpr std::size_t kFixedSize = 30;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint16_t dosTime = 0;
    std::uint16_t dosDate = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t uncompressedSize = 0;
    std::uint16_t nameLength = 0;
    std::uint16_t extraLength = 0;
    std::string name;

    bool encrypted() const { return flags & 0x1; }
    // Sizes and CRC follow the data instead of standing here.
    bool sizesFollowData() const { return flags & 0x8; }
    std::uint64_t recordSize() const { return kFixedSize + nameLength + extraLength; }
};

// Whether FIXED (at least 4 bytes) starts a local file header.
bool isLocalHeader(std::string_view fixed);
// The fixed part from its 30 bytes; name and extra field are read afterwards.
ZipLocalHeader parseLocalHeaderFixed(std::string_view fixed);
// Completes HEADER with the NAME and EXTRA bytes that follow its fixed part; false when
// a Zip64 size is announced but missing.
bool completeLocalHeader(ZipLocalHeader& header, std::string_view name, std::string_view extra);

}  // namespace setup
