#pragma once
// The printers installed on the machine and the system default printer.

#include <string>
#include <vector>

namespace platform {

struct InstalledPrinter {
    std::string deviceName;
    std::string driverName;
    std::string port;
};

class Printers {
public:
    virtual ~Printers() = default;

    virtual std::vector<InstalledPrinter> installedPrinters() = 0;
    // The "device=" entry of [windows]: "name,driver,port", or "" when none is set.
    virtual std::string defaultPrinterEntry() = 0;
};

}  // namespace platform
