#pragma once
// The registry's storage: one SQLite database per machine. Keys are rows that know
// their parent and their folded full path (indexed, so opening any path is one
// lookup); values belong to a key and keep their creation order. The database runs in
// write-ahead-log mode with a busy timeout, so several processes can share it and a
// writer that finds it busy waits instead of failing.
//
// Not thread-safe: SqliteRegistry serialises its calls. A connection must not be used
// across fork(); a child process opens its own.

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/emulated/RegistryNames.h"
#include "platform/emulated/SqliteStatement.h"
#include "platform/emulated/WalCheckpointer.h"

namespace platform::emulated {

using KeyId = std::int64_t;

// Identifies one state of the database: equal stamps mean no process committed a
// change in between (and this connection rolled nothing back).
struct ChangeStamp {
    std::array<std::uint8_t, 48> walHeader{};
    std::uint64_t dataVersion = 0;
    std::uint64_t localChanges = 0;
    bool operator==(const ChangeStamp&) const = default;
};

struct StoredValue {
    std::string name;  // as created
    win32::DWORD type = win32::REG_NONE;
    std::string data;  // raw bytes
};

struct StoredSubkey {
    KeyId id = 0;
    std::string name;  // as created
    std::int64_t lastWritten = 0;
};

// What RegQueryInfoKeyA reports about a key; lengths in bytes without a NUL.
struct KeySummary {
    win32::DWORD subkeys = 0;
    win32::DWORD longestSubkeyName = 0;
    win32::DWORD values = 0;
    win32::DWORD longestValueName = 0;
    win32::DWORD longestValueData = 0;
    std::int64_t lastWritten = 0;  // FILETIME ticks (100 ns since 1601)
};

class RegistryDatabase {
  public:
    // Opens FILE, creating it with the six predefined roots when it does not exist.
    // Throws DatabaseError when the file is not a usable registry database.
    explicit RegistryDatabase(const std::filesystem::path& file);
    ~RegistryDatabase();
    RegistryDatabase(const RegistryDatabase&) = delete;
    RegistryDatabase& operator=(const RegistryDatabase&) = delete;

    static KeyId rootId(win32::HKEY rootHandle);

    // Keys are addressed by folded full path: "HKEY_LOCAL_MACHINE\SOFTWARE\X".
    std::optional<KeyId> findKey(std::string_view foldedPath);
    bool keyExists(KeyId key);
    // The key's full path with every name spelt as it was created; empty when the key
    // does not exist.
    std::string displayPath(KeyId key);
    // Adds NAME below PARENT, whose folded path is PARENTPATH. Throws DatabaseError
    // (a constraint failure) when PARENT no longer exists.
    KeyId createKey(KeyId parent, std::string_view parentPath, std::string_view name);
    // Subkeys sorted without regard to case.
    std::vector<StoredSubkey> subkeys(KeyId key);
    bool hasSubkeys(KeyId key);
    // Removes the key at FOLDEDPATH with everything below it.
    void deleteKeyTree(std::string_view foldedPath);

    std::optional<StoredValue> findValue(KeyId key, std::string_view foldedName);
    // Creates the value or replaces its type and data; a replaced value keeps its name
    // and its place in the creation order.
    void setValue(KeyId key, std::string_view name, win32::DWORD type, std::string_view data);
    bool deleteValue(KeyId key, std::string_view foldedName);
    // Values in creation order.
    std::vector<StoredValue> values(KeyId key);
    KeySummary summary(KeyId key);

    // The state of the database as far as caches in this process need to know: it
    // changes whenever this connection or any other commits a change. Take the stamp
    // before reading what is to be cached, so the cache is never older than its stamp.
    ChangeStamp changeStamp();
    bool inTransaction() const { return transactionDepth_ > 0; }
    // Reads between begin and the matching end (pairs nest) share one read transaction:
    // one state of the database, without the locking SQLite does for each statement on
    // its own. Any write of this connection ends it first (a write needs the current
    // state, and must commit at once), as does a transaction; within a transaction a
    // snapshot adds nothing. Other processes' writes go on meanwhile and are seen after.
    void beginReadSnapshot();
    void endReadSnapshot();
    // Writes a consistent copy of the whole database to FILE (which must not exist yet),
    // even while other processes write to it. Throws DatabaseError on failure.
    void backupTo(const std::filesystem::path& file);
    // Runs SQLite's integrity check; true when the database is sound.
    bool integrityOk();

    // Files an apply replaces once its registry changes have committed: written in the
    // apply's transaction, so they exist exactly when its registry changes do, and cleared
    // when the files are in place. MACHINE names the machine folder the rows belong to (a
    // copy of the database carries them along but must not act on them).
    struct PendingRename {
        std::string machine;
        std::string staged;
        std::string target;
    };
    void addPendingRename(const PendingRename& rename);
    std::vector<PendingRename> pendingRenames();
    void clearPendingRenames();

    // One atomic change: BEGIN IMMEDIATE (waiting while another writer is busy) on
    // construction, COMMIT on commit(), ROLLBACK when destroyed uncommitted. Nested
    // transactions join the outermost one.
    class Transaction {
      public:
        explicit Transaction(RegistryDatabase& database);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

      private:
        RegistryDatabase& database_;
        bool outermost_;
        bool done_ = false;
    };

  private:
    struct Statements;

    void execute(const char* sql);
    std::string queryText(const char* sql);
    void createSchemaIfMissing();
    void keepLogFiles();
    void requireCurrentSchema();
    void addMissingParts();
    bool hasValueTimes();
    void touchKey(KeyId key);
    void noteChange() { ++localChanges_; }
    // Ends a held read snapshot before this connection writes.
    void leaveReadSnapshot();
    bool readWalHeader(std::array<std::uint8_t, 48>& header);

    sqlite3* db_ = nullptr;
    std::unique_ptr<WalCheckpointer> checkpointer_;
    std::unique_ptr<Statements> statements_;
    int transactionDepth_ = 0;
    int snapshotDepth_ = 0;
    bool snapshotHeld_ = false;  // BEGIN issued for the snapshot, not yet ended
    std::uint64_t localChanges_ = 0;
    bool readOnly_ = false;  // opened immutable from read-only storage
    bool walMode_ = false;
};

// The current time as FILETIME ticks.
std::int64_t currentFileTime();

}  // namespace platform::emulated
