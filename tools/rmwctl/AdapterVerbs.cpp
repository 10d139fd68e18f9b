// rmwctl adapters: the network adapters carrying TCP/IP, as Roamwise finds them.

#include "network/KeyedList.h"
#include "network/nic.h"
#include "network/nic_nt.h"
#include "platform/Win32.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

bool runsWindowsNT() {
    win32::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    if (!win32::GetVersionExA(&info)) throw Failure("the machine does not tell its version");
    return info.dwPlatformId == win32::VER_PLATFORM_WIN32_NT;
}

int adaptersVerb(const std::vector<std::string>& args, Io io) {
    if (!args.empty()) throw UsageError("adapters takes no arguments");
    useMachine(io);
    KeyedList descriptions;
    KeyedList settingsKeys;
    if (runsWindowsNT()) {
        nic_nt().enumAdapters(descriptions, settingsKeys);
    } else {
        nic().enumAdapters(descriptions, settingsKeys);
    }
    for (std::size_t i = 0; i < descriptions.Count(); ++i) {
        io.out << descriptions.Key(i) << "\t" << descriptions.Item(i) << "\t"
               << settingsKeys.Item(i) << "\n";
    }
    return 0;
}

const VerbRegistration registration(
    "adapters",
    "adapters                          list the adapters carrying TCP/IP:\n"
    "                                  DEVICE<tab>DESCRIPTION<tab>SETTINGS KEY per line",
    adaptersVerb);

}  // namespace
}  // namespace rmwctl
