#include "setup/SetupPreview.h"

#include <fstream>
#include <vector>

namespace setup {

PackageHeader previewHeader(const std::string& setupFile) {
    std::ifstream file(setupFile, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(kHeaderOffset));
    std::vector<char> bytes(1 << 16);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    try {
        return parsePackageHeader(std::string_view(bytes.data(), static_cast<std::size_t>(file.gcount())));
    } catch (const PackageFormatError&) {
        PackageHeader header;
        header.title = "Roamwise Installation";
        header.agreementText = "(the licence agreement)";
        return header;
    }
}

}  // namespace setup
