#pragma once
// The layout of a setup package. The file starts with the setup program, padded with
// zero bytes to kHeaderOffset; the 21-byte package header follows, then its five texts
// (title, INF name, block A, info text, agreement text, stored plainly), then a ZIP
// archive whose members the setup program extracts in file order.
//
//   offset in header  size  field
//    0                 3    signature "MRI"
//    3                 1    keep-open flag (0: the dialog closes itself after setup)
//    4                 1    title length
//    5                 1    INF name length
//    6                 1    administrator-required flag
//    7                 1    block A length
//    8                 4    info text length (0: the built-in info text)
//   12                 4    agreement text length (0: no agreement page)
//   16                 1    remove-install-button flag
//   17                 4    total package size over all parts
// Integers are little-endian. A package may be split into parts: part 0 keeps the
// package's file name and holds at least the setup program, the header and its texts;
// part N (N from 1) is named with the name's last three characters replaced by N in
// three digits. The setup program joins them again in order.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace setup {

// Where the package header starts: the size the setup program is padded to. The build
// refuses a setup program that does not fit (sanitizer builds included).
constexpr std::uint64_t kHeaderOffset = 0x4000000;  // 64 MiB
constexpr std::size_t kHeaderSize = 21;
constexpr std::string_view kSignature = "MRI";
// The largest package the 32-bit total size can describe.
constexpr std::uint64_t kMaxPackageSize = 0xFFFFFFFFu;

class PackageFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct PackageHeader {
    std::uint8_t keepOpen = 1;
    std::uint8_t administratorRequired = 0;
    std::uint8_t removeInstallButton = 1;
    std::uint32_t totalSize = 0;
    std::string title;
    std::string infName;
    std::string blockA;
    std::string infoText;       // "" with length 0: the built-in info text
    std::string agreementText;  // "": no agreement page

    // Where the archive starts in the package.
    std::uint64_t archiveOffset() const;
};

// The header and its texts from BYTES, which start at kHeaderOffset and may run on
// into the archive. PackageFormatError when the signature is wrong or BYTES end early.
// This is the entry a fuzz target calls.
PackageHeader parsePackageHeader(std::string_view bytes);
// The header and its texts as they are stored. PackageFormatError when a text is too
// long for its length field.
std::string encodePackageHeader(const PackageHeader& header);

// The name of part NUMBER (1 and up) of the package named PACKAGEPATH.
std::string partName(const std::string& packagePath, int number);

}  // namespace setup
