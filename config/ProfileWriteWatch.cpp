#include "config/ProfileWriteWatch.h"

ProfileWriteWatch::ProfileWriteWatch() : watched_(platform::profiles()) {
    platform::Services watching = platform::services();
    watching.profiles = this;
    scope_ = std::make_unique<platform::ScopedServices>(watching);
}

ProfileWriteWatch::~ProfileWriteWatch() = default;

bool ProfileWriteWatch::writeFailed() const {
    return writeFailed_;
}

std::string ProfileWriteWatch::GetPrivateProfileStringA(const std::string& section,
                                                        const std::string& key,
                                                        const std::string& defaultValue,
                                                        const std::string& fileName) {
    return watched_.GetPrivateProfileStringA(section, key, defaultValue, fileName);
}

win32::BOOL ProfileWriteWatch::WritePrivateProfileStringA(const std::string& section,
                                                          const std::optional<std::string>& key,
                                                          const std::optional<std::string>& value,
                                                          const std::string& fileName) {
    return noted(watched_.WritePrivateProfileStringA(section, key, value, fileName));
}

std::string ProfileWriteWatch::GetProfileStringA(const std::string& section, const std::string& key,
                                                 const std::string& defaultValue) {
    return watched_.GetProfileStringA(section, key, defaultValue);
}

win32::BOOL ProfileWriteWatch::WriteProfileStringA(const std::string& section,
                                                   const std::optional<std::string>& key,
                                                   const std::optional<std::string>& value) {
    return watched_.WriteProfileStringA(section, key, value);
}

bool ProfileWriteWatch::beginWriteSession(const std::string& fileName,
                                          const std::string& initialContents) {
    return watched_.beginWriteSession(fileName, initialContents);
}

bool ProfileWriteWatch::commitWriteSession(const std::string& fileName) {
    return watched_.commitWriteSession(fileName);
}

void ProfileWriteWatch::endWriteSession(const std::string& fileName) {
    watched_.endWriteSession(fileName);
}

std::string ProfileWriteWatch::writeSessionContents(const std::string& fileName) {
    return watched_.writeSessionContents(fileName);
}

win32::BOOL ProfileWriteWatch::noted(win32::BOOL result) {
    if (!result) writeFailed_ = true;
    return result;
}
