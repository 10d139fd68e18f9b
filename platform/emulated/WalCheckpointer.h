#pragma once
// Keeps a registry database's write-ahead log short without making the writing calls
// wait for it. SQLite would copy the log back into the database (and flush both to disk)
// on the path of whichever commit crossed its threshold, so one call in a thousand took
// most of a write loop's time. Here a commit only notes how long the log has grown: past
// a first mark a thread of this process copies it back with its own connection, without
// ever blocking readers or writers; only a log that grows far beyond that (a writer
// outpacing the thread) is copied back by the committing call itself, so the log stays
// bounded. The last connection to the database to close copies the log back, as SQLite
// always does.
//
// Durability is unchanged: a commit is in the log before the call returns, the log is
// what other processes read, and a process killed at any moment leaves the log for the
// next one to use.

#include <sqlite3.h>
#include <sys/types.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace platform::emulated {

class WalCheckpointer {
  public:
    explicit WalCheckpointer(std::filesystem::path databaseFile);
    ~WalCheckpointer();
    WalCheckpointer(const WalCheckpointer&) = delete;
    WalCheckpointer& operator=(const WalCheckpointer&) = delete;

    // Takes over the checkpoints of WRITER, a connection to the database file.
    void watch(sqlite3* writer);

  private:
    static int committed(void* self, sqlite3* writer, const char* schema, int frames);
    void requestBackgroundCheckpoint();
    void run();
    void checkpointInBackground();

    std::filesystem::path file_;
    pid_t owner_;  // the process that made this object
    // Used by the committing thread only.
    int nextRequestFrames_;  // the log's length at which to wake the thread next
    int nextCallerFrames_;   // and at which the committing call copies back itself
    int lastFrames_ = 0;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool requested_ = false;
    bool stopping_ = false;
    std::thread thread_;  // started on the first request
    sqlite3* connection_ = nullptr;  // the thread's own
};

}  // namespace platform::emulated
