#pragma once
// Crafted setup packages for the tests: ZIP archives written byte by byte (so that
// they can be wrong in exactly one way) and packages around them.

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "setup/PackageWriter.h"

namespace setuptest {

struct Member {
    std::string name;
    std::string data;
    std::uint16_t method = 8;  // 0 stored, 8 deflated, others as given
    std::uint16_t flags = 0;
    std::uint16_t dosTime = (13 << 11) | (45 << 5) | (30 / 2);              // 13:45:30
    std::uint16_t dosDate = ((2001 - 1980) << 9) | (6 << 5) | 15;           // 2001-06-15
    std::int64_t crcChange = 0;      // added to the right CRC
    std::int64_t sizeChange = 0;     // added to the right uncompressed size
};

inline std::string little(std::uint64_t value, int size) {
    std::string bytes;
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

inline std::string rawDeflate(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()) + 16, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// Local headers and data of MEMBERS, then a central directory signature to stop at.
inline std::string zipOf(const std::vector<Member>& members) {
    std::string zip;
    for (const auto& member : members) {
        const std::string stored = member.method == 8 ? rawDeflate(member.data) : member.data;
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(member.data.data()), static_cast<uInt>(member.data.size())) +
            member.crcChange);
        zip += std::string("PK\x03\x04", 4) + little(20, 2) + little(member.flags, 2) + little(member.method, 2) +
               little(member.dosTime, 2) + little(member.dosDate, 2) + little(crc, 4) + little(stored.size(), 4) +
               little(static_cast<std::uint64_t>(static_cast<std::int64_t>(member.data.size()) + member.sizeChange), 4) +
               little(member.name.size(), 2) + little(0, 2) + member.name + stored;
    }
    return zip + std::string("PK\x01\x02", 4) + std::string(42, '\0');
}

// An INF that copies FILE from the working folder to C:\Installed and records the
// installation in HKLM\Software\SetupTest.
inline std::string installingInf(const std::string& file) {
    return "[Version]\r\nSignature=\"$CHICAGO$\"\r\n[DefaultInstall]\r\nCopyFiles=Files\r\nAddReg=Reg\r\n"
           "[DestinationDirs]\r\nFiles=24,Installed\r\n[Files]\r\n" + file +
           "\r\n[Reg]\r\nHKLM,Software\\SetupTest,Installed,,yes\r\n";
}

inline setup::PackageHeader header(std::uint8_t keepOpen = 1, const std::string& agreement = "") {
    setup::PackageHeader header;
    header.keepOpen = keepOpen;
    header.title = "Test Installation";
    header.infName = "><setup.inf";
    header.agreementText = agreement;
    return header;
}

// Writes the package PATH (part 0; more parts with PARTSIZE) around ARCHIVE.
inline void writePackage(const std::filesystem::path& path, const std::string& archive,
                         const setup::PackageHeader& head = header(), std::uint64_t partSize = 0) {
    const auto program = path.parent_path() / "program";
    std::ofstream(program, std::ios::binary) << "setup program";
    setup::writePackage(program.string(), head, archive, path.string(), partSize);
}

}  // namespace setuptest
