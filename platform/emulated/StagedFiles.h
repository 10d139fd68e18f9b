#pragma once
// New contents of files held in memory until they replace the files in one step.
//
// A write session holds one file (a configuration file being saved or converted): the
// profile functions of this process read and write its new content under the file's own
// name, other processes still see the old file, and the file's folder stays locked so a
// second session on it waits. An apply transaction stages every file written while it
// runs (win.ini, prefs.js, the add-ins' files): they are replaced only once the registry
// has committed.
//
// Files are keyed by their native path as written (the target of a symbolic link).

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/emulated/DirectoryLock.h"
#include "platform/emulated/IniFile.h"

namespace platform::emulated {

class StagedFiles {
  public:
    // One file's staged content: raw bytes, or a profile file being edited.
    class Content {
      public:
        explicit Content(std::string bytes) : bytes_(std::move(bytes)) {}
        std::string bytes() const { return ini_ ? ini_->bytes() : bytes_; }
        IniFile& ini();
        void replace(std::string bytes);

      private:
        std::string bytes_;
        std::unique_ptr<IniFile> ini_;
    };

    // Starts a session on FILE with INITIAL as its content, waiting for the lock of its
    // folder. False when the folder cannot be locked or FILE is in a session already.
    bool beginSession(const std::filesystem::path& file, std::string initial);
    // Replaces FILE by the session's content and ends the session; false, with FILE as it
    // was, when the file cannot be replaced.
    bool commitSession(const std::filesystem::path& file);
    // Ends the session without touching FILE.
    void endSession(const std::filesystem::path& file);

    // Apply transactions: from begin until take or drop, writes to any file are staged.
    void beginTransaction();
    bool inTransaction() const { return transaction_; }
    // The files the transaction staged, in the order first written; ends the transaction.
    std::vector<std::pair<std::filesystem::path, std::string>> takeTransaction();
    void dropTransaction();
    // Set when a write was refused during the transaction (a read-only target).
    void noteRefusedWrite(const std::filesystem::path& file);
    const std::optional<std::filesystem::path>& refusedWrite() const { return refused_; }

    // The staged content of FILE, or null.
    Content* find(const std::filesystem::path& file);
    // The content of the write session on FILE, or null when none is open.
    const Content* sessionContent(const std::filesystem::path& file) const;
    // Nothing staged and no transaction: every file is read and written in place.
    bool idle() const { return !transaction_ && sessions_.empty() && transactionFiles_.empty(); }
    // The content a transaction is to write to FILE, made from the file's current bytes
    // on first use; null outside a transaction.
    Content* stageForTransaction(const std::filesystem::path& file, const std::string& current);
    // Moves the staged FROM to TO (a file replaced by a staged temporary one).
    bool move(const std::filesystem::path& from, const std::filesystem::path& to);
    bool remove(const std::filesystem::path& file);

  private:
    struct Session {
        std::unique_ptr<DirectoryLock> lock;
        std::unique_ptr<Content> content;
    };

    std::map<std::string, Session> sessions_;
    std::map<std::string, std::unique_ptr<Content>> transactionFiles_;
    std::vector<std::string> transactionOrder_;
    std::optional<std::filesystem::path> refused_;
    bool transaction_ = false;
};

}  // namespace platform::emulated
