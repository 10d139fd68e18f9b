#include "platform/emulated/RegistryDatabase.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>

namespace platform::emulated {
namespace {

constexpr int kSchemaVersion = 1;
// Long enough for any registry change of another process to finish; a busy writer
// waits this long before a call reports failure.
constexpr int kBusyTimeoutMs = 60000;

const char* const kSchema = R"sql(
CREATE TABLE keys (
    id      INTEGER PRIMARY KEY,
    parent  INTEGER REFERENCES keys(id) ON DELETE CASCADE,
    name    TEXT NOT NULL,
    folded  TEXT NOT NULL,
    path    TEXT NOT NULL UNIQUE,
    written INTEGER NOT NULL
);
CREATE INDEX keys_by_parent ON keys(parent, folded);
CREATE TABLE vals (
    id     INTEGER PRIMARY KEY,
    key    INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
    name   TEXT NOT NULL,
    folded TEXT NOT NULL,
    type   INTEGER NOT NULL,
    data   BLOB NOT NULL,
    written INTEGER NOT NULL DEFAULT 0,
    UNIQUE (key, folded)
);
)sql";

// Key ids are never given out twice. A handle names its key by id, so an id that came
// back with a new key would let a handle to a removed key read and change the new one.
// SQLite reuses the highest id once its row is gone; the highest id ever removed is
// therefore kept, and new keys are numbered above it. The trigger keeps the mark for
// every removal, whichever program makes it.
const char* const kKeyIdMark = R"sql(
CREATE TABLE IF NOT EXISTS removed_key_mark (last INTEGER NOT NULL);
INSERT INTO removed_key_mark SELECT 0 WHERE NOT EXISTS (SELECT 1 FROM removed_key_mark);
CREATE TRIGGER IF NOT EXISTS keys_removed AFTER DELETE ON keys
WHEN old.id > (SELECT last FROM removed_key_mark)
BEGIN
    UPDATE removed_key_mark SET last = old.id;
END;
)sql";

// A key was last written when its own row or the latest of its values says: setting a
// value stamps only the value's row, so the change is one page of the database rather
// than two. Databases made before carry 0 in their values, and their key rows, which
// every earlier program stamped on each change, keep the right time.
const char* const kValueTimes = "ALTER TABLE vals ADD COLUMN written INTEGER NOT NULL DEFAULT 0";

// The time a key was last written, for the key row named K.
#define ROAMWISE_KEY_WRITTEN(k) \
    "max(" k ".written, coalesce((SELECT max(v.written) FROM vals v WHERE v.key = " k ".id), 0))"

const char* const kPendingRenames =
    "CREATE TABLE IF NOT EXISTS pending_renames (machine TEXT NOT NULL, staged TEXT NOT NULL, "
    "target TEXT NOT NULL)";

// A key's descendants are the paths between "PATH\" and "PATH]": ']' follows '\'.
std::string descendantsEnd(std::string_view path) {
    std::string end(path);
    end += ']';
    return end;
}

}  // namespace

std::int64_t currentFileTime() {
    using namespace std::chrono;
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;
    auto sinceEpoch = duration_cast<nanoseconds>(system_clock::now().time_since_epoch());
    return kSecondsFrom1601To1970 * 10000000LL + sinceEpoch.count() / 100;
}

struct RegistryDatabase::Statements {
    // VALUETIMES: the values carry their own time (not so in an old database on
    // read-only storage, which cannot be brought up to date).
    Statements(sqlite3* db, bool valueTimes)
        : findKey(db, "SELECT id FROM keys WHERE path = ?1"),
          keyExists(db, "SELECT 1 FROM keys WHERE id = ?1"),
          parentAndName(db, "SELECT parent, name FROM keys WHERE id = ?1"),
          createKey(db,
                    "INSERT INTO keys (id, parent, name, folded, path, written) "
                    "VALUES (max((SELECT coalesce(max(id), 0) FROM keys), "
                    "(SELECT coalesce(max(last), 0) FROM removed_key_mark)) + 1, "
                    "?1, ?2, ?3, ?4, ?5)"),
          touchKey(db, "UPDATE keys SET written = ?2 WHERE id = ?1"),
          subkeys(db, valueTimes ? "SELECT id, name, " ROAMWISE_KEY_WRITTEN("keys")
                                   " FROM keys WHERE parent = ?1 ORDER BY folded"
                                 : "SELECT id, name, written FROM keys WHERE parent = ?1 "
                                   "ORDER BY folded"),
          hasSubkeys(db, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1"),
          deleteTree(db, "DELETE FROM keys WHERE path = ?1 OR (path > ?1 || '\\' AND path < ?2)"),
          findValue(db, "SELECT name, type, data FROM vals WHERE key = ?1 AND folded = ?2"),
          setValue(db, "INSERT INTO vals (key, name, folded, type, data, written) "
                       "VALUES (?1, ?2, ?3, ?4, ?5, ?6) "
                       "ON CONFLICT (key, folded) DO UPDATE SET type = excluded.type, "
                       "data = excluded.data, written = excluded.written"),
          deleteValue(db, "DELETE FROM vals WHERE key = ?1 AND folded = ?2"),
          values(db, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY id"),
          subkeySummary(db,
                        "SELECT count(*), coalesce(max(length(CAST(name AS BLOB))), 0) "
                        "FROM keys WHERE parent = ?1"),
          valueSummary(db,
                       "SELECT count(*), coalesce(max(length(CAST(name AS BLOB))), 0), "
                       "coalesce(max(length(data)), 0) FROM vals WHERE key = ?1"),
          written(db, valueTimes ? "SELECT " ROAMWISE_KEY_WRITTEN("keys") " FROM keys WHERE id = ?1"
                                 : "SELECT written FROM keys WHERE id = ?1"),
          dataVersion(db, "PRAGMA data_version"),
          begin(db, "BEGIN IMMEDIATE"),
          commit(db, "COMMIT"),
          rollback(db, "ROLLBACK") {}

    SqliteStatement findKey, keyExists, parentAndName, createKey, touchKey, subkeys, hasSubkeys,
        deleteTree;
    SqliteStatement findValue, setValue, deleteValue, values, subkeySummary, valueSummary;
    SqliteStatement written, dataVersion, begin, commit, rollback;
};

#undef ROAMWISE_KEY_WRITTEN

namespace {

// A database that this process may not change, or whose folder it may not add files to.
// SQLite keeps its WAL index and log beside the database, so in such a folder it could
// not even read.
bool onReadOnlyStorage(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return false;
    const std::filesystem::path folder = std::filesystem::absolute(file, error).parent_path();
    return ::access(file.c_str(), W_OK) != 0 || ::access(folder.c_str(), W_OK) != 0;
}

// FILE as an SQLite URI naming the database immutable: read without locks or a WAL
// index, which nothing can change while the storage stays read-only.
std::string immutableUri(const std::filesystem::path& file) {
    std::string uri = "file:";
    for (char c : std::filesystem::absolute(file).string()) {
        if (c == '%' || c == '?' || c == '#') {
            static const char digits[] = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(c);
            uri += {'%', digits[byte >> 4], digits[byte & 0xF]};
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

// Settings of the SQLite library for the whole process, which only take effect before
// its first use (later they are refused, harmlessly).
void configureSqlite() {
    static std::once_flag once;
    std::call_once(once, [] {
        // A connection is never used by two threads at once (the registry serialises its
        // calls; the checkpoint thread has its own), so SQLite's own lock around every
        // call on a connection is not needed.
        sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
        // Keeping statistics of memory use would take a global lock on every allocation.
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        // No page-cache memory set up front for each connection: most programs read a few
        // pages, and every fresh page of memory costs a fault when first touched.
        sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
    });
}

}  // namespace

RegistryDatabase::RegistryDatabase(const std::filesystem::path& file)
    : readOnly_(onReadOnlyStorage(file)) {
    configureSqlite();
    int code = readOnly_ ? sqlite3_open_v2(immutableUri(file).c_str(), &db_,
                                           SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr)
                         : sqlite3_open_v2(file.c_str(), &db_,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        std::string message = "cannot open " + file.string() + ": " +
                              (db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
        sqlite3_close(db_);
        throw DatabaseError(code, message);
    }
    try {
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
        sqlite3_extended_result_codes(db_, 1);
        execute("PRAGMA foreign_keys = ON");
        if (readOnly_) {
            requireCurrentSchema();
        } else {
            // A new database gets pages of 1 KB (an existing one keeps its own): each value
            // written adds one page to the log, and registry values are small. Measured:
            // a run of value writes takes a quarter less time than with 4 KB pages, an
            // import of 100,000 keys a fifth more.
            execute("PRAGMA page_size = 1024");
            walMode_ = queryText("PRAGMA journal_mode = WAL") == "wal";
            // In WAL mode NORMAL keeps the database consistent after a crash; only the
            // last changes before a power loss may be missing.
            execute("PRAGMA synchronous = NORMAL");
            // Room for the pages a large change (an import) touches, so that they are
            // written to the log once at commit rather than spilled and read back while
            // it runs. Memory is taken only as pages are used.
            execute("PRAGMA cache_size = -65536");
            if (walMode_) {
                keepLogFiles();
                checkpointer_ = std::make_unique<WalCheckpointer>(file);
                checkpointer_->watch(db_);
            }
            createSchemaIfMissing();
        }
        statements_ = std::make_unique<Statements>(db_, !readOnly_ || hasValueTimes());
    } catch (...) {
        statements_.reset();
        checkpointer_.reset();
        sqlite3_close(db_);
        throw;
    }
}

RegistryDatabase::~RegistryDatabase() {
    leaveReadSnapshot();
    statements_.reset();
    // The thread's connection goes first, so that this one, closing last, copies the log
    // back when no other process has the database open.
    checkpointer_.reset();
    sqlite3_close(db_);
}

void RegistryDatabase::keepLogFiles() {
    // The last connection to close still copies the log back, then empties it instead of
    // deleting it and its index: every program opens the database, and creating and
    // removing both files each time is a good part of a short program's work.
    int persist = 1;
    sqlite3_file_control(db_, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    // With a limit the closing connection empties the log (without one the next program
    // would read it all again on opening). The limit lies above the longest log the
    // checkpoints allow, so a log that starts over while programs write keeps its
    // blocks rather than being cut and grown again.
    execute("PRAGMA journal_size_limit = 67108864");
}

void RegistryDatabase::execute(const char* sql) {
    checkSqlite(db_, sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), "registry database");
}

std::string RegistryDatabase::queryText(const char* sql) {
    SqliteStatement statement(db_, sql);
    StatementScope scope(statement);
    return scope->step() ? scope->text(0) : std::string();
}

void RegistryDatabase::createSchemaIfMissing() {
    SqliteStatement version(db_, "PRAGMA user_version");
    auto current = [&] {
        StatementScope scope(version);
        return scope->step() ? scope->integer(0) : 0;
    };
    if (current() == kSchemaVersion) {
        addMissingParts();
        return;
    }
    execute("BEGIN IMMEDIATE");
    try {
        std::int64_t found = current();  // another process may have created it meanwhile
        if (found > kSchemaVersion) {
            throw DatabaseError(SQLITE_NOTADB, "registry database of a newer format");
        }
        if (found == 0) {
            execute(kSchema);
            execute(kKeyIdMark);
            execute(kPendingRenames);
            SqliteStatement root(db_,
                                 "INSERT INTO keys (id, parent, name, folded, path, written) "
                                 "VALUES (?1, NULL, ?2, ?2, ?2, ?3)");
            for (const auto& each : registryRoots()) {
                StatementScope scope(root);
                scope->bind(1, rootId(each.handle)).bindText(2, each.name);
                scope->bind(3, currentFileTime());
                scope->step();
            }
            execute("PRAGMA user_version = 1");
        }
        execute("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    addMissingParts();  // when another process made it with an earlier version
}

namespace {

// Which of the parts added since the first format a database has, in one query: opening
// the registry is on the path of every program's start.
struct SchemaParts {
    bool keyIdMark = false;
    bool pendingRenames = false;
    bool valueTimes = false;
    bool complete() const { return keyIdMark && pendingRenames && valueTimes; }
};

// Whether the table (COLUMN null) or the column exists, from the schema SQLite has read
// already: no statement to compile.
bool hasInSchema(sqlite3* db, const char* table, const char* column) {
    return sqlite3_table_column_metadata(db, "main", table, column, nullptr, nullptr, nullptr,
                                         nullptr, nullptr) == SQLITE_OK;
}

SchemaParts schemaParts(sqlite3* db) {
    SqliteStatement query(
        db, "SELECT EXISTS (SELECT 1 FROM sqlite_master WHERE type = 'trigger' AND "
            "name = 'keys_removed')");
    StatementScope scope(query);
    SchemaParts parts;
    parts.keyIdMark = scope->step() && scope->integer(0) != 0;
    parts.pendingRenames = hasInSchema(db, "pending_renames", nullptr);
    parts.valueTimes = hasInSchema(db, "vals", "written");
    return parts;
}

}  // namespace

bool RegistryDatabase::hasValueTimes() {
    return schemaParts(db_).valueTimes;
}

// Read-only storage can only be read as it is: a database of another format, or one
// still without the mark of removed keys, cannot be brought up to date there.
void RegistryDatabase::requireCurrentSchema() {
    const bool current = queryText("PRAGMA user_version") == std::to_string(kSchemaVersion) &&
                         schemaParts(db_).keyIdMark;
    if (!current) {
        throw DatabaseError(SQLITE_READONLY,
                            "registry database of an older format on read-only storage");
    }
}

// Databases made by earlier versions get the newer parts on first use. The mark of
// removed keys starts now: earlier removals are past, and no handle of this process can
// name them.
void RegistryDatabase::addMissingParts() {
    if (schemaParts(db_).complete()) return;
    execute("BEGIN IMMEDIATE");
    try {
        const SchemaParts parts = schemaParts(db_);  // another process may have added them
        if (!parts.keyIdMark) execute(kKeyIdMark);
        if (!parts.pendingRenames) execute(kPendingRenames);
        if (!parts.valueTimes) execute(kValueTimes);
        execute("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void RegistryDatabase::addPendingRename(const PendingRename& rename) {
    leaveReadSnapshot();
    SqliteStatement insert(db_,
                           "INSERT INTO pending_renames (machine, staged, target) VALUES (?1, ?2, ?3)");
    StatementScope scope(insert);
    scope->bindText(1, rename.machine).bindText(2, rename.staged).bindText(3, rename.target);
    scope->step();
    noteChange();
}

std::vector<RegistryDatabase::PendingRename> RegistryDatabase::pendingRenames() {
    SqliteStatement query(db_, "SELECT machine, staged, target FROM pending_renames ORDER BY rowid");
    StatementScope scope(query);
    std::vector<PendingRename> renames;
    while (scope->step()) renames.push_back({scope->text(0), scope->text(1), scope->text(2)});
    return renames;
}

void RegistryDatabase::clearPendingRenames() {
    leaveReadSnapshot();
    execute("DELETE FROM pending_renames");
    noteChange();
}

KeyId RegistryDatabase::rootId(win32::HKEY rootHandle) {
    return static_cast<KeyId>(rootHandle - win32::HKEY_CLASSES_ROOT) + 1;
}

std::optional<KeyId> RegistryDatabase::findKey(std::string_view foldedPath) {
    StatementScope query(statements_->findKey);
    query->bindText(1, foldedPath);
    if (!query->step()) return std::nullopt;
    return query->integer(0);
}

bool RegistryDatabase::keyExists(KeyId key) {
    StatementScope query(statements_->keyExists);
    query->bind(1, key);
    return query->step();
}

std::string RegistryDatabase::displayPath(KeyId key) {
    std::string path;
    while (key != 0) {
        StatementScope query(statements_->parentAndName);
        query->bind(1, key);
        if (!query->step()) return std::string();
        path = path.empty() ? query->text(1) : query->text(1) + '\\' + path;
        key = query->integer(0);  // a root's parent is NULL, read as 0
    }
    return path;
}

KeyId RegistryDatabase::createKey(KeyId parent, std::string_view parentPath,
                                  std::string_view name) {
    std::string folded = foldName(name);
    leaveReadSnapshot();
    std::string path(parentPath);
    path += '\\';
    path += folded;
    {
        StatementScope insert(statements_->createKey);
        insert->bind(1, parent).bindText(2, name).bindText(3, folded).bindText(4, path);
        insert->bind(5, currentFileTime());
        insert->step();
    }
    noteChange();
    return sqlite3_last_insert_rowid(db_);
}

std::vector<StoredSubkey> RegistryDatabase::subkeys(KeyId key) {
    std::vector<StoredSubkey> result;
    StatementScope query(statements_->subkeys);
    query->bind(1, key);
    while (query->step()) result.push_back({query->integer(0), query->text(1), query->integer(2)});
    return result;
}

bool RegistryDatabase::hasSubkeys(KeyId key) {
    StatementScope query(statements_->hasSubkeys);
    query->bind(1, key);
    return query->step();
}

void RegistryDatabase::deleteKeyTree(std::string_view foldedPath) {
    leaveReadSnapshot();
    std::string end = descendantsEnd(foldedPath);
    StatementScope remove(statements_->deleteTree);
    remove->bindText(1, foldedPath).bindText(2, end);
    remove->step();
    noteChange();
}

std::optional<StoredValue> RegistryDatabase::findValue(KeyId key, std::string_view foldedName) {
    StatementScope query(statements_->findValue);
    query->bind(1, key).bindText(2, foldedName);
    if (!query->step()) return std::nullopt;
    return StoredValue{query->text(0), static_cast<win32::DWORD>(query->integer(1)),
                       query->blob(2)};
}

void RegistryDatabase::setValue(KeyId key, std::string_view name, win32::DWORD type,
                                std::string_view data) {
    std::string folded = foldName(name);
    leaveReadSnapshot();
    {
        StatementScope upsert(statements_->setValue);
        upsert->bind(1, key).bindText(2, name).bindText(3, folded);
        upsert->bind(4, type).bindBlob(5, data).bind(6, currentFileTime());
        upsert->step();
    }
    noteChange();
}

bool RegistryDatabase::deleteValue(KeyId key, std::string_view foldedName) {
    leaveReadSnapshot();
    {
        StatementScope remove(statements_->deleteValue);
        remove->bind(1, key).bindText(2, foldedName);
        remove->step();
    }
    if (sqlite3_changes(db_) == 0) return false;
    touchKey(key);
    noteChange();
    return true;
}

std::vector<StoredValue> RegistryDatabase::values(KeyId key) {
    std::vector<StoredValue> result;
    StatementScope query(statements_->values);
    query->bind(1, key);
    while (query->step()) {
        result.push_back(
            {query->text(0), static_cast<win32::DWORD>(query->integer(1)), query->blob(2)});
    }
    return result;
}

KeySummary RegistryDatabase::summary(KeyId key) {
    KeySummary result;
    {
        StatementScope query(statements_->subkeySummary);
        query->bind(1, key);
        if (query->step()) {
            result.subkeys = static_cast<win32::DWORD>(query->integer(0));
            result.longestSubkeyName = static_cast<win32::DWORD>(query->integer(1));
        }
    }
    {
        StatementScope query(statements_->valueSummary);
        query->bind(1, key);
        if (query->step()) {
            result.values = static_cast<win32::DWORD>(query->integer(0));
            result.longestValueName = static_cast<win32::DWORD>(query->integer(1));
            result.longestValueData = static_cast<win32::DWORD>(query->integer(2));
        }
    }
    StatementScope query(statements_->written);
    query->bind(1, key);
    if (query->step()) result.lastWritten = query->integer(0);
    return result;
}

void RegistryDatabase::touchKey(KeyId key) {
    StatementScope update(statements_->touchKey);
    update->bind(1, key).bind(2, currentFileTime());
    update->step();
}

bool RegistryDatabase::readWalHeader(std::array<std::uint8_t, 48>& header) {
    // SQLite itself tells whether another process committed by comparing the header of
    // the write-ahead-log index, which every commit rewrites; the header lies at the
    // start of the shared memory the connection has mapped (see SQLite's WAL format).
    // Reading it costs no system call, where a read transaction costs several.
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        file == nullptr || file->pMethods == nullptr || file->pMethods->iVersion < 2 ||
        file->pMethods->xShmMap == nullptr) {
        return false;
    }
    volatile void* region = nullptr;
    if (file->pMethods->xShmMap(file, 0, 32768, 0, &region) != SQLITE_OK || region == nullptr) {
        return false;
    }
    std::atomic_thread_fence(std::memory_order_acquire);
    const volatile std::uint8_t* bytes = static_cast<const volatile std::uint8_t*>(region);
    for (std::size_t i = 0; i < header.size(); ++i) header[i] = bytes[i];
    std::atomic_thread_fence(std::memory_order_acquire);
    return true;
}

void RegistryDatabase::beginReadSnapshot() {
    if (snapshotDepth_ == 0 && transactionDepth_ == 0) {
        // Deferred: the read transaction starts with the next read and holds its state.
        execute("BEGIN DEFERRED");
        snapshotHeld_ = true;
    }
    ++snapshotDepth_;
}

void RegistryDatabase::endReadSnapshot() {
    if (snapshotDepth_ > 0 && --snapshotDepth_ == 0) leaveReadSnapshot();
}

void RegistryDatabase::leaveReadSnapshot() {
    if (!snapshotHeld_) return;
    snapshotHeld_ = false;
    // Nothing was written in it, so ending it cannot lose anything; should COMMIT fail,
    // ROLLBACK ends it all the same.
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    // What the cache took from the snapshot may be older than the change stamp it was
    // kept under (another process committed meanwhile): it must be read again.
    noteChange();
}

ChangeStamp RegistryDatabase::changeStamp() {
    ChangeStamp stamp;
    stamp.localChanges = localChanges_;
    if (walMode_ && readWalHeader(stamp.walHeader)) return stamp;
    StatementScope query(statements_->dataVersion);
    if (query->step()) stamp.dataVersion = static_cast<std::uint64_t>(query->integer(0));
    return stamp;
}

bool RegistryDatabase::integrityOk() {
    SqliteStatement check(db_, "PRAGMA integrity_check");
    StatementScope scope(check);
    return scope->step() && scope->text(0) == "ok";
}

RegistryDatabase::Transaction::Transaction(RegistryDatabase& database)
    : database_(database), outermost_(database.transactionDepth_ == 0) {
    if (outermost_) {
        database_.leaveReadSnapshot();
        database_.statements_->begin.run();
    } else {
        database_.execute("SAVEPOINT nested");
    }
    ++database_.transactionDepth_;
}

RegistryDatabase::Transaction::~Transaction() {
    --database_.transactionDepth_;
    if (done_) return;
    // Undo everything since the start; the local counter moves on so caches reload.
    const char* undo = outermost_ ? "ROLLBACK" : "ROLLBACK TO nested; RELEASE nested";
    sqlite3_exec(database_.db_, undo, nullptr, nullptr, nullptr);
    database_.noteChange();
}

void RegistryDatabase::Transaction::commit() {
    if (outermost_) {
        database_.statements_->commit.run();
    } else {
        database_.execute("RELEASE nested");
    }
    done_ = true;
}

void RegistryDatabase::backupTo(const std::filesystem::path& file) {
    sqlite3* copy = nullptr;
    int code = sqlite3_open_v2(file.c_str(), &copy,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                               nullptr);
    if (code == SQLITE_OK) {
        // One step over every page reads the source in one read transaction, so a
        // writer elsewhere can neither tear the copy nor make it start again.
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", db_, "main");
        if (backup == nullptr) {
            code = sqlite3_errcode(copy);
        } else {
            sqlite3_backup_step(backup, -1);
            code = sqlite3_backup_finish(backup);
        }
    }
    const std::string message =
        code == SQLITE_OK ? std::string()
                          : "cannot copy the registry to " + file.string() + ": " +
                                (copy != nullptr ? sqlite3_errmsg(copy) : sqlite3_errstr(code));
    sqlite3_close(copy);
    if (code != SQLITE_OK) throw DatabaseError(code, message);
}

}  // namespace platform::emulated
