#pragma once
// Configuration files for the fuzz targets that load them: the input is the file, and
// each target runs it on both templates.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "config/AddInList.h"
#include "config/RmwConfig.h"

namespace fuzzsupport {

inline std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Opens FILE in a new document of the installed machine, as the window does.
inline std::unique_ptr<RmwConfig> opened(const std::filesystem::path& file) {
    static const AddInList noAddIns;
    auto document = std::make_unique<RmwConfig>();
    document->loadConfigurationFile(file.string(), noAddIns);
    return document;
}

// Saves DOCUMENT to FILE and gives the file's bytes.
inline std::string saved(RmwConfig& document, const std::filesystem::path& file) {
    static const AddInList noAddIns;
    document.saveConfigurationFile(file.string(), noAddIns);
    return fileBytes(file);
}

}  // namespace fuzzsupport
