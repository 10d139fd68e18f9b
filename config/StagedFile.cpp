#include "config/StagedFile.h"

#include <utility>

#include "platform/RaisedError.h"
#include "platform/Services.h"

namespace {

[[noreturn]] void raiseAccessError() {
    throw RaisedError(75, "RmwConfig", "Path/File access error");
}

}  // namespace

StagedFile::StagedFile(std::string target, const std::string& initialContents)
    : target_(std::move(target)), staging_(target_ + ".saving") {
    if (!platform::files().writeWholeFile(staging_, initialContents)) {
        platform::files().deleteFile(staging_);
        raiseAccessError();
    }
}

StagedFile::~StagedFile() {
    if (committed_) return;
    try {
        platform::files().deleteFile(staging_);
    } catch (...) {
        // A leftover staging file harms nothing: the next save empties it again.
    }
}

const std::string& StagedFile::path() const {
    return staging_;
}

void StagedFile::commit() {
    if (!platform::files().replaceFile(staging_, target_)) raiseAccessError();
    committed_ = true;
}
