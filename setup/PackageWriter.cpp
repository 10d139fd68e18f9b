#include "setup/PackageWriter.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace setup {
namespace fs = std::filesystem;
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw PackageFormatError("cannot read " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Writes BYTES at OFFSET of the package's parts.
class PartWriter {
  public:
    // Part 0 holds FIRSTPARTSIZE bytes, every further part PARTSIZE (0: one part).
    PartWriter(std::string output, std::uint64_t firstPartSize, std::uint64_t partSize)
        : output_(std::move(output)), first_(firstPartSize), partSize_(partSize) {}

    void write(std::uint64_t offset, const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::uint64_t at = offset + done;
            const int part = partOf(at);
            const std::uint64_t within = part == 0 ? at : (at - first_) % partSize_;
            const std::uint64_t room = partSize_ == 0 ? bytes.size() - done : sizeOf(part) - within;
            const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(room, bytes.size() - done));
            std::fstream& file = open(part);
            file.seekp(static_cast<std::streamoff>(within));
            file.write(bytes.data() + done, static_cast<std::streamsize>(chunk));
            if (!file) throw PackageFormatError("cannot write " + name(part));
            done += chunk;
        }
    }
    // Closes every part of a package of TOTAL bytes, each at its full size, including
    // the parts that only hold padding.
    std::vector<std::string> close(std::uint64_t total) {
        const int last = partOf(total - 1);
        std::vector<std::string> names;
        for (int part = 0; part <= last; ++part) {
            std::fstream& file = open(part);
            file.close();
            if (!file) throw PackageFormatError("cannot write " + name(part));
            const std::uint64_t start = part == 0 ? 0 : first_ + (part - 1) * partSize_;
            const std::uint64_t size = partSize_ == 0 ? total : std::min(sizeOf(part), total - start);
            std::error_code error;
            fs::resize_file(name(part), size, error);
            if (error) throw PackageFormatError("cannot write " + name(part));
            names.push_back(name(part));
        }
        return names;
    }

  private:
    int partOf(std::uint64_t at) const {
        if (partSize_ == 0 || at < first_) return 0;
        return 1 + static_cast<int>((at - first_) / partSize_);
    }
    std::uint64_t sizeOf(int part) const { return part == 0 ? first_ : partSize_; }
    std::string name(int part) const { return part == 0 ? output_ : partName(output_, part); }
    std::fstream& open(int part) {
        auto found = files_.find(part);
        if (found != files_.end()) return found->second;
        std::ofstream(name(part), std::ios::binary | std::ios::trunc).close();
        auto& file = files_[part];
        file.open(name(part), std::ios::binary | std::ios::in | std::ios::out);
        if (!file) throw PackageFormatError("cannot create " + name(part));
        return file;
    }

    std::string output_;
    std::uint64_t first_;
    std::uint64_t partSize_;
    std::map<int, std::fstream> files_;
};

}  // namespace

std::vector<std::string> writePackage(const std::string& program, PackageHeader header,
                                      const std::string& archive, const std::string& output,
                                      std::uint64_t partSize) {
    const std::string programBytes = readAll(program);
    if (programBytes.size() > kHeaderOffset)
        throw PackageFormatError("the setup program " + program + " has " + std::to_string(programBytes.size()) +
                                 " bytes; the package header lies at " + std::to_string(kHeaderOffset));
    const std::uint64_t total = header.archiveOffset() + archive.size();
    if (total > kMaxPackageSize) throw PackageFormatError("the package is larger than 4 GiB");
    header.totalSize = static_cast<std::uint32_t>(total);
    for (int part = 1; part < 1000; ++part) {
        std::error_code error;  // parts of an earlier, longer package
        fs::remove(partName(output, part), error);
    }
    if (partSize > 0 && 1 + (archive.size() + partSize - 1) / partSize > 999)
        throw PackageFormatError("a package has at most 999 parts");
    // Part 0 keeps the setup program, the header and its texts whole, so the setup
    // program finds them in its own file.
    PartWriter writer(output, header.archiveOffset() + partSize, partSize);
    writer.write(0, programBytes);
    // The padding up to the header stays a hole in the file where the file system
    // allows: it reads as zero bytes.
    writer.write(kHeaderOffset, encodePackageHeader(header));
    writer.write(header.archiveOffset(), archive);
    auto written = writer.close(total);
    std::error_code error;  // part 0 runs as the setup program did
    fs::permissions(output, fs::status(program, error).permissions(), error);
    return written;
}

}  // namespace setup
