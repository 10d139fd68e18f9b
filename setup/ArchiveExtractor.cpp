#include "setup/ArchiveExtractor.h"

#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "platform/Win32.h"
#include "setup/MemberName.h"
#include "setup/SetupMessages.h"
#include "setup/ZipLocalHeader.h"

namespace setup {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kBlock = 256 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Whether the native PATH, or a folder on the way to it below ROOT, is a link: such a
// member would write outside the working folder.
bool passesThroughLink(const fs::path& root, const fs::path& path) {
    std::error_code error;
    for (fs::path at = path; at != root && at.has_relative_path() && at != at.parent_path(); at = at.parent_path()) {
        if (fs::is_symlink(at, error)) return true;
    }
    return false;
}

// Windows runs any file named as a program; the native file that stands for one must be
// executable too, for whoever may read it, or the installed programs would not start.
void keepProgramRunnable(const std::string& name, const fs::path& native) {
    const std::string lower = platform::lowerAscii(name);
    if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".exe") != 0) return;
    std::error_code error;
    const fs::perms mode = fs::status(native, error).permissions();
    if (error) return;
    fs::perms runnable = fs::perms::none;
    if ((mode & fs::perms::owner_read) != fs::perms::none) runnable |= fs::perms::owner_exec;
    if ((mode & fs::perms::group_read) != fs::perms::none) runnable |= fs::perms::group_exec;
    if ((mode & fs::perms::others_read) != fs::perms::none) runnable |= fs::perms::others_exec;
    fs::permissions(native, runnable, fs::perm_options::add, error);
}

// Reads the member's data from IN and writes it to OUT, checking it against the header:
// never more than the announced size is written, and the CRC-32 must match.
class MemberCopy {
  public:
    // INPUT and OUTPUT are the buffers, reused from member to member.
    MemberCopy(std::FILE* in, std::FILE* out, const ZipLocalHeader& header, std::vector<unsigned char>& input,
               std::vector<unsigned char>& output)
        : in_(in), out_(out), header_(header), input_(input), output_(output) {
        input_.resize(kBlock);
        output_.resize(kBlock);
    }

    bool run() { return header_.method == 0 ? copyStored() : inflateDeflated(); }

  private:
    bool write(const unsigned char* data, std::size_t size) {
        if (size > header_.uncompressedSize - written_) return false;  // more than announced
        if (std::fwrite(data, 1, size, out_) != size) return false;
        crc_ = crc32_z(crc_, data, size);
        written_ += size;
        return true;
    }
    bool finished() const { return written_ == header_.uncompressedSize && crc_ == header_.crc; }

    bool copyStored() {
        if (header_.compressedSize != header_.uncompressedSize) return false;
        std::uint64_t left = header_.compressedSize;
        while (left > 0) {
            const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, kBlock));
            if (std::fread(input_.data(), 1, chunk, in_) != chunk || !write(input_.data(), chunk)) return false;
            left -= chunk;
        }
        return finished();
    }

    bool inflateDeflated() {
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
        std::uint64_t left = header_.compressedSize;
        int status = Z_OK;
        bool ok = true;
        while (ok && status != Z_STREAM_END) {
            if (stream.avail_in == 0) {
                if (left == 0) break;  // the data ends before the deflate stream
                const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, kBlock));
                if (std::fread(input_.data(), 1, chunk, in_) != chunk) break;
                left -= chunk;
                stream.next_in = input_.data();
                stream.avail_in = static_cast<uInt>(chunk);
            }
            stream.next_out = output_.data();
            stream.avail_out = static_cast<uInt>(output_.size());
            status = inflate(&stream, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END) break;
            ok = write(output_.data(), output_.size() - stream.avail_out);
        }
        inflateEnd(&stream);
        // What the member holds past its deflate stream is skipped with the member.
        if (left > 0 && std::fseek(in_, static_cast<long>(left), SEEK_CUR) != 0) return false;
        return ok && status == Z_STREAM_END && finished();
    }

    std::FILE* in_;
    std::FILE* out_;
    const ZipLocalHeader& header_;
    std::vector<unsigned char>& input_;
    std::vector<unsigned char>& output_;
    std::uint64_t written_ = 0;
    uLong crc_ = crc32_z(0, nullptr, 0);
};

void setLastWriteTime(const std::string& path, const ZipLocalHeader& header) {
    win32::FILETIME local;
    win32::FILETIME utc;
    if (win32::DosDateTimeToFileTime(header.dosDate, header.dosTime, &local) &&
        win32::LocalFileTimeToFileTime(&local, &utc))
        win32::SetFileTime(path, utc);
}

}  // namespace

ArchiveExtractor::ArchiveExtractor(const WorkingFolder& folder, ExtractionEvents events)
    : folder_(folder), events_(std::move(events)) {}

bool ArchiveExtractor::extract(const std::string& package, std::uint64_t offset) {
    auto& files = platform::files();
    File in(std::fopen(files.toNative(package).c_str(), "rb"));
    if (!in || fseeko(in.get(), static_cast<off_t>(offset), SEEK_SET) != 0) {
        showError(kErrorReadingArchive);
        return false;
    }
    std::setvbuf(in.get(), nullptr, _IOFBF, kBlock);
    const fs::path nativeFolder = files.toNative(folder_.path());
    for (;;) {
        std::string fixed(ZipLocalHeader::kFixedSize, '\0');
        const std::size_t got = std::fread(fixed.data(), 1, fixed.size(), in.get());
        if (got < 4 || !isLocalHeader(fixed)) return true;  // the central directory (or the end)
        ZipLocalHeader header = parseLocalHeaderFixed(fixed);
        std::string name(header.nameLength, '\0');
        std::string extra(header.extraLength, '\0');
        if (got < fixed.size() || std::fread(name.data(), 1, name.size(), in.get()) != name.size() ||
            std::fread(extra.data(), 1, extra.size(), in.get()) != extra.size() ||
            !completeLocalHeader(header, name, extra)) {
            showError(kErrorReadingArchive);
            return false;
        }
        const auto relative = memberPath(header.name);
        const std::string target = !relative || relative->empty() ? folder_.path() : folder_.pathOf(*relative);
        const fs::path nativeTarget = files.toNative(target);
        if (!relative || passesThroughLink(nativeFolder, nativeTarget)) {
            showError(kInvalidFilename);
            return false;
        }
        // Encrypted members, and members whose sizes follow their data, cannot be checked
        // before they are written.
        if (header.encrypted() || (header.sizesFollowData() && header.compressedSize == 0)) {
            showError(kErrorExtracting);
            return false;
        }
        auto skipData = [&] {
            return fseeko(in.get(), static_cast<off_t>(header.compressedSize), SEEK_CUR) == 0;
        };
        if (relative->empty()) {
            // A folder member: its folder is made with the files inside it.
            if (!skipData()) return showError(kErrorReadingArchive), false;
            continue;
        }
        std::error_code error;
        if (fs::exists(nativeTarget, error)) {
            bool overwrite = mode_ == OverwriteMode::OverwriteAll;
            if (mode_ == OverwriteMode::Ask) {
                const OverwriteAnswer answer = events_.askOverwrite(header.name);
                overwrite = answer.overwrite;
                if (answer.dontAskAgain) mode_ = overwrite ? OverwriteMode::OverwriteAll : OverwriteMode::SkipAll;
            }
            if (!overwrite) {
                if (!skipData()) return showError(kErrorReadingArchive), false;
                continue;
            }
        }
        const std::string parent = target.substr(0, target.find_last_of('\\'));
        fs::create_directories(nativeTarget.parent_path(), error);
        if (!fs::is_directory(nativeTarget.parent_path(), error) || passesThroughLink(nativeFolder, nativeTarget)) {
            showError(parent, kErrorInDirectory);
            if (!skipData()) return showError(kErrorReadingArchive), false;
            continue;
        }
        if (header.method != 0 && header.method != 8) {
            showError(kUnknownCompression);
            return false;
        }
        File out(std::fopen(nativeTarget.c_str(), "wb"));
        if (!out) {
            if (!fs::is_directory(nativeTarget, error)) showError(target, kCannotOpenFile);
            if (!skipData()) return showError(kErrorReadingArchive), false;
            continue;
        }
        if (events_.extracting) events_.extracting(target);
        extracted_.push_back(target);
        const bool copied = MemberCopy(in.get(), out.get(), header, input_, output_).run();
        if (!copied) {
            showError(kErrorExtracting);
            return false;
        }
        if (std::fclose(out.release()) != 0) showError(target, kCannotCloseFile);
        keepProgramRunnable(header.name, nativeTarget);
        setLastWriteTime(target, header);
    }
}

}  // namespace setup
