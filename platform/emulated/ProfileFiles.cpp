#include "platform/emulated/ProfileFiles.h"

#include "platform/AsciiText.h"

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

ProfileFiles::ProfileFiles(FileSystem& files, std::string winIni)
    : files_(files), winIni_(std::move(winIni)) {}

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
    const bool stored = store_.update(file, [&](IniFile& ini) {
        if (!key) return ini.removeSection(section);
        if (!value) return ini.removeKey(section, *key);
        return ini.setValue(section, *key, *value);
    });
    return stored ? kSuccess : kFailure;
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
