#include "network/nic.h"

#include <initializer_list>

#include "platform/AsciiText.h"

namespace {

constexpr const char* kEnumRoot = "\\HKEY_LOCAL_MACHINE\\Enum\\";

// The buses that can carry a network adapter, in the order they are scanned: the
// dial-up adapter under Root comes before the cards.
constexpr std::initializer_list<const char*> kBuses = {"Root", "MF", "PCI", "ISAPNP", "PCMCIA"};

bool isTcpIpBinding(const std::string& bindingName) {
    if (bindingName.size() < 5) return false;
    return platform::upperAscii(bindingName.substr(0, 5)) == "MSTCP";
}

}  // namespace

nic::nic() {
    registry_.SuppressErrors(true);
}

void nic::enumAdapters(KeyedList& cDesc, KeyedList& cKey) {
    for (const char* bus : kBuses) enumBranch(bus, cDesc, cKey);
}

void nic::enumBranch(const std::string& bus, KeyedList& cDesc, KeyedList& cKey) {
    std::size_t n = cDesc.Count();
    const std::string busPath = kEnumRoot + bus;
    registry_.Cd(busPath);
    if (registry_.lastError() != 0) return;
    const auto devices = registry_.DirKey();
    if (!devices) return;

    for (const auto& device : *devices) {
        const std::string devicePath = busPath + '\\' + device;
        registry_.Cd(devicePath);
        const auto instances = registry_.DirKey();
        if (!instances) continue;
        for (const auto& instance : *instances) {
            const std::string instancePath = devicePath + '\\' + instance;
            std::string description;
            std::string driver;
            if (!readAdapter(instancePath, description, driver)) continue;
            const std::string key = "Device " + std::to_string(n);
            cDesc.Add(description, key);
            cKey.Add(driver, key);
            ++n;
        }
    }
}

// Reads the device instance at INSTANCEPATH. True, with its description and the
// "Driver" of its TCP/IP binding, when it is a network adapter bound to TCP/IP.
bool nic::readAdapter(const std::string& instancePath, std::string& description,
                      std::string& driver) {
    registry_.Cd(instancePath);
    const std::string deviceClass = registry_.ValueOf("Class").text;
    if (registry_.lastError() != 0 || deviceClass != "Net") return false;
    description = registry_.ValueOf("DeviceDesc").text;

    registry_.Cd(instancePath + "\\Bindings");
    const auto bindings = registry_.DirValue();
    if (registry_.lastError() != 0 || !bindings) return false;
    const std::string* tcpIpBinding = nullptr;
    for (const auto& name : (*bindings)[0]) {
        if (isTcpIpBinding(name)) {
            tcpIpBinding = &name;
            break;
        }
    }
    if (tcpIpBinding == nullptr) return false;

    registry_.Cd(kEnumRoot + std::string("Network\\") + *tcpIpBinding);
    driver = registry_.ValueOf("Driver").text;
    return registry_.lastError() == 0;
}
