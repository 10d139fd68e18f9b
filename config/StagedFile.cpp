#include "config/StagedFile.h"

#include <utility>

#include "platform/AsciiText.h"
#include "platform/RaisedError.h"

namespace {

[[noreturn]] void raiseAccessError() {
    throw RaisedError(75, "RmwConfig", "Path/File access error");
}

// A blank path, or one ending in a folder separator, names no file.
bool namesAFile(const std::string& path) {
    const std::string trimmed = std::string(platform::trimBlanks(path));
    return !trimmed.empty() && trimmed.back() != '\\' && trimmed.back() != '/';
}

const std::string& checked(const std::string& target) {
    if (!namesAFile(target)) raiseAccessError();
    return target;
}

}  // namespace

StagedFile::StagedFile(std::string target, const std::string& initialContents)
    : target_(std::move(target)), session_(checked(target_), initialContents) {
    if (!session_.started()) raiseAccessError();
}

const std::string& StagedFile::path() const {
    return target_;
}

std::string StagedFile::contents() const {
    return session_.contents();
}

void StagedFile::commit() {
    if (!session_.commit()) raiseAccessError();
}
