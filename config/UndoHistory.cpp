#include "config/UndoHistory.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "config/AddInList.h"
#include "config/RmwConfig.h"
#include "platform/Services.h"
#include "platform/Win32.h"

namespace undo {
namespace {

constexpr const char* kSection = "Snapshots";
constexpr const char* kNewest = "Newest";
const std::string kAbsent("\x01");

int suppressed = 0;

std::string folder() {
    const std::string state = platform::systemInfo().stateFolder();
    return state.empty() ? state : state + "/undo";
}

std::string indexFile() {
    return folder() + "/history.ini";
}

std::string snapshotFile(int number) {
    return folder() + "/" + std::to_string(number) + ".rmw";
}

std::string read(const std::string& key) {
    return win32::GetPrivateProfileStringA(kSection, key, kAbsent, indexFile());
}

void write(const std::string& key, const std::optional<std::string>& value) {
    win32::WritePrivateProfileStringA(kSection, key, value, indexFile());
}

int newest() {
    const std::string value = read(kNewest);
    return value == kAbsent ? 0 : std::atoi(value.c_str());
}

std::string now() {
    const std::time_t seconds = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    gmtime_s(&parts, &seconds);
#else
    gmtime_r(&seconds, &parts);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

void removeFile(const std::string& file) {
    std::error_code ignored;
    std::filesystem::remove(platform::files().toNative(file), ignored);
}

}  // namespace

std::vector<Snapshot> history() {
    std::vector<Snapshot> snapshots;
    if (folder().empty()) return snapshots;
    const int last = newest();
    for (int number = last; number > 0 && number > last - kKept; --number) {
        const std::string entry = read(std::to_string(number));
        if (entry == kAbsent) continue;
        const auto bar = entry.find('|');
        snapshots.push_back({number, snapshotFile(number), entry.substr(bar + 1),
                             bar == std::string::npos ? "" : entry.substr(0, bar)});
    }
    return snapshots;
}

void takeSnapshot(const std::string& applied) {
    if (suppressed > 0 || folder().empty()) return;
    std::error_code ignored;
    std::filesystem::create_directories(platform::files().toNative(folder()), ignored);
    const int number = newest() + 1;
    RmwConfig current;
    current.ApplyGeneral(true);
    current.ApplyIE(current.IEInstalled());
    current.ApplyNN(current.NNInstalled());
    current.saveConfigurationFile(snapshotFile(number), AddInList());
    write(std::to_string(number), now() + "|" + applied);
    write(kNewest, std::to_string(number));
    const int gone = number - kKept;
    if (gone > 0 && read(std::to_string(gone)) != kAbsent) {
        write(std::to_string(gone), std::nullopt);
        removeFile(snapshotFile(gone));
    }
}

void forget(const Snapshot& snapshot) {
    write(std::to_string(snapshot.number), std::nullopt);
    if (snapshot.number == newest()) write(kNewest, std::to_string(snapshot.number - 1));
    removeFile(snapshot.file);
}

SuppressSnapshots::SuppressSnapshots() {
    ++suppressed;
}
SuppressSnapshots::~SuppressSnapshots() {
    --suppressed;
}

}  // namespace undo
