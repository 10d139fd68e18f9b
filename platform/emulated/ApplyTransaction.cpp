#include "platform/emulated/ApplyTransaction.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "platform/NativeFileRules.h"
#include "platform/emulated/DeadProcessFiles.h"

namespace platform::emulated {
namespace fs = std::filesystem;

namespace {

constexpr const char* kStagedPrefix = "apply-";

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file holding BYTES with the permissions of TARGET (when it exists).
bool writeNewFile(const fs::path& file, const fs::path& target, std::string_view bytes) {
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) return false;
    bool written = writeAll(descriptor, bytes);
    struct stat existing {};
    if (written && ::stat(target.c_str(), &existing) == 0) {
        written = ::fchmod(descriptor, existing.st_mode & 07777) == 0;
    }
    written = (::close(descriptor) == 0) && written;
    if (!written) ::unlink(file.c_str());
    return written;
}

bool isBelow(const fs::path& file, const fs::path& folder) {
    const fs::path relative = file.lexically_normal().lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

ApplyTransaction::ApplyTransaction(RegistryDatabase& database, fs::path machineFolder,
                                   fs::path stateFolder, ApplyLock& lock, StagedFiles& staging,
                                   FileSystem& files)
    : database_(database),
      machineFolder_(std::move(machineFolder)),
      stateFolder_(std::move(stateFolder)),
      lock_(lock),
      staging_(staging),
      files_(files) {}

ApplyTransaction::~ApplyTransaction() {
    if (active()) rollback();
}

bool ApplyTransaction::begin(double waitSeconds) {
    error_.clear();
    if (active()) return fail("an apply is already running in this program");
    if (!lock_.acquire(waitSeconds)) {
        error_ = "another program is applying a configuration to this machine";
        return false;
    }
    try {
        transaction_ = std::make_unique<RegistryDatabase::Transaction>(database_);
    } catch (const std::exception& failure) {
        lock_.release();
        error_ = std::string("the registry cannot be changed: ") + failure.what();
        return false;
    }
    staging_.beginTransaction();
    return true;
}

bool ApplyTransaction::fail(const std::string& why) {
    error_ = why;
    return false;
}

fs::path ApplyTransaction::temporaryFor(const fs::path& target) {
    const std::string name = ownedName(kStagedPrefix) + std::to_string(counter_++) + "-" +
                             target.filename().string();
    // Within the machine the staged files wait in its state folder, where the next
    // program finds a killed apply's leftovers; elsewhere beside their target, so the
    // rename stays on one file system.
    if (isBelow(target, machineFolder_)) return stateFolder_ / "staged" / name;
    return target.parent_path() / ("." + name);
}

bool ApplyTransaction::writeTemporaries(const std::vector<std::pair<fs::path, std::string>>& files,
                                        std::vector<StagedWrite>& written) {
    std::error_code ignored;
    fs::create_directories(stateFolder_ / "staged", ignored);
    for (const auto& [target, bytes] : files) {
        const fs::path temporary = temporaryFor(target);
        if (isReadOnlyFile(target) || isSpecialFile(target) ||
            !writeNewFile(temporary, target, bytes)) {
            error_ = "cannot write " + files_.toWindows(target);
            return false;
        }
        written.push_back({target, temporary});
    }
    return true;
}

bool ApplyTransaction::commit() {
    if (!active()) return fail("no apply is running");
    const auto refused = staging_.refusedWrite();
    auto files = staging_.takeTransaction();
    if (refused) {
        rollback();
        return fail("cannot write " + files_.toWindows(*refused));
    }
    std::vector<StagedWrite> written;
    bool committed = writeTemporaries(files, written);
    if (committed) {
        try {
            for (const StagedWrite& file : written) {
                database_.addPendingRename(
                    {machineFolder_.string(), file.temporary.string(), file.target.string()});
            }
            transaction_->commit();
        } catch (const std::exception& failure) {
            committed = false;
            error_ = std::string("the registry cannot be changed: ") + failure.what();
        }
    }
    if (!committed) {
        for (const StagedWrite& file : written) ::unlink(file.temporary.c_str());
        transaction_.reset();  // rolls the registry back
        lock_.release();
        return false;
    }
    transaction_.reset();
    for (const StagedWrite& file : written) {
        std::error_code error;
        fs::rename(file.temporary, file.target, error);
    }
    finish(true);
    return true;
}

void ApplyTransaction::finish(bool committed) {
    if (committed) {
        try {
            RegistryDatabase::Transaction clearing(database_);
            database_.clearPendingRenames();
            clearing.commit();
        } catch (const std::exception&) {
            // The renames are done; the next opener finds the rows and only clears them.
        }
    }
    lock_.release();
}

void ApplyTransaction::rollback() {
    staging_.dropTransaction();
    if (!transaction_) return;
    transaction_.reset();
    lock_.release();
}

void ApplyTransaction::recover() {
    try {
        if (database_.pendingRenames().empty()) {
            if (lock_.tryAcquire()) {
                removeDeadLeftovers();
                lock_.release();
            }
            return;
        }
        if (!lock_.tryAcquire()) return;  // the applying process finishes it itself
        const ApplyLockHold hold(lock_);
        for (const auto& rename : database_.pendingRenames()) {
            // A copy of the machine carries the rows of the original along; its files
            // are the original's to finish.
            if (rename.machine != machineFolder_.string()) continue;
            std::error_code error;
            if (fs::exists(rename.staged, error)) fs::rename(rename.staged, rename.target, error);
        }
        RegistryDatabase::Transaction clearing(database_);
        database_.clearPendingRenames();
        clearing.commit();
        removeDeadLeftovers();
    } catch (const std::exception&) {
        // Left for the next program that opens the machine.
    }
}

void ApplyTransaction::removeDeadLeftovers() {
    removeDeadProcessFiles(stateFolder_ / "staged", kStagedPrefix);
}

}  // namespace platform::emulated
