#include "platform/ProfileWriteSession.h"

#include <utility>

#include "platform/Services.h"

namespace platform {

ProfileWriteSession::ProfileWriteSession(std::string fileName, const std::string& initialContents)
    : fileName_(std::move(fileName)) {
    started_ = profiles().beginWriteSession(fileName_, initialContents);
}

ProfileWriteSession::~ProfileWriteSession() {
    if (!started_ || ended_) return;
    try {
        profiles().endWriteSession(fileName_);
    } catch (...) {
        // Only a missing service throws, and then there is no session to end.
    }
}

bool ProfileWriteSession::commit() {
    if (!started_ || ended_) return false;
    ended_ = true;
    return profiles().commitWriteSession(fileName_);
}

std::string ProfileWriteSession::contents() const {
    if (!started_ || ended_) return {};
    return profiles().writeSessionContents(fileName_);
}

}  // namespace platform
