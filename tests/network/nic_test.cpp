// Adapter enumeration on Windows 98 (nic) and Windows NT (nic_nt).

#include "network/nic.h"

#include <gtest/gtest.h>

#include <map>

#include "network/KeyedList.h"
#include "network/nic_nt.h"
#include "registry/clsEasyRegistry.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using Values = std::map<std::string, std::string>;

// Creates KEY below HKEY_LOCAL_MACHINE with string VALUES; errors are raised so that a
// test cannot run on a registry it failed to build.
void addKey(const std::string& key, const Values& values = {}) {
    clsEasyRegistry registry;
    registry.Cd("\\HKEY_LOCAL_MACHINE");
    registry.MakeKey(key);
    registry.Cd(key);
    for (const auto& [name, text] : values) registry.ValueOf(name, clsEasyRegistry::STRING, text);
}

// A Plug and Play network device with the given bindings, each binding with a "Driver".
void addDevice(const std::string& instancePath, const std::string& deviceClass,
               const std::string& description, const Values& bindingDrivers) {
    addKey("Enum\\" + instancePath, {{"Class", deviceClass}, {"DeviceDesc", description}});
    Values bindings;
    for (const auto& [binding, driver] : bindingDrivers) {
        bindings[binding] = "";
        if (!driver.empty()) addKey("Enum\\Network\\" + binding, {{"Driver", driver}});
    }
    addKey("Enum\\" + instancePath + "\\Bindings", bindings);
}

std::vector<std::string> entries(const KeyedList& list) {
    std::vector<std::string> all;
    for (std::size_t i = 0; i < list.Count(); ++i) all.push_back(list.Key(i) + "=" + list.Item(i));
    return all;
}

TEST(Nic, FindsTheDialUpAdapterUnderRootBeforeThePciCard) {
    testsupport::TestMachine machine("win98");
    KeyedList descriptions;
    KeyedList keys;
    nic().enumAdapters(descriptions, keys);
    EXPECT_EQ(
        entries(descriptions),
        (std::vector<std::string>{"Device 0=Dial-Up Adapter",
                                  "Device 1=Intel 8255x-based PCI Ethernet Adapter (10/100)"}));
    EXPECT_EQ(entries(keys),
              (std::vector<std::string>{"Device 0=NetTrans\\0000", "Device 1=NetTrans\\0001"}));
}

TEST(Nic, ListsOnlyNetDevicesBoundToTcpIp) {
    testsupport::TestMachine machine("win98");
    // This machine has no ISAPNP bus: the PCMCIA bus after it is still scanned.
    clsEasyRegistry probe;
    probe.SuppressErrors(true);
    probe.Cd("\\HKEY_LOCAL_MACHINE\\Enum\\ISAPNP");
    ASSERT_EQ(probe.lastError(), 2);
    addDevice("PCMCIA\\CARD_A\\1", "Net", "Lower-case binding card",
              {{"mstcp\\0002", "NetTrans\\0003"}});
    addDevice("PCMCIA\\CARD_B\\1", "Net", "IPX only card", {{"NWLINK\\0001", "NetTrans\\0004"}});
    addDevice("PCMCIA\\CARD_C\\1", "net", "Lower-case class card",
              {{"MSTCP\\0005", "NetTrans\\0005"}});
    addDevice("PCMCIA\\CARD_D\\1", "Net", "Binding without driver", {{"MSTCP\\0006", ""}});
    addDevice("PCMCIA\\CARD_E\\1", "Net", "Two bindings card",
              {{"MSTCP\\0007", "NetTrans\\0007"}, {"MSTCP\\0008", "NetTrans\\0008"}});
    addKey("Enum\\PCMCIA\\CARD_F\\1", {{"Class", "Net"}, {"DeviceDesc", "No bindings card"}});
    addKey("Enum\\PCMCIA\\CARD_G");

    KeyedList descriptions;
    KeyedList keys;
    nic().enumAdapters(descriptions, keys);
    EXPECT_EQ(
        entries(descriptions),
        (std::vector<std::string>{
            "Device 0=Dial-Up Adapter", "Device 1=Intel 8255x-based PCI Ethernet Adapter (10/100)",
            "Device 2=Lower-case binding card", "Device 3=Two bindings card"}));
    EXPECT_EQ(entries(keys),
              (std::vector<std::string>{"Device 0=NetTrans\\0000", "Device 1=NetTrans\\0001",
                                        "Device 2=NetTrans\\0003", "Device 3=NetTrans\\0007"}));
}

TEST(Nic, AnAdapterWithoutDescriptionIsListedWithAnEmptyOne) {
    testsupport::TestMachine machine("win98");
    addKey("Enum\\MF\\CHILD0000\\1", {{"Class", "Net"}});
    addKey("Enum\\MF\\CHILD0000\\1\\Bindings", {{"MSTCP\\0009", ""}});
    addKey("Enum\\Network\\MSTCP\\0009", {{"Driver", "NetTrans\\0009"}});
    KeyedList descriptions;
    KeyedList keys;
    nic().enumAdapters(descriptions, keys);
    ASSERT_EQ(descriptions.Count(), 3u);
    EXPECT_EQ(descriptions.Item("Device 1"), "");
    EXPECT_EQ(keys.Item("Device 1"), "NetTrans\\0009");
}

TEST(Nic, NumbersOnFromWhatTheListsHold) {
    testsupport::TestMachine machine("win98");
    KeyedList descriptions;
    KeyedList keys;
    descriptions.Add("first", "Device 0");
    descriptions.Add("second", "Device 1");
    keys.Add("k0", "Device 0");
    keys.Add("k1", "Device 1");
    nic().enumAdapters(descriptions, keys);
    ASSERT_EQ(descriptions.Count(), 4u);
    EXPECT_EQ(descriptions.Item("Device 2"), "Dial-Up Adapter");
    EXPECT_EQ(keys.Item("Device 3"), "NetTrans\\0001");
}

TEST(Nic, AMachineWithoutDeviceTreeLeavesTheListsAlone) {
    testsupport::TestMachine machine("nt4");
    KeyedList descriptions;
    KeyedList keys;
    nic().enumAdapters(descriptions, keys);
    EXPECT_TRUE(descriptions.empty());
    EXPECT_TRUE(keys.empty());
}

constexpr const char* kCards = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";

void addCard(const std::string& number, const Values& values) {
    addKey(kCards + number, values);
}

Values cardValues(const std::string& product, const std::string& service,
                  const std::string& manufacturer = "3Com") {
    return {{"ProductName", product},
            {"ServiceName", service},
            {"Title", "[" + service + "] " + product},
            {"Manufacturer", manufacturer}};
}

TEST(NicNt, FindsTheInstalledCard) {
    testsupport::TestMachine machine("nt4");
    KeyedList descriptions;
    KeyedList keys;
    nic_nt().enumAdapters(descriptions, keys);
    EXPECT_EQ(entries(descriptions),
              (std::vector<std::string>{"Device 0=[1] 3Com Fast EtherLink XL Adapter (3C905)"}));
    EXPECT_EQ(entries(keys), (std::vector<std::string>{"Device 0=El90x1"}));
}

TEST(NicNt, SkipsCardsThatCannotBeListedAndGoesOn) {
    testsupport::TestMachine machine("nt4");
    Values hidden = cardValues("El90x", "Hidden1");
    hidden["Hidden"] = "";
    addCard("2", hidden);
    addCard("3", cardValues("NoSuchProduct", "Orphan1"));
    Values untitled = cardValues("El90x", "Untitled1");
    untitled.erase("Title");
    addCard("4", untitled);
    addKey("SOFTWARE\\Acme\\Transport\\CurrentVersion", {{"SoftwareType", "transport"}});
    addCard("5", cardValues("Transport", "Acme1", "Acme"));
    addKey("SOFTWARE\\Acme\\Netcard\\CurrentVersion", {{"SoftwareType", "DRIVER"}});
    addCard("6", cardValues("Netcard", "Acme2", "Acme"));
    addKey("SOFTWARE\\Acme\\Untyped\\CurrentVersion");
    addCard("7", cardValues("Untyped", "Acme3", "Acme"));

    KeyedList descriptions;
    KeyedList keys;
    nic_nt().enumAdapters(descriptions, keys);
    EXPECT_EQ(entries(descriptions),
              (std::vector<std::string>{"Device 0=[1] 3Com Fast EtherLink XL Adapter (3C905)",
                                        "Device 1=[Acme2] Netcard"}));
    EXPECT_EQ(entries(keys), (std::vector<std::string>{"Device 0=El90x1", "Device 1=Acme2"}));
}

// Refuses to open one network card's key, as a registry with restricted rights would.
class CardDenyingRegistry : public testsupport::RecordingRegistry {
  public:
    using RecordingRegistry::RecordingRegistry;
    win32::LONG RegOpenKeyExA(win32::HKEY hKey, const char* lpSubKey, win32::DWORD ulOptions,
                              win32::REGSAM samDesired, win32::HKEY* phkResult) override {
        const std::string path = lpSubKey ? normalisedPath(lpSubKey) : "";
        if (path.ends_with("NETWORKCARDS\\2")) {
            *phkResult = 0;
            return win32::ERROR_ACCESS_DENIED;
        }
        return RecordingRegistry::RegOpenKeyExA(hKey, lpSubKey, ulOptions, samDesired, phkResult);
    }
};

TEST(NicNt, SkipsACardWhoseKeyCannotBeOpenedAndGoesOn) {
    testsupport::TestMachine machine("nt4");
    addCard("2", cardValues("El90x", "Denied1"));
    addCard("3", cardValues("El90x", "El90x2"));
    CardDenyingRegistry denying(*machine.services().registry);
    platform::Services services = machine.services();
    services.registry = &denying;
    machine.install(services);

    KeyedList descriptions;
    KeyedList keys;
    nic_nt().enumAdapters(descriptions, keys);
    EXPECT_EQ(entries(keys), (std::vector<std::string>{"Device 0=El90x1", "Device 1=El90x2"}));
}

TEST(NicNt, NumbersOnFromWhatTheListsHold) {
    testsupport::TestMachine machine("nt4");
    KeyedList descriptions;
    KeyedList keys;
    nic_nt().enumAdapters(descriptions, keys);
    nic_nt().enumAdapters(descriptions, keys);
    EXPECT_EQ(entries(keys), (std::vector<std::string>{"Device 0=El90x1", "Device 1=El90x1"}));
}

TEST(NicNt, AMachineWithoutNetworkCardsLeavesTheListsAlone) {
    testsupport::TestMachine machine("win98");
    KeyedList descriptions;
    KeyedList keys;
    nic_nt().enumAdapters(descriptions, keys);
    EXPECT_TRUE(descriptions.empty());
    EXPECT_TRUE(keys.empty());
}

}  // namespace
