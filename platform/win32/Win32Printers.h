#pragma once
// The printers the spooler of the running Windows system knows, and its default
// printer as win.ini's [windows] "device=" entry holds it.

#include "platform/Printers.h"
#include "platform/ProfileStrings.h"

namespace platform::win32impl {

class Win32Printers : public Printers {
  public:
    explicit Win32Printers(ProfileStrings& profiles) : profiles_(profiles) {}
    std::vector<InstalledPrinter> installedPrinters() override;
    std::string defaultPrinterEntry() override;

  private:
    ProfileStrings& profiles_;
};

}  // namespace platform::win32impl
