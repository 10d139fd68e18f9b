// rmwctl on Windows: the verbs work on the running system itself.

#include <memory>

#include "platform/console/ConsoleUserInterface.h"
#include "platform/win32/Win32Services.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {

const char* machineUsage() {
    return "Works on this Windows system: its registry, win.ini and printers. Registry\n"
           "files are imported and exported with regedit.";
}

void useMachine(Io io) {
    static std::unique_ptr<platform::win32impl::Win32System> system;
    static std::unique_ptr<platform::ConsoleUserInterface> console;
    if (system) return;
    system = std::make_unique<platform::win32impl::Win32System>();
    console = std::make_unique<platform::ConsoleUserInterface>(io.err);
    platform::Services services = system->services();
    services.ui = console.get();
    platform::installServices(services);
}

}  // namespace rmwctl
