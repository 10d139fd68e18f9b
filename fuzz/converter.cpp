// The version-1 converter on any file: it either refuses with a ConversionError,
// writing nothing, or writes a version-2 file that begins with the version-2 header
// and converts to the same file every time.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "converter/ConversionError.h"
#include "converter/ConvertFile.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/FuzzMachine.h"

namespace {

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::filesystem::path& folder() {
    static fuzzsupport::FuzzMachine machine("win98");
    static const std::filesystem::path scratch = (machine.fresh(), machine.scratch());
    return scratch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto source = folder() / "old.cfg";
    const auto destination = folder() / "new.rmw";
    { std::ofstream(source, std::ios::binary | std::ios::trunc) << fuzzsupport::bytesOf(data, size); }
    std::filesystem::remove(destination);
    try {
        converter::convertFile(source.string(), destination.string());
    } catch (const converter::ConversionError&) {
        fuzzsupport::require(!std::filesystem::exists(destination), "a refused conversion wrote");
        return 0;
    }
    const std::string converted = fileBytes(destination);
    fuzzsupport::require(converted.rfind(converter::versionTwoHeader(), 0) == 0,
                         "a converted file without the version-2 header");
    converter::convertFile(source.string(), destination.string());
    fuzzsupport::requireEqual(converted, fileBytes(destination), "converting twice");
    return 0;
}
