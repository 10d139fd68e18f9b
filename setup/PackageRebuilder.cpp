#include "setup/PackageRebuilder.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/Services.h"
#include "setup/PackageFormat.h"
#include "setup/SetupMessages.h"

namespace setup {
namespace {

constexpr std::size_t kBlock = 32768;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openForReading(const std::string& path) {
    return File(std::fopen(platform::files().toNative(path).c_str(), "rb"));
}

// Appends all of IN to OUT; false when a read or write fails.
bool append(std::FILE* in, std::FILE* out, std::uint64_t& written) {
    std::vector<char> block(kBlock);
    for (;;) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), in);
        if (got > 0 && std::fwrite(block.data(), 1, got, out) != got) return false;
        written += got;
        if (got < block.size()) return !std::ferror(in);
    }
}

}  // namespace

PackageRebuilder::PackageRebuilder(std::string setupFile, std::uint64_t totalSize, std::string title)
    : setupFile_(std::move(setupFile)), totalSize_(totalSize), title_(std::move(title)) {}

bool PackageRebuilder::rebuild(const std::string& target) const {
    File out(std::fopen(platform::files().toNative(target).c_str(), "wb"));
    File first = openForReading(setupFile_);
    if (!out || !first) return false;
    std::uint64_t written = 0;
    if (!append(first.get(), out.get(), written)) return false;
    for (int part = 1; written < totalSize_; ++part) {
        File next = openForReading(partName(setupFile_, part));
        while (!next) {
            const auto answer = platform::ui().messageBox(
                kInsertDisk + std::to_string(part) + "..", platform::MsgBoxButtons::OKCancel,
                platform::MsgBoxIcon::Exclamation, title_);
            if (answer != platform::MsgBoxResult::OK) return false;
            next = openForReading(partName(setupFile_, part));
        }
        const std::uint64_t before = written;
        if (!append(next.get(), out.get(), written)) return false;
        if (written == before) return false;  // an empty part would ask for disks forever
    }
    return std::fclose(out.release()) == 0;
}

}  // namespace setup
