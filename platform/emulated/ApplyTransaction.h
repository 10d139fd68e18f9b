#pragma once
// The emulated machine's apply transaction. The registry writes go into one database
// transaction; the files written meanwhile are staged in memory (StagedFiles). At commit
// each staged file is written under a unique name, the list of renames is recorded in
// the database within the same transaction, the transaction commits, and the files are
// renamed into place. A process that dies before the commit leaves the machine as it
// was; one that dies after it leaves renames that the next program opening the machine
// carries out (recover). Either way the machine ends up wholly before or wholly after.

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/emulated/ApplyLock.h"
#include "platform/emulated/RegistryDatabase.h"
#include "platform/emulated/StagedFiles.h"

namespace platform::emulated {

class ApplyTransaction {
  public:
    // STATEFOLDER is the machine's state folder (its lock and staged files live there).
    ApplyTransaction(RegistryDatabase& database, std::filesystem::path machineFolder,
                     std::filesystem::path stateFolder, ApplyLock& lock, StagedFiles& staging,
                     FileSystem& files);
    ~ApplyTransaction();
    ApplyTransaction(const ApplyTransaction&) = delete;
    ApplyTransaction& operator=(const ApplyTransaction&) = delete;

    bool begin(double waitSeconds);
    bool commit();
    void rollback();
    const std::string& error() const { return error_; }
    bool active() const { return transaction_ != nullptr; }

    // Finishes what a process that died after its commit left: the staged files are
    // renamed into place. Also removes staged files of processes that died before their
    // commit. Does nothing while another process applies.
    void recover();

  private:
    struct StagedWrite {
        std::filesystem::path target;
        std::filesystem::path temporary;
    };

    bool writeTemporaries(const std::vector<std::pair<std::filesystem::path, std::string>>& files,
                          std::vector<StagedWrite>& written);
    std::filesystem::path temporaryFor(const std::filesystem::path& target);
    void finish(bool committed);
    bool fail(const std::string& why);
    void removeDeadLeftovers();

    RegistryDatabase& database_;
    std::filesystem::path machineFolder_;
    std::filesystem::path stateFolder_;
    ApplyLock& lock_;
    StagedFiles& staging_;
    FileSystem& files_;
    std::unique_ptr<RegistryDatabase::Transaction> transaction_;
    std::string error_;
    unsigned counter_ = 0;
};

}  // namespace platform::emulated
