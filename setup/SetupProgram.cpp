#include "setup/SetupProgram.h"

#include <cstdio>
#include <memory>

#include "platform/Win32.h"
#include "setup/DLG_Main.h"
#include "setup/PackageFormat.h"
#include "setup/PackageRebuilder.h"
#include "setup/SetupMessages.h"
#include "setup/SetupSession.h"
#include "setup/WorkingFolder.h"

namespace setup {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The header and texts behind the setup program, or nothing (after "Error reading
// archive.") when the file has none or they are cut short.
std::optional<PackageHeader> readHeader(std::FILE* file) {
    std::string bytes(kHeaderSize, '\0');
    if (fseeko(file, static_cast<off_t>(kHeaderOffset), SEEK_SET) != 0 ||
        std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size() || bytes.substr(0, 3) != kSignature) {
        showError(kErrorReadingArchive);
        return std::nullopt;
    }
    auto length = [&bytes](std::size_t at, int size) {
        std::uint64_t value = 0;
        for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
        return value;
    };
    const std::uint64_t texts = length(4, 1) + length(5, 1) + length(7, 1) + length(8, 4) + length(12, 4);
    // The texts are read only as far as the file holds them, so a damaged length asks
    // for no more memory than the file's size.
    std::string rest;
    std::vector<char> block(65536);
    while (rest.size() < texts) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), texts - rest.size()));
        const std::size_t got = std::fread(block.data(), 1, want, file);
        if (got == 0) break;
        rest.append(block.data(), got);
    }
    try {
        return parsePackageHeader(bytes + rest);
    } catch (const PackageFormatError&) {
        showError(kErrorReadingArchive);
        return std::nullopt;
    }
}

bool isNT() {
    win32::OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    return win32::GetVersionExA(&version) && version.dwPlatformId == win32::VER_PLATFORM_WIN32_NT;
}

bool hasAdministratorRights() { return !isNT() || platform::systemInfo().tokenListsAdministrators(); }

}  // namespace

SetupOutcome SetupProgram::run() {
    SetupOutcome outcome;
    const std::string startFolder = win32::GetCurrentDirectoryA();
    WorkingFolder folder(startFolder);
    outcome.workingFolder = folder.path();
    std::optional<PackageHeader> header;
    {
        File own(std::fopen(platform::files().toNative(setupFile_).c_str(), "rb"));
        if (!own) {
            showError(setupFile_, kCannotOpenFile);
            return outcome;
        }
        header = readHeader(own.get());
    }
    if (!header) return outcome;
    if (header->administratorRequired && !hasAdministratorRights()) {
        showError(kNeedAdministrator);
        return outcome;
    }
    const std::string package = folder.pathOf("Packwit.pkg");
    if (!folder.create()) {
        showError(kErrorRebuilding);
        return outcome;  // a folder setup must not use is left alone
    }
    if (PackageRebuilder(setupFile_, header->totalSize, header->title).rebuild(package)) {
        SetupSession session(*header, folder, package, startFolder);
        DLG_Main dialog(session);
        dialog.ShowModal();
        if (dialog.loaded()) dialog.Unload();
        outcome.installed = dialog.installed();
        outcome.extracted = session.extractedFiles();
        outcome.infExitCode = session.infExitCode();
    } else {
        showError(kErrorRebuilding);
    }
    platform::files().deleteFile(package);
    folder.remove();
    return outcome;
}

}  // namespace setup
