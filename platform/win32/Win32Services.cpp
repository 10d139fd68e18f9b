#include "platform/win32/Win32Services.h"

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Libraries.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Printers.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"

namespace platform::win32impl {

struct Win32System::Parts {
    Win32Registry registry;
    Win32SystemInfo system;
    Win32ProfileStrings profiles;
    Win32FileSystem files;
    Win32Printers printers{profiles};
    Win32Power power{system};
    Win32Shell shell;
    Win32Libraries libraries;
};

Win32System::Win32System() : parts_(std::make_unique<Parts>()) {}
Win32System::~Win32System() = default;

Services Win32System::services() {
    Services services;
    services.registry = &parts_->registry;
    services.system = &parts_->system;
    services.profiles = &parts_->profiles;
    services.files = &parts_->files;
    services.printers = &parts_->printers;
    services.power = &parts_->power;
    services.shell = &parts_->shell;
    services.libraries = &parts_->libraries;
    return services;
}

}  // namespace platform::win32impl
