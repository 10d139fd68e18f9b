#include "tools/rmwctl/MachineCopy.h"

#include <stdlib.h>

#include <string>
#include <system_error>

#include "platform/emulated/Machine.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace fs = std::filesystem;

namespace {

fs::path makeTemporaryFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) throw Failure("cannot find a temporary folder: " + error.message());
    std::string pattern = (base / "rmwctl-trial-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw Failure("cannot create a temporary folder in " + base.string());
    }
    return pattern;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The registry database's shared-memory index belongs to the processes that have the
// database open; a copied one could describe another state of the log. SQLite rebuilds it
// from the log itself.
bool belongsToOpenDatabase(const fs::path& entry) {
    return endsWith(entry.filename().string(), "-shm");
}

void copyMachineFolder(const fs::path& from, const fs::path& to) {
    std::error_code error;
    for (fs::directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        if (belongsToOpenDatabase(it->path())) continue;
        fs::copy(it->path(), to / it->path().filename(),
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
        if (error) break;
    }
    if (error) throw Failure("cannot copy the machine " + from.string() + ": " + error.message());
}

}  // namespace

MachineCopy::MachineCopy(const fs::path& folder) : folder_(makeTemporaryFolder()) {
    try {
        copyMachineFolder(folder, folder_);
        machine_ = platform::emulated::Machine::open(folder_);
    } catch (const platform::emulated::MachineError& error) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        throw Failure(std::string("cannot open a copy of the machine: ") + error.what());
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        throw;
    }
}

MachineCopy::~MachineCopy() {
    machine_.reset();  // closes the registry database before its folder goes
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

platform::Services MachineCopy::services() {
    return machine_->services();
}

}  // namespace rmwctl
