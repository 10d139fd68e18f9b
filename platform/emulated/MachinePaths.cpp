#include "platform/emulated/MachinePaths.h"

#include <optional>
#include <vector>

#include "platform/AsciiText.h"
#include "platform/NativeFileRules.h"

namespace platform::emulated {
namespace fs = std::filesystem;

namespace {

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string> splitComponents(const std::string& path) {
    std::vector<std::string> components;
    std::string current;
    for (char c : path) {
        if (isSeparator(c)) {
            if (!current.empty()) components.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) components.push_back(std::move(current));
    return components;
}

bool entryExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The entry of FOLDER whose name equals NAME ignoring case (an exact match first, then
// the smallest of the others so that the choice does not depend on listing order).
std::optional<std::string> findEntry(const fs::path& folder, const std::string& name) {
    if (entryExists(folder / name)) return name;
    std::error_code error;
    std::optional<std::string> found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (equalsIgnoringCase(entry, name) && (!found || entry < *found)) found = entry;
    }
    return found;
}

// Most paths name their files as they are spelt on disk. When the whole path exists as
// given, the walk below would find every component exactly as written (an exact match
// always wins), so one look-up answers instead of two per folder.
std::optional<fs::path> existingAsSpelt(const fs::path& root,
                                        const std::vector<std::string>& components) {
    if (components.empty()) return std::nullopt;
    fs::path native = root;
    for (const std::string& name : components) {
        if (name == "." || name == "..") return std::nullopt;
        native /= name;
    }
    if (!entryExists(native)) return std::nullopt;
    return native;
}

bool endsWithExe(const std::string& name) {
    return name.size() > 4 &&
           equalsIgnoringCase(std::string_view(name).substr(name.size() - 4), ".exe");
}

// A path that lies inside ROOT, as its components relative to ROOT.
std::optional<fs::path> relativeInside(const fs::path& path, const fs::path& root) {
    auto rootIt = root.begin();
    auto pathIt = path.begin();
    for (; rootIt != root.end(); ++rootIt, ++pathIt) {
        if (rootIt->empty()) continue;  // the trailing separator of a folder path
        if (pathIt == path.end() || *pathIt != *rootIt) return std::nullopt;
    }
    fs::path relative;
    for (; pathIt != path.end(); ++pathIt) {
        if (!pathIt->empty()) relative /= *pathIt;
    }
    return relative;
}

std::string withBackslashes(const fs::path& relative) {
    std::string text;
    for (const auto& part : relative) {
        if (part.empty()) continue;
        if (!text.empty()) text += '\\';
        text += part.string();
    }
    return text;
}

}  // namespace

MachinePaths::MachinePaths(fs::path driveC)
    : driveC_(fs::absolute(std::move(driveC)).lexically_normal()) {
    if (driveC_.has_relative_path() && driveC_.filename().empty()) driveC_ = driveC_.parent_path();
}

fs::path MachinePaths::toNative(const std::string& windowsPath) {
    if (windowsPath.size() >= 2 && isDriveLetter(windowsPath[0]) && windowsPath[1] == ':') {
        const char drive = static_cast<char>(windowsPath[0] & ~0x20);
        const std::string rest = windowsPath.substr(2);
        if (drive == 'C') return resolveBelow(driveC_, rest);
        if (drive == 'Z') return resolveBelow("/", rest);
        return {};
    }
    if (windowsPath.size() >= 2 && isSeparator(windowsPath[0]) && windowsPath[1] == '\\') {
        return {};  // \\server\share
    }
    if (!windowsPath.empty() && windowsPath[0] == '\\') {
        return resolveBelow(driveC_, windowsPath);  // rooted on the current drive, C:
    }
    return fs::path(windowsPath);
}

// ".." never climbs above ROOT, just as it stops at a drive's root on Windows.
fs::path MachinePaths::resolveBelow(const fs::path& root, const std::string& relative) const {
    const std::vector<std::string> components = splitComponents(relative);
    if (auto exact = existingAsSpelt(root, components)) return *exact;
    fs::path native = root;
    std::size_t depth = 0;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const std::string& name = components[i];
        if (name == ".") continue;
        if (name == "..") {
            if (depth > 0) {
                native = native.parent_path();
                --depth;
            }
            continue;
        }
        std::error_code error;
        std::optional<std::string> entry;
        if (fs::is_directory(native, error)) {
            entry = findEntry(native, name);
            const bool last = (i + 1 == components.size());
            if (!entry && last && endsWithExe(name)) {
                entry = findEntry(native, name.substr(0, name.size() - 4));
            }
        }
        native /= entry.value_or(name);
        ++depth;
    }
    return native;
}

std::string MachinePaths::toWindows(const fs::path& nativePath) {
    std::error_code error;
    const fs::path absolute = fs::absolute(nativePath, error).lexically_normal();
    if (auto inside = relativeInside(absolute, driveC_)) return "C:\\" + withBackslashes(*inside);
    // The same folder reached through symbolic links.
    const fs::path canonical = fs::weakly_canonical(absolute, error);
    const fs::path canonicalDrive = fs::weakly_canonical(driveC_, error);
    if (!error) {
        if (auto inside = relativeInside(canonical, canonicalDrive)) {
            return "C:\\" + withBackslashes(*inside);
        }
    }
    return "Z:\\" + withBackslashes(absolute.relative_path());
}

bool MachinePaths::fileExists(const std::string& windowsPath) {
    const fs::path native = toNative(windowsPath);
    if (!native.empty() && staging_ && staging_->find(writeTargetOf(native))) return true;
    std::error_code error;
    return !native.empty() && fs::is_regular_file(native, error);
}

bool MachinePaths::staging(const fs::path& target) const {
    return staging_ && (staging_->inTransaction() || staging_->find(target));
}

bool MachinePaths::writeWholeFile(const std::string& windowsPath, const std::string& contents) {
    const fs::path native = toNative(windowsPath);
    const fs::path target = native.empty() ? native : writeTargetOf(native);
    if (target.empty() || !staging(target)) return FileSystem::writeWholeFile(windowsPath, contents);
    if (isReadOnlyFile(target) || isSpecialFile(target)) {
        staging_->noteRefusedWrite(target);
        return false;
    }
    StagedFiles::Content* staged = staging_->stageForTransaction(target, contents);
    if (staged == nullptr) return false;
    staged->replace(contents);
    return true;
}

bool MachinePaths::replaceFile(const std::string& fromWindowsPath,
                               const std::string& toWindowsPath) {
    const fs::path from = toNative(fromWindowsPath);
    const fs::path to = toNative(toWindowsPath);
    if (from.empty() || to.empty() || !staging_ || !staging_->find(writeTargetOf(from))) {
        return FileSystem::replaceFile(fromWindowsPath, toWindowsPath);
    }
    const fs::path target = writeTargetOf(to);
    if (isReadOnlyFile(target) || isSpecialFile(target)) {
        staging_->noteRefusedWrite(target);
        return false;
    }
    return staging_->move(writeTargetOf(from), target);
}

bool MachinePaths::deleteFile(const std::string& windowsPath) {
    const fs::path native = toNative(windowsPath);
    if (!native.empty() && staging_ && staging_->remove(writeTargetOf(native))) return true;
    return FileSystem::deleteFile(windowsPath);
}

}  // namespace platform::emulated
