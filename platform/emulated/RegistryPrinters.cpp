#include "platform/emulated/RegistryPrinters.h"

namespace platform::emulated {

using namespace win32;

namespace {

// Registry key names are at most 255 characters, value texts here far below 64 KB.
constexpr DWORD kNameCapacity = 256;

}  // namespace

std::vector<InstalledPrinter> RegistryPrinters::installedPrinters() {
    std::vector<InstalledPrinter> printers;
    HKEY printersKey = 0;
    if (registry_.RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPrintersKey, 0, KEY_READ, &printersKey) !=
        ERROR_SUCCESS) {
        return printers;
    }
    for (DWORD index = 0;; ++index) {
        char name[kNameCapacity];
        DWORD length = kNameCapacity;
        if (registry_.RegEnumKeyExA(printersKey, index, name, &length, nullptr, nullptr, nullptr,
                                    nullptr) != ERROR_SUCCESS) {
            break;
        }
        InstalledPrinter printer;
        printer.deviceName.assign(name, length);
        HKEY printerKey = 0;
        if (registry_.RegOpenKeyExA(printersKey, printer.deviceName.c_str(), 0, KEY_READ,
                                    &printerKey) == ERROR_SUCCESS) {
            printer.driverName = textValue(printerKey, "Printer Driver");
            printer.port = textValue(printerKey, "Port");
            registry_.RegCloseKey(printerKey);
        }
        printers.push_back(std::move(printer));
    }
    registry_.RegCloseKey(printersKey);
    return printers;
}

std::string RegistryPrinters::textValue(HKEY key, const char* name) {
    std::string data(kNameCapacity, '\0');
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG result = registry_.RegQueryValueExA(key, name, nullptr, &type,
                                                       reinterpret_cast<BYTE*>(data.data()), &size);
        if (result == ERROR_MORE_DATA && size > data.size()) {
            data.resize(size);
            continue;
        }
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return "";
        data.resize(size);
        return data.substr(0, data.find('\0'));
    }
}

std::string RegistryPrinters::defaultPrinterEntry() {
    return profiles_.GetProfileStringA("windows", "device", "");
}

}  // namespace platform::emulated
