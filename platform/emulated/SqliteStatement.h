#pragma once
// A prepared SQLite statement kept for the lifetime of its connection. Each use binds,
// steps and is reset again, so the statement never holds a read transaction open
// between registry calls. It is prepared on first use: most programs run a few of a
// connection's statements, and preparing them all took much of a short run's time.

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace platform::emulated {

// A failure of the database under the registry; CODE is SQLite's result code.
class DatabaseError : public std::runtime_error {
  public:
    DatabaseError(int code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    int code() const { return code_; }
    // SQLITE_BUSY or SQLITE_LOCKED: another process held the database too long.
    bool isBusy() const;
    // The file is not a database or is damaged.
    bool isCorrupt() const;

  private:
    int code_;
};

// Throws DatabaseError for a result code other than OK, ROW and DONE.
void checkSqlite(sqlite3* db, int code, std::string_view what);

class SqliteStatement {
  public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Binding by 1-based index; texts and blobs are copied by SQLite only while the
    // statement runs, so the caller keeps them alive until reset().
    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bindText(int index, std::string_view text);
    SqliteStatement& bindBlob(int index, std::string_view bytes);

    // True when a row is ready, false when the statement is done.
    bool step();
    // Runs a statement that returns no rows (or ignores them) and resets it.
    void run();
    void reset();

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::string blob(int column) const;

  private:
    // The prepared statement; throws DatabaseError when the text cannot be prepared.
    sqlite3_stmt* prepared();

    sqlite3* db_;
    std::string sql_;
    sqlite3_stmt* statement_ = nullptr;
};

// Resets a statement when the scope ends, whatever way it ends.
class StatementScope {
  public:
    explicit StatementScope(SqliteStatement& statement) : statement_(statement) {}
    ~StatementScope() { statement_.reset(); }
    StatementScope(const StatementScope&) = delete;
    StatementScope& operator=(const StatementScope&) = delete;
    SqliteStatement* operator->() { return &statement_; }

  private:
    SqliteStatement& statement_;
};

}  // namespace platform::emulated
