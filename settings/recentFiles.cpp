#include "settings/recentFiles.h"

#include <algorithm>
#include <charconv>

#include "settings/SettingsStore.h"

namespace {

constexpr const char* kSection = "Recent";
constexpr std::int16_t kDefaultMaximum = 3;

std::string entryKey(std::size_t position) {
    return std::to_string(position) + "File";
}

}  // namespace

void recentFiles::getRecentList() {
    maximum_ = readMaximum();
    files_.clear();
    const SettingsStore store;
    for (std::int16_t position = 1; position <= maximum_; ++position) {
        std::string file = store.GetSetting(kAppName, kSection, entryKey(position), "");
        if (file.empty()) break;
        files_.push_back(std::move(file));
    }
}

void recentFiles::setRecentList() const {
    SettingsStore store;
    for (std::size_t position = 1; position <= files_.size(); ++position) {
        store.SaveSetting(kAppName, kSection, entryKey(position), files_[position - 1]);
    }
}

void recentFiles::setRecentFile(const std::string& sFile) {
    const auto earlier = std::find(files_.begin(), files_.end(), sFile);
    if (earlier != files_.end()) files_.erase(earlier);
    files_.insert(files_.begin(), sFile);
    if (files_.size() > static_cast<std::size_t>(maximum_)) files_.pop_back();
}

std::string recentFiles::getFileName(const std::string& sFile) {
    const auto separator = sFile.find_last_of("\\/");
    return separator == std::string::npos ? sFile : sFile.substr(separator + 1);
}

const std::vector<std::string>& recentFiles::fileList() const {
    return files_;
}

std::int16_t recentFiles::maximum() const {
    return maximum_;
}

// "MaxFile" as a whole number from 0 to 5. Someone may have put any text there by hand;
// a text that is no whole number counts as missing rather than stopping the program, and
// a negative one keeps no entries.
std::int16_t recentFiles::readMaximum() {
    const std::string text =
        SettingsStore().GetSetting(kAppName, kSection, "MaxFile", std::to_string(kDefaultMaximum));
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    if (first == std::string::npos) return kDefaultMaximum;
    long value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) return kDefaultMaximum;
    return static_cast<std::int16_t>(std::clamp<long>(value, 0, kLargestMaximum));
}
