#include "platform/Services.h"

#include <stdexcept>

namespace platform {
namespace {

Services& installed() {
    static Services current;
    return current;
}

template <typename T>
T& require(T* service, const char* name) {
    if (service == nullptr) {
        throw std::logic_error(std::string("platform service not installed: ") + name);
    }
    return *service;
}

}  // namespace

const Services& services() { return installed(); }
void installServices(const Services& replacement) { installed() = replacement; }

Registry& registry() { return require(installed().registry, "registry"); }
SystemInfo& systemInfo() { return require(installed().system, "system information"); }
ProfileStrings& profiles() { return require(installed().profiles, "profile strings"); }
FileSystem& files() { return require(installed().files, "file system"); }
Printers& printers() { return require(installed().printers, "printers"); }
Power& power() { return require(installed().power, "power"); }
Shell& shell() { return require(installed().shell, "shell"); }
UserInterface& ui() { return require(installed().ui, "user interface"); }
NotificationArea& notificationArea() {
    return require(installed().notificationArea, "notification area");
}
SessionEnd& sessionEnd() { return require(installed().session, "session end"); }
Processes& processes() { return require(installed().processes, "processes"); }
Libraries& libraries() { return require(installed().libraries, "libraries"); }

ScopedServices::ScopedServices(const Services& replacement) : saved_(installed()) {
    installed() = replacement;
}
ScopedServices::~ScopedServices() { installed() = saved_; }

}  // namespace platform
