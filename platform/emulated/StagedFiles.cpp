#include "platform/emulated/StagedFiles.h"

#include <algorithm>

#include "platform/emulated/AtomicFile.h"

namespace platform::emulated {
namespace fs = std::filesystem;

namespace {

std::string keyOf(const fs::path& file) {
    return file.lexically_normal().native();
}

}  // namespace

IniFile& StagedFiles::Content::ini() {
    if (!ini_) ini_ = std::make_unique<IniFile>(bytes_);
    return *ini_;
}

void StagedFiles::Content::replace(std::string bytes) {
    ini_.reset();
    bytes_ = std::move(bytes);
}

bool StagedFiles::beginSession(const fs::path& file, std::string initial) {
    const std::string key = keyOf(file);
    if (sessions_.count(key) != 0) return false;
    auto lock = std::make_unique<DirectoryLock>(file.has_parent_path() ? file.parent_path() : ".");
    if (!lock->held()) return false;
    sessions_[key] = Session{std::move(lock), std::make_unique<Content>(std::move(initial))};
    return true;
}

bool StagedFiles::commitSession(const fs::path& file) {
    const auto found = sessions_.find(keyOf(file));
    if (found == sessions_.end()) return false;
    const bool replaced = replaceFileContents(file, found->second.content->bytes());
    sessions_.erase(found);  // releases the folder's lock after the rename
    return replaced;
}

void StagedFiles::endSession(const fs::path& file) {
    sessions_.erase(keyOf(file));
}

void StagedFiles::beginTransaction() {
    transactionFiles_.clear();
    transactionOrder_.clear();
    refused_.reset();
    transaction_ = true;
}

std::vector<std::pair<fs::path, std::string>> StagedFiles::takeTransaction() {
    std::vector<std::pair<fs::path, std::string>> files;
    for (const std::string& key : transactionOrder_) {
        const auto found = transactionFiles_.find(key);
        if (found != transactionFiles_.end()) files.emplace_back(key, found->second->bytes());
    }
    dropTransaction();
    return files;
}

void StagedFiles::dropTransaction() {
    transactionFiles_.clear();
    transactionOrder_.clear();
    transaction_ = false;
}

void StagedFiles::noteRefusedWrite(const fs::path& file) {
    if (transaction_ && !refused_) refused_ = file;
}

const StagedFiles::Content* StagedFiles::sessionContent(const fs::path& file) const {
    const auto session = sessions_.find(keyOf(file));
    return session == sessions_.end() ? nullptr : session->second.content.get();
}

StagedFiles::Content* StagedFiles::find(const fs::path& file) {
    const std::string key = keyOf(file);
    if (const auto session = sessions_.find(key); session != sessions_.end()) {
        return session->second.content.get();
    }
    const auto staged = transactionFiles_.find(key);
    return staged == transactionFiles_.end() ? nullptr : staged->second.get();
}

StagedFiles::Content* StagedFiles::stageForTransaction(const fs::path& file,
                                                       const std::string& current) {
    if (Content* existing = find(file)) return existing;
    if (!transaction_) return nullptr;
    const std::string key = keyOf(file);
    transactionFiles_[key] = std::make_unique<Content>(current);
    transactionOrder_.push_back(key);
    return transactionFiles_[key].get();
}

bool StagedFiles::move(const fs::path& from, const fs::path& to) {
    Content* source = find(from);
    if (source == nullptr) return false;
    const std::string bytes = source->bytes();
    Content* target = stageForTransaction(to, bytes);
    if (target == nullptr) return false;
    target->replace(bytes);
    remove(from);
    return true;
}

bool StagedFiles::remove(const fs::path& file) {
    const std::string key = keyOf(file);
    if (transactionFiles_.erase(key) == 0) return false;
    transactionOrder_.erase(std::remove(transactionOrder_.begin(), transactionOrder_.end(), key),
                            transactionOrder_.end());
    return true;
}

}  // namespace platform::emulated
