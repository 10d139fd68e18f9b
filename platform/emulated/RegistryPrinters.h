#pragma once
// The installed printers as Windows 9x keeps them: one subkey per printer below
// HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Print\Printers, named after the
// printer's device name and holding its "Printer Driver" and "Port" values. The
// default printer is the "device=" entry of [windows] in win.ini, read through the
// profile functions (so on Windows NT it comes from the registry).

#include <string>
#include <vector>

#include "platform/Printers.h"
#include "platform/ProfileStrings.h"
#include "platform/Registry.h"

namespace platform::emulated {

class RegistryPrinters : public Printers {
  public:
    static constexpr const char* kPrintersKey =
        "System\\CurrentControlSet\\Control\\Print\\Printers";

    RegistryPrinters(Registry& registry, ProfileStrings& profiles)
        : registry_(registry), profiles_(profiles) {}

    // In the registry's subkey order; empty when the key is missing.
    std::vector<InstalledPrinter> installedPrinters() override;
    std::string defaultPrinterEntry() override;

  private:
    std::string textValue(win32::HKEY key, const char* name);

    Registry& registry_;
    ProfileStrings& profiles_;
};

}  // namespace platform::emulated
