#pragma once
// The platform services the process runs against. A program's entry point installs
// them once (normally from the emulated machine); tests install their own for a scope.
// Core code reaches them through the Win32-shaped functions of platform/Win32.h and the
// accessors below, never through a machine folder.

#include "platform/FileSystem.h"
#include "platform/Libraries.h"
#include "platform/NotificationArea.h"
#include "platform/Power.h"
#include "platform/Printers.h"
#include "platform/Processes.h"
#include "platform/ProfileStrings.h"
#include "platform/Registry.h"
#include "platform/SessionEnd.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "platform/UserInterface.h"

namespace platform {

struct Services {
    Registry* registry = nullptr;
    SystemInfo* system = nullptr;
    ProfileStrings* profiles = nullptr;
    FileSystem* files = nullptr;
    Printers* printers = nullptr;
    Power* power = nullptr;
    Shell* shell = nullptr;
    UserInterface* ui = nullptr;
    NotificationArea* notificationArea = nullptr;
    SessionEnd* session = nullptr;
    Processes* processes = nullptr;
    Libraries* libraries = nullptr;
};

// The installed services.
const Services& services();
void installServices(const Services& services);

// Each accessor throws std::logic_error when its service is not installed.
Registry& registry();
SystemInfo& systemInfo();
ProfileStrings& profiles();
FileSystem& files();
Printers& printers();
Power& power();
Shell& shell();
UserInterface& ui();
NotificationArea& notificationArea();
SessionEnd& sessionEnd();
Processes& processes();
Libraries& libraries();

// Installs services for its lifetime and puts the previous ones back.
class ScopedServices {
public:
    explicit ScopedServices(const Services& replacement);
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    Services saved_;
};

}  // namespace platform
