#include "platform/emulated/ProfileFiles.h"

#include <system_error>

#include "platform/AsciiText.h"
#include "platform/NativeFileRules.h"

namespace platform::emulated {
namespace {

constexpr win32::BOOL kSuccess = 1;
constexpr win32::BOOL kFailure = 0;

// Names that could never be read back as written: a section name with "]" and key
// names that would read as a section header, a comment, or another key and value.
bool isWritableSection(const std::string& section) {
    return section.find(']') == std::string::npos;
}

bool isWritableKey(const std::string& key) {
    const std::string joined = joinLines(key);
    const std::string_view trimmed = trimBlanks(joined);
    if (joined.find('=') != std::string::npos) return false;
    return trimmed.empty() || (trimmed.front() != '[' && trimmed.front() != ';');
}

}  // namespace

ProfileFiles::ProfileFiles(FileSystem& files, std::string winIni, StagedFiles* staging)
    : files_(files),
      winIni_(std::move(winIni)),
      ownStaging_(staging ? nullptr : std::make_unique<StagedFiles>()),
      staging_(staging ? *staging : *ownStaging_) {}

void ProfileFiles::mapWindowsSectionToRegistry(Registry& registry) {
    windowsSection_ = std::make_unique<NtWindowsSection>(registry);
}

std::string ProfileFiles::inWindowsFolderWhenBare(const std::string& fileName) const {
    // As on Windows, a file named without a folder lives in the Windows folder, never in
    // the folder the program happens to run in.
    if (fileName.find_first_of("\\/:") != std::string::npos) return fileName;
    return concat({winIni_.substr(0, winIni_.find_last_of('\\') + 1), fileName});
}

bool ProfileFiles::isMappedToRegistry(const std::string& section,
                                      const std::filesystem::path& file) {
    if (!windowsSection_ || !equalsIgnoringCase(trimBlanks(section), "windows")) return false;
    return file.lexically_normal() == files_.toNative(winIni_).lexically_normal();
}

std::string ProfileFiles::GetPrivateProfileStringA(const std::string& section,
                                                   const std::string& key,
                                                   const std::string& defaultValue,
                                                   const std::string& fileName) {
    if (fileName.empty()) return defaultValue;
    const std::filesystem::path file = files_.toNative(inWindowsFolderWhenBare(fileName));
    if (file.empty()) return defaultValue;
    if (isMappedToRegistry(section, file)) {
        return windowsSection_->value(key).value_or(defaultValue);
    }
    if (StagedFiles::Content* staged = stagedContent(file)) {
        return staged->ini().value(section, key).value_or(defaultValue);
    }
    const auto parsed = store_.read(file);
    if (!parsed) return defaultValue;
    return parsed->value(section, key).value_or(defaultValue);
}

win32::BOOL ProfileFiles::WritePrivateProfileStringA(const std::string& section,
                                                     const std::optional<std::string>& key,
                                                     const std::optional<std::string>& value,
                                                     const std::string& fileName) {
    if (fileName.empty()) return kFailure;
    const std::filesystem::path file = files_.toNative(inWindowsFolderWhenBare(fileName));
    if (file.empty()) return kFailure;
    if (isMappedToRegistry(section, file)) return writeMapped(key, value);
    return writeFile(section, key, value, file);
}

win32::BOOL ProfileFiles::writeMapped(const std::optional<std::string>& key,
                                      const std::optional<std::string>& value) {
    bool done;
    if (!key) {
        done = windowsSection_->removeAll();
    } else if (!value) {
        done = windowsSection_->removeValue(*key);
    } else {
        done = windowsSection_->setValue(*key, joinLines(*value));
    }
    return done ? kSuccess : kFailure;
}

win32::BOOL ProfileFiles::writeFile(const std::string& section,
                                    const std::optional<std::string>& key,
                                    const std::optional<std::string>& value,
                                    const std::filesystem::path& file) {
    const bool adds = key && value;
    if (adds && (!isWritableSection(section) || !isWritableKey(*key))) return kFailure;
    const auto edit = [&](IniFile& ini) {
        if (!key) return ini.removeSection(section);
        if (!value) return ini.removeKey(section, *key);
        return ini.setValue(section, *key, *value);
    };
    if (staging_.inTransaction() || stagedContent(file) != nullptr) {
        return writeStaged(file, edit) ? kSuccess : kFailure;
    }
    return store_.update(file, edit) ? kSuccess : kFailure;
}

// A write of a session's file, or of any file while an apply transaction runs, changes
// the staged content. A file that could not be replaced at the end is refused now, and
// the transaction remembers it so that the whole apply is refused.
StagedFiles::Content* ProfileFiles::stagedContent(const std::filesystem::path& file) {
    if (staging_.idle()) return nullptr;
    // Files are staged under their link target. A file staged under the name it is
    // written by needs no look at the disk, which a saved file's every key would cost.
    if (StagedFiles::Content* staged = staging_.find(file)) return staged;
    return staging_.find(writeTargetOf(file));
}

bool ProfileFiles::writeStaged(const std::filesystem::path& file,
                               const std::function<bool(IniFile&)>& edit) {
    StagedFiles::Content* staged = stagedContent(file);
    if (staged == nullptr) {
        const std::filesystem::path target = writeTargetOf(file);
        std::string current;
        if (isReadOnlyFile(target) || isSpecialFile(target) || !readCurrent(target, current)) {
            staging_.noteRefusedWrite(target);
            return false;
        }
        staged = staging_.stageForTransaction(target, current);
    }
    if (staged == nullptr) return false;
    edit(staged->ini());
    return true;
}

bool ProfileFiles::readCurrent(const std::filesystem::path& file, std::string& bytes) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        bytes.clear();
        return !error;
    }
    const auto parsed = store_.read(file);
    if (!parsed) return false;
    bytes = parsed->bytes();
    return true;
}

bool ProfileFiles::beginWriteSession(const std::string& fileName,
                                     const std::string& initialContents) {
    const std::filesystem::path file = fileName.empty() ? "" : files_.toNative(fileName);
    if (file.empty()) return false;
    const std::filesystem::path target = writeTargetOf(file);
    if (isReadOnlyFile(target) || isSpecialFile(target)) return false;
    return staging_.beginSession(target, initialContents);
}

bool ProfileFiles::commitWriteSession(const std::string& fileName) {
    const std::filesystem::path file = fileName.empty() ? "" : files_.toNative(fileName);
    if (file.empty()) return false;
    const std::filesystem::path target = writeTargetOf(file);
    store_.forget(file);
    return staging_.commitSession(target);
}

void ProfileFiles::endWriteSession(const std::string& fileName) {
    const std::filesystem::path file = fileName.empty() ? "" : files_.toNative(fileName);
    if (!file.empty()) staging_.endSession(writeTargetOf(file));
}

std::string ProfileFiles::writeSessionContents(const std::string& fileName) {
    const std::filesystem::path file = fileName.empty() ? "" : files_.toNative(fileName);
    if (file.empty()) return {};
    const StagedFiles::Content* content = staging_.sessionContent(writeTargetOf(file));
    return content != nullptr ? content->bytes() : std::string();
}

std::string ProfileFiles::GetProfileStringA(const std::string& section, const std::string& key,
                                            const std::string& defaultValue) {
    return GetPrivateProfileStringA(section, key, defaultValue, winIni_);
}

win32::BOOL ProfileFiles::WriteProfileStringA(const std::string& section,
                                              const std::optional<std::string>& key,
                                              const std::optional<std::string>& value) {
    return WritePrivateProfileStringA(section, key, value, winIni_);
}

}  // namespace platform::emulated
