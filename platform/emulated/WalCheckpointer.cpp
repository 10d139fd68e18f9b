#include "platform/emulated/WalCheckpointer.h"

#include <unistd.h>

namespace platform::emulated {
namespace {

// SQLite's own threshold (1 MB of 1 KB pages): from here the thread copies back.
constexpr int kBackgroundFrames = 1000;
// A log this long is copied back by the committing call (10 MB of 1 KB pages).
constexpr int kCallerFrames = 10000;

// The parent's thread as a forked child sees it: kept reachable, never destroyed.
std::thread* orphanedThread = nullptr;

}  // namespace

WalCheckpointer::WalCheckpointer(std::filesystem::path databaseFile)
    : file_(std::move(databaseFile)),
      owner_(::getpid()),
      nextRequestFrames_(kBackgroundFrames),
      nextCallerFrames_(kCallerFrames) {}

WalCheckpointer::~WalCheckpointer() {
    if (::getpid() != owner_) {
        // A child forked from the process that started the thread: the thread and its
        // connection are the parent's (the child has no such thread, and the mutex may
        // have been held at the fork). Left alone, never joined or closed here.
        if (thread_.joinable()) orphanedThread = new std::thread(std::move(thread_));
        return;
    }
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
    if (connection_ != nullptr) sqlite3_close(connection_);
}

void WalCheckpointer::watch(sqlite3* writer) {
    // The hook replaces SQLite's automatic checkpoint on this connection.
    sqlite3_wal_hook(writer, &WalCheckpointer::committed, this);
}

int WalCheckpointer::committed(void* self, sqlite3* writer, const char* schema, int frames) {
    auto& checkpointer = *static_cast<WalCheckpointer*>(self);
    // The log starts over once it was copied back wholly.
    if (frames < checkpointer.lastFrames_) {
        checkpointer.nextRequestFrames_ = kBackgroundFrames;
        checkpointer.nextCallerFrames_ = kCallerFrames;
    }
    checkpointer.lastFrames_ = frames;
    if (frames >= checkpointer.nextCallerFrames_) {
        // Passive: it copies what no reader still needs and never waits for anyone. A
        // reader holding on to an old state keeps the log from starting over; the next
        // try then waits for another stretch of log rather than the next commit.
        checkpointer.nextCallerFrames_ = frames + kBackgroundFrames;
        sqlite3_wal_checkpoint_v2(writer, schema, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    } else if (frames >= checkpointer.nextRequestFrames_) {
        // Once per stretch of log, not on every commit: the thread copies it all.
        checkpointer.nextRequestFrames_ = frames + kBackgroundFrames;
        checkpointer.requestBackgroundCheckpoint();
    }
    return SQLITE_OK;
}

void WalCheckpointer::requestBackgroundCheckpoint() {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        requested_ = true;
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }
    wake_.notify_one();
}

void WalCheckpointer::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return requested_ || stopping_; });
        if (stopping_) return;
        requested_ = false;
        lock.unlock();
        checkpointInBackground();
        lock.lock();
    }
}

void WalCheckpointer::checkpointInBackground() {
    if (connection_ == nullptr &&
        sqlite3_open_v2(file_.c_str(), &connection_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        // Left to the caller's threshold and to the close.
        sqlite3_close(connection_);
        connection_ = nullptr;
        return;
    }
    sqlite3_wal_checkpoint_v2(connection_, "main", SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

}  // namespace platform::emulated
