#include "config/StagedFile.h"

#include <utility>

#include "platform/AsciiText.h"
#include "platform/RaisedError.h"
#include "platform/Services.h"

namespace {

[[noreturn]] void raiseAccessError() {
    throw RaisedError(75, "RmwConfig", "Path/File access error");
}

// A blank path, or one ending in a folder separator, names no file. Its staging name
// would be ".saving" in the current or the named folder, where an unrelated file of that
// name would be overwritten and then removed.
bool namesAFile(const std::string& path) {
    const std::string trimmed = std::string(platform::trimBlanks(path));
    return !trimmed.empty() && trimmed.back() != '\\' && trimmed.back() != '/';
}

}  // namespace

StagedFile::StagedFile(std::string target, const std::string& initialContents)
    : target_(std::move(target)), staging_(target_ + ".saving") {
    if (!namesAFile(target_)) raiseAccessError();
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
