#include "network/nic_nt.h"

#include "platform/AsciiText.h"

namespace {

constexpr const char* kCardsRoot =
    "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";

}  // namespace

nic_nt::nic_nt() {
    registry_.SuppressErrors(true);
}

void nic_nt::enumAdapters(KeyedList& cDesc, KeyedList& cKey) {
    enumBranch("NetworkCards", cDesc, cKey);
}

void nic_nt::enumBranch(const std::string& branch, KeyedList& cDesc, KeyedList& cKey) {
    std::size_t n = cDesc.Count();
    const std::string branchPath = kCardsRoot + branch;
    registry_.Cd(branchPath);
    if (registry_.lastError() != 0) return;
    const auto cards = registry_.DirKey();
    if (!cards) return;

    // A card that cannot be listed is skipped; the cards after it are still examined.
    for (const auto& card : *cards) {
        std::string title;
        std::string serviceName;
        if (!readCard(branchPath + '\\' + card, title, serviceName)) continue;
        const std::string key = "Device " + std::to_string(n);
        cDesc.Add(title, key);
        cKey.Add(serviceName, key);
        ++n;
    }
}

// Reads the card at CARDPATH. True, with its title and service name, when it is a
// visible card whose product is installed as a driver.
bool nic_nt::readCard(const std::string& cardPath, std::string& title, std::string& serviceName) {
    registry_.Cd(cardPath);
    if (registry_.lastError() != 0) return false;
    registry_.ValueOf("Hidden");
    if (registry_.lastError() == 0) return false;

    std::string productName;
    std::string manufacturer;
    if (!read("ProductName", productName) || !read("ServiceName", serviceName) ||
        !read("Title", title) || !read("Manufacturer", manufacturer)) {
        return false;
    }

    registry_.Cd("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\" + manufacturer + '\\' + productName +
                 "\\CurrentVersion");
    if (registry_.lastError() != 0) return false;
    std::string softwareType;
    return read("SoftwareType", softwareType) && platform::lowerAscii(softwareType) == "driver";
}

bool nic_nt::read(const std::string& valueName, std::string& text) {
    text = registry_.ValueOf(valueName).text;
    return registry_.lastError() == 0;
}
