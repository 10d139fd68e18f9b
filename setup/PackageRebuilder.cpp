#include "setup/PackageRebuilder.h"

#include <cstdio>
#include <cstring>
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

bool allZero(const std::vector<char>& block, std::size_t size) {
    static const std::vector<char> zeros(kBlock, 0);
    return std::memcmp(block.data(), zeros.data(), size) == 0;
}

// Appends all of IN to OUT; false when a read or write fails. Blocks of zero bytes (the
// padding behind the setup program) are skipped over rather than written, so the copy
// keeps them as holes where the file system allows; ZEROTAIL says whether the copy
// ends in such a skip, which endPackage settles.
bool append(std::FILE* in, std::FILE* out, std::uint64_t& written, bool& zeroTail) {
    std::vector<char> block(kBlock);
    for (;;) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), in);
        if (got > 0) {
            zeroTail = allZero(block, got);
            const bool ok = zeroTail ? fseeko(out, static_cast<off_t>(got), SEEK_CUR) == 0
                                     : std::fwrite(block.data(), 1, got, out) == got;
            if (!ok) return false;
        }
        written += got;
        if (got < block.size()) return !std::ferror(in);
    }
}

// A copy that ends in skipped zero bytes gets its last byte written, so that it has its
// full size.
bool endPackage(std::FILE* out, bool zeroTail) {
    if (!zeroTail) return true;
    return fseeko(out, -1, SEEK_CUR) == 0 && std::fputc(0, out) == 0;
}

}  // namespace

PackageRebuilder::PackageRebuilder(std::string setupFile, std::uint64_t totalSize, std::string title)
    : setupFile_(std::move(setupFile)), totalSize_(totalSize), title_(std::move(title)) {}

bool PackageRebuilder::rebuild(const std::string& target) const {
    File out(std::fopen(platform::files().toNative(target).c_str(), "wb"));
    File first = openForReading(setupFile_);
    if (!out || !first) return false;
    std::uint64_t written = 0;
    bool zeroTail = false;
    if (!append(first.get(), out.get(), written, zeroTail)) return false;
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
        if (!append(next.get(), out.get(), written, zeroTail)) return false;
        if (written == before) return false;  // an empty part would ask for disks forever
    }
    return endPackage(out.get(), zeroTail) && std::fclose(out.release()) == 0;
}

}  // namespace setup
