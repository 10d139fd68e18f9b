#include "platform/emulated/SqliteStatement.h"

namespace platform::emulated {

bool DatabaseError::isBusy() const {
    int primary = code_ & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

bool DatabaseError::isCorrupt() const {
    int primary = code_ & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

void checkSqlite(sqlite3* db, int code, std::string_view what) {
    if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE) return;
    std::string message(what);
    message += ": ";
    message += db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    throw DatabaseError(code, message);
}

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db), sql_(sql) {}

sqlite3_stmt* SqliteStatement::prepared() {
    if (statement_ != nullptr) return statement_;
    int code = sqlite3_prepare_v3(db_, sql_.data(), static_cast<int>(sql_.size()),
                                  SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
    checkSqlite(db_, code, "preparing a registry statement");
    return statement_;
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
    checkSqlite(db_, sqlite3_bind_int64(prepared(), index, value), "binding");
    return *this;
}

SqliteStatement& SqliteStatement::bindText(int index, std::string_view text) {
    checkSqlite(db_,
                sqlite3_bind_text(prepared(), index, text.data(), static_cast<int>(text.size()),
                                  SQLITE_STATIC),
                "binding");
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(int index, std::string_view bytes) {
    // A zero-length blob must still be a blob, not NULL.
    static const char empty = 0;
    const char* data = bytes.empty() ? &empty : bytes.data();
    checkSqlite(
        db_,
        sqlite3_bind_blob(prepared(), index, data, static_cast<int>(bytes.size()), SQLITE_STATIC),
        "binding");
    return *this;
}

bool SqliteStatement::step() {
    int code = sqlite3_step(prepared());
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    sqlite3_reset(statement_);
    checkSqlite(db_, code, "registry database");
    return false;
}

void SqliteStatement::run() {
    StatementScope scope(*this);
    while (step()) {
    }
}

void SqliteStatement::reset() {
    if (statement_ == nullptr) return;  // never run
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::text(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    int size = sqlite3_column_bytes(statement_, column);
    return data == nullptr ? std::string() : std::string(data, static_cast<std::size_t>(size));
}

std::string SqliteStatement::blob(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    int size = sqlite3_column_bytes(statement_, column);
    return data == nullptr ? std::string() : std::string(data, static_cast<std::size_t>(size));
}

}  // namespace platform::emulated
