#include "platform/win32/Win32Printers.h"

#include "platform/win32/SystemCalls.h"

namespace platform::win32impl {

std::vector<InstalledPrinter> Win32Printers::installedPrinters() {
    std::vector<InstalledPrinter> installed;
    for (auto& printer : win32sys::printers()) {
        installed.push_back(
            {std::move(printer.name), std::move(printer.driver), std::move(printer.port)});
    }
    return installed;
}

std::string Win32Printers::defaultPrinterEntry() {
    return profiles_.GetProfileStringA("windows", "device", "");
}

}  // namespace platform::win32impl
