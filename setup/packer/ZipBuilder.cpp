#include "setup/packer/ZipBuilder.h"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace packer {

std::string buildZip(const std::vector<std::pair<std::string, std::string>>& members,
                     const std::string& scratchFile) {
    int error = 0;
    zip_t* archive = zip_open(scratchFile.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) throw std::runtime_error("cannot create " + scratchFile);
    auto fail = [&](const std::string& what) {
        const std::string message = what + ": " + zip_strerror(archive);
        zip_discard(archive);
        throw std::runtime_error(message);
    };
    for (const auto& [name, file] : members) {
        zip_source_t* source = zip_source_file(archive, file.c_str(), 0, -1);
        if (source == nullptr) fail("cannot read " + file);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_CP437);
        if (index < 0) {
            zip_source_free(source);
            fail("cannot add " + name);
        }
        if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9) != 0)
            fail("cannot compress " + name);
    }
    if (zip_close(archive) != 0) fail("cannot write " + scratchFile);
    std::ifstream in(scratchFile, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::error_code ignored;
    std::filesystem::remove(scratchFile, ignored);
    return bytes.str();
}

}  // namespace packer
