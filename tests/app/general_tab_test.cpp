// The General tab against the real network backends of the win98 laptop (a dial-up
// adapter with DHCP, an Ethernet card with a static address and WINS) and the nt4
// workstation (one static card with WINS): filling, what an opened file marks changed,
// the handlers, the enable rules, the address checks and the adapter switch.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/logic/dialogs/frmNICWarning.h"
#include "app/logic/main/GeneralTab.h"
#include "network/netConfig95.h"
#include "network/netConfigNT.h"
#include "platform/RaisedError.h"
#include "settings/SettingsStore.h"
#include "tests/app/FieldInput.h"
#include "tests/app/RecordingTabHost.h"
#include "tests/network/NetworkTestSupport.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using testing::ElementsAre;
using testing::IsEmpty;
using testsupport::takesInput;
using Strings = std::vector<std::string>;

const Strings kWin98Adapters = {"Dial-Up Adapter",
                                "Intel 8255x-based PCI Ethernet Adapter (10/100)"};
const std::string kNTCards =
    nettest::kHklm + "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";

// The window, also noting whether it was initializing at each report.
class StatusLog : public testsupport::RecordingTabHost {
  public:
    void updateStatus(std::int16_t iMode) override {
        RecordingTabHost::updateStatus(iMode);
        whileInitializing.push_back(initializing());
    }
    void clear() {
        modes.clear();
        whileInitializing.clear();
    }
    std::vector<bool> whileInitializing;
};

// The names of the settings the backend has marked changed, in flag order.
Strings changedSettings(const netConfig& net) {
    static const Strings names = {"DomainName",     "Host",         "LMHostFile",  "DNSServers",
                                  "WINSServer1",    "WINSServer2",  "ScopeID",     "SearchList",
                                  "DNSEnabled",     "ComputerName", "Workgroup",   "WINSEnabled",
                                  "NTLogonEnabled", "NTDomain",     "DHCPEnabled", "DefaultPrinter",
                                  "DefaultGateway", "IPAddress",    "IPMask"};
    Strings changed;
    for (std::size_t i = 0; i < netConfig::FlagCount; ++i)
        if (net.isChanged(static_cast<netConfig::Flag>(i))) changed.push_back(names[i]);
    return changed;
}

// A property of the backend as the tab shows it: a text, or "1"/"0" for a flag.
std::string propertyText(const netConfig& net, const std::string& name) {
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    const auto adapters = net.AdapterList();
    const std::map<std::string, std::string> values = {
        {"CurrentAdapter",
         adapters ? adapters->at(static_cast<std::size_t>(net.CurrentAdapter())) : "<no adapters>"},
        {"Host", net.Host()},
        {"DomainName", net.DomainName()},
        {"IPAddress", net.IPAddress()},
        {"IPMask", net.IPMask()},
        {"DefaultGateway", net.DefaultGateway()},
        {"DNSEnabled", flag(net.DNSEnabled())},
        {"DNSServers", net.DNSServers()},
        {"SearchList", net.SearchList()},
        {"WINSEnabled", flag(net.WINSEnabled())},
        {"DHCPEnabled", flag(net.DHCPEnabled())},
        {"WINSServer1", net.WINSServer1()},
        {"WINSServer2", net.WINSServer2()},
        {"ScopeID", net.ScopeID()},
        {"NTLogonEnabled", flag(net.NTLogonEnabled())},
        {"NTDomain", net.NTDomain()},
        {"ComputerName", net.ComputerName()},
        {"Workgroup", net.Workgroup()},
        {"DefaultPrinter", net.DefaultPrinter()},
    };
    const auto found = values.find(name);
    return found == values.end() ? "<no property " + name + ">" : found->second;
}

// The property CONTROL is bound to.
std::string boundProperty(const GeneralTab& tab, const forms::Control& control) {
    for (const Binding& binding : tab.bindings())
        if (binding.control == &control) return binding.property;
    return "<unbound " + control.Name() + ">";
}

std::unique_ptr<netConfig> backendFor(const std::string& templateName) {
    if (templateName == "nt4") return std::make_unique<netConfigNT>();
    return std::make_unique<netConfig95>();
}

// A machine, its network backend and the tab in a stand-in window.
class Rig {
  public:
    explicit Rig(const std::string& templateName)
        : machine(templateName), net(backendFor(templateName)) {
        tab.attach(net.get());
    }

    // As the window does at start-up: the machine's values, filled while initializing.
    void startUp() {
        net->loadConfiguration();
        window.initializing(true);
        tab.initializeNICControls();
        window.initializing(false);
        window.clear();
    }

    // As opening a file does, once the file's values are in the backend.
    void showOpenedFile() {
        window.Caption("office - Roamwise");
        window.initializing(false);
        window.loadingFile(true);
        tab.initializeNICControls();
        window.loadingFile(false);
    }

    testsupport::ScriptedUserInterface& ui() { return machine.ui(); }

    testsupport::TestMachine machine;
    std::unique_ptr<netConfig> net;
    StatusLog window;
    GeneralTab tab{window, window};
};

// A second NT card (service Card2) whose address comes from DHCP.
void addDhcpCard() {
    using namespace nettest;
    makeKey(kNTCards, "2");
    writeText(kNTCards + "\\2", "Title", "[2] Xircom CreditCard Ethernet");
    writeText(kNTCards + "\\2", "ServiceName", "Card2");
    writeText(kNTCards + "\\2", "ProductName", "El90x");
    writeText(kNTCards + "\\2", "Manufacturer", "3Com");
    const std::string services = kHklm + "SYSTEM\\CurrentControlSet\\Services";
    makeKey(services, "Card2\\Parameters\\Tcpip");
    makeKey(services, "NetBT\\Adapters\\Card2");
    const std::string card = services + "\\Card2\\Parameters\\Tcpip";
    writeMultiString(card, "IPAddress", std::string("172.16.0.5\0\0", 12));
    writeMultiString(card, "SubnetMask", std::string("255.255.0.0\0\0", 13));
    writeDword(card, "EnableDHCP", 1);
}

// ---- The controls ----------------------------------------------------------------

TEST(GeneralTab, ControlsCarryTheirNamesTextsAndLimits) {
    testsupport::RecordingTabHost window;
    GeneralTab tab(window, window);

    EXPECT_EQ(window.find("txtIP"), &tab.txtIP);
    EXPECT_EQ(window.find("lblWorkgroup"), &tab.lblWorkgroup);
    EXPECT_EQ(tab.fraNetwork.Caption(), "Network Adapter Settings");
    EXPECT_EQ(tab.fraPrinter.Caption(), "Printer Settings");
    EXPECT_EQ(tab.lblHost.Caption(), "Host:");
    EXPECT_EQ(tab.lblNTDomain.Caption(), "NT Domain:");
    EXPECT_EQ(tab.lblWINSServers.Caption(), "WINS Servers:");
    EXPECT_EQ(tab.chkDHCPEnabled.Caption(), "DH&CP Enabled");
    EXPECT_EQ(tab.txtGateway.ToolTipText(),
              "Enter your gateway servers separated by commas (e.g. "
              "192.168.101.1,192.168.101.2)");
    EXPECT_EQ(tab.cmbDefPrinter.ToolTipText(), "Select your default printer");

    tab.txtComputerName.type("ABCDEFGHIJKLMNOPQRST");
    tab.txtWorkGroup.type("WORKGROUP-OF-TWENTY!");
    EXPECT_EQ(tab.txtComputerName.Text(), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(tab.txtWorkGroup.Text(), "WORKGROUP-OF-TW");
    EXPECT_EQ(tab.txtIP.MaxLength(), 15u);
    EXPECT_EQ(tab.txtMask.MaxLength(), 15u);
    EXPECT_EQ(tab.txtGateway.MaxLength(), 0u);
}

// ---- Filling ---------------------------------------------------------------------

TEST(GeneralTab, StartUpShowsTheMachineAndEveryBindingMatchesItsProperty) {
    Rig rig("nt4");
    rig.startUp();
    GeneralTab& tab = rig.tab;

    EXPECT_THAT(tab.cmbNIC.items(), ElementsAre("[1] 3Com Fast EtherLink XL Adapter (3C905)"));
    EXPECT_TRUE(tab.cmbNIC.Enabled());
    EXPECT_TRUE(tab.adaptersPresent());
    EXPECT_EQ(tab.txtIP.Text(), "10.20.1.57");
    EXPECT_EQ(tab.cmbDefPrinter.Text(), "HP LaserJet 5Si");
    EXPECT_EQ(tab.cmbDefPrinter.ListCount(), 2);
    EXPECT_FALSE(rig.window.initializing());

    const auto bindings = tab.bindings();
    EXPECT_EQ(bindings.size(), 19u);
    for (const Binding& binding : bindings) {
        EXPECT_EQ(&binding.control->owner(), &rig.window);
        EXPECT_EQ(controlValue(*binding.control), propertyText(*rig.net, binding.property))
            << binding.property;
    }
}

TEST(GeneralTab, TheDialUpAdapterShowsAnEmptyAddressAndMask) {
    Rig rig("win98");
    rig.startUp();

    EXPECT_THAT(rig.tab.cmbNIC.items(), testing::ElementsAreArray(kWin98Adapters));
    EXPECT_EQ(rig.tab.cmbNIC.ListIndex(), 0);
    EXPECT_EQ(rig.tab.txtIP.Text(), "");
    EXPECT_EQ(rig.net->IPAddress(), "");
    EXPECT_EQ(rig.tab.txtMask.Text(), "");
    EXPECT_EQ(rig.net->IPMask(), "");
    EXPECT_TRUE(rig.tab.chkDHCPEnabled.checked());
    EXPECT_EQ(rig.tab.cmbDefPrinter.Text(), "HP LaserJet 4000 Series PCL");
}

TEST(GeneralTab, FillingWhileInitializingReportsChangesForTheWindowToIgnore) {
    Rig rig("win98");
    rig.net->loadConfiguration();
    rig.window.initializing(true);
    rig.tab.initializeNICControls();

    // A fresh tab differs everywhere; the window decides what to show.
    EXPECT_THAT(rig.window.modes, testing::Contains(kUnsavedChange));
    EXPECT_THAT(rig.window.modes, testing::Contains(kUnsavedChangeNeedingRestart));
    EXPECT_FALSE(rig.window.initializing());
    EXPECT_THAT(rig.ui().formsShown(), IsEmpty());
}

TEST(GeneralTab, RefillingTheSameValuesMarksNothing) {
    Rig rig("nt4");
    rig.startUp();
    rig.window.initializing(true);
    rig.tab.initializeNICControls();

    EXPECT_THAT(rig.window.modes, IsEmpty());
    EXPECT_THAT(changedSettings(*rig.net), IsEmpty());
}

// The dial-up adapter has no address: a file saved from it holds "0.0.0.0", which the
// tab shows as the empty text it already shows.
TEST(GeneralTab, AnOpenedFileWithoutAnAddressMarksNothing) {
    Rig rig("win98");
    rig.startUp();
    rig.net->IPAddress("0.0.0.0");
    rig.net->IPMask("0.0.0.0");
    rig.showOpenedFile();

    EXPECT_THAT(rig.window.modes, IsEmpty());
    EXPECT_THAT(changedSettings(*rig.net), IsEmpty());
    EXPECT_EQ(rig.net->IPAddress(), "");
    EXPECT_EQ(rig.net->IPMask(), "");
}

TEST(GeneralTab, AnOpenedFileMarksExactlyTheValuesThatDifferFromTheShownOnes) {
    Rig rig("nt4");
    rig.startUp();
    // The file's values, as loading it puts them into the backend.
    rig.net->Host("hlws-office");
    rig.net->IPAddress("10.20.1.99");
    rig.net->WINSServer2("10.20.0.14");
    rig.showOpenedFile();

    EXPECT_THAT(rig.window.modes,
                ElementsAre(kUnsavedChange, kUnsavedChangeNeedingRestart, kUnsavedChange));
    EXPECT_THAT(changedSettings(*rig.net), ElementsAre("Host", "WINSServer2", "IPAddress"));
    // The file's values stay; the adapter is not read again.
    EXPECT_EQ(rig.net->IPAddress(), "10.20.1.99");
    EXPECT_EQ(rig.tab.txtIP.Text(), "10.20.1.99");
    EXPECT_FALSE(rig.window.initializing());
    EXPECT_THAT(rig.ui().formsShown(), IsEmpty());
}

TEST(GeneralTab, AFileOfTheOtherAdapterKeepsItsWinsAndDhcpSettings) {
    Rig rig("win98");
    rig.startUp();  // the dial-up adapter: DHCP on, WINS off
    // A file saved on the Ethernet card: WINS on, DHCP off.
    rig.net->CurrentAdapterNoRefresh(1);
    rig.net->IPAddress("192.168.10.47");
    rig.net->IPMask("255.255.255.0");
    rig.net->WINSEnabled(true);
    rig.net->WINSServer1("192.168.10.5");
    rig.net->DHCPEnabled(false);
    rig.showOpenedFile();

    EXPECT_EQ(rig.tab.cmbNIC.ListIndex(), 1);
    EXPECT_TRUE(rig.net->WINSEnabled());
    EXPECT_FALSE(rig.net->DHCPEnabled());
    EXPECT_TRUE(rig.tab.chkWINSEnabled.checked());
    EXPECT_FALSE(rig.tab.chkDHCPEnabled.checked());
    EXPECT_TRUE(takesInput(rig.tab.txtIP));
    EXPECT_TRUE(takesInput(rig.tab.txtWINSServer1));
    EXPECT_THAT(changedSettings(*rig.net), testing::IsSupersetOf({"WINSEnabled", "DHCPEnabled"}));

    // And back: a dial-up file shown over the Ethernet card keeps DHCP on.
    rig.net->CurrentAdapterNoRefresh(0);
    rig.net->IPAddress("");
    rig.net->IPMask("");
    rig.net->WINSEnabled(false);
    rig.net->DHCPEnabled(true);
    rig.showOpenedFile();

    EXPECT_TRUE(rig.net->DHCPEnabled());
    EXPECT_FALSE(rig.net->WINSEnabled());
    EXPECT_TRUE(rig.tab.chkDHCPEnabled.checked());
    EXPECT_FALSE(takesInput(rig.tab.txtIP));
}

TEST(GeneralTab, AFileOfAnotherAdapterMarksAllItsAddressSettingsEvenWhereTheyLookTheSame) {
    Rig rig("win98");
    rig.startUp();  // the dial-up adapter: DHCP on, WINS off, no address
    // A file naming the Ethernet card with the dial-up adapter's values: no field changes,
    // yet applying must put those values on the card.
    rig.net->CurrentAdapterNoRefresh(1);
    rig.net->IPAddress("");
    rig.net->IPMask("");
    rig.net->DefaultGateway(rig.tab.txtGateway.Text());
    rig.net->WINSEnabled(false);
    rig.net->DHCPEnabled(true);
    rig.net->resetFlags();
    rig.showOpenedFile();

    EXPECT_EQ(rig.tab.cmbNIC.ListIndex(), 1);
    EXPECT_THAT(changedSettings(*rig.net),
                testing::IsSupersetOf({"IPAddress", "IPMask", "DefaultGateway", "WINSEnabled",
                                       "WINSServer1", "WINSServer2", "ScopeID", "DHCPEnabled"}));
    EXPECT_THAT(rig.window.modes, testing::Contains(kUnsavedChangeNeedingRestart));
    EXPECT_TRUE(rig.net->DHCPEnabled());
    EXPECT_FALSE(rig.net->WINSEnabled());

    // Opening a file of the adapter already shown marks only what differs.
    rig.net->resetFlags();
    rig.window.clear();
    rig.showOpenedFile();
    EXPECT_THAT(changedSettings(*rig.net), IsEmpty());
    EXPECT_THAT(rig.window.modes, IsEmpty());
}

TEST(GeneralTab, APrinterThatIsNotInstalledKeepsItsNameUntilOneIsChosen) {
    Rig rig("win98");
    rig.startUp();
    rig.net->DefaultPrinter("Printer Elsewhere");
    rig.showOpenedFile();

    EXPECT_EQ(rig.tab.cmbDefPrinter.ListIndex(), -1);
    EXPECT_EQ(rig.tab.cmbDefPrinter.ListCount(), 2);
    EXPECT_EQ(rig.net->DefaultPrinter(), "Printer Elsewhere");
    EXPECT_THAT(rig.window.modes, IsEmpty());

    rig.tab.cmbDefPrinter.selectText("Epson Stylus COLOR 740");
    EXPECT_THAT(rig.window.modes, ElementsAre(kUnsavedChange));
    EXPECT_EQ(rig.net->DefaultPrinter(), "Epson Stylus COLOR 740");
    EXPECT_THAT(changedSettings(*rig.net), ElementsAre("DefaultPrinter"));
}

TEST(GeneralTab, ABackendWithoutAdaptersOrPrintersShowsPlaceholders) {
    Rig rig("win98");
    // Never loaded: no adapter or printer list yet.
    rig.window.initializing(true);
    rig.tab.initializeNICControls();

    EXPECT_THAT(rig.tab.cmbNIC.items(), ElementsAre("No Adapters Installed"));
    EXPECT_EQ(rig.tab.cmbNIC.ListIndex(), 0);
    EXPECT_FALSE(rig.tab.cmbNIC.Enabled());
    EXPECT_FALSE(rig.tab.adaptersPresent());
    EXPECT_THAT(rig.tab.cmbDefPrinter.items(), ElementsAre("No Printers Installed"));
    EXPECT_EQ(rig.tab.cmbDefPrinter.ListIndex(), 0);
    EXPECT_FALSE(rig.tab.cmbDefPrinter.Enabled());
    EXPECT_FALSE(rig.net->isChanged(netConfig::Flag::DefaultPrinter));
}

// ---- Enabled states ----------------------------------------------------------------

TEST(GeneralTab, WithoutAdaptersOnlyTheNamesTakeInput) {
    Rig rig("nt4");
    nettest::writeDword(kNTCards + "\\1", "Hidden", 1);  // the only card is hidden
    rig.startUp();
    GeneralTab& tab = rig.tab;

    EXPECT_THAT(tab.cmbNIC.items(), ElementsAre("No Adapters Installed"));
    EXPECT_FALSE(tab.cmbNIC.Enabled());
    EXPECT_FALSE(tab.adaptersPresent());
    for (forms::TextBox* field :
         {&tab.txtHost, &tab.txtDomain, &tab.txtIP, &tab.txtMask, &tab.txtGateway,
          &tab.txtDNSServers, &tab.txtDNSOrder, &tab.txtWINSServer1, &tab.txtWINSServer2,
          &tab.txtWINSScopeID, &tab.txtNTDomain, &tab.txtWorkGroup}) {
        EXPECT_FALSE(takesInput(*field)) << field->Name();
    }
    for (forms::CheckBox* box :
         {&tab.chkDNSEnabled, &tab.chkWINSEnabled, &tab.chkDHCPEnabled, &tab.chkLogonToNT}) {
        EXPECT_FALSE(box->Enabled()) << box->Name();
    }
    EXPECT_TRUE(takesInput(tab.txtComputerName));
}

TEST(GeneralTab, WorkgroupAndDomainLogonAreOfferedOnWindows95Only) {
    Rig nt("nt4");
    nt.startUp();
    EXPECT_FALSE(nt.tab.chkLogonToNT.Enabled());
    EXPECT_FALSE(takesInput(nt.tab.txtWorkGroup));
    EXPECT_FALSE(nt.tab.lblWorkgroup.Enabled());
    EXPECT_FALSE(nt.tab.lblNTDomain.Enabled());
    EXPECT_FALSE(takesInput(nt.tab.txtNTDomain));  // the logon box is clear on NT
    EXPECT_TRUE(takesInput(nt.tab.txtComputerName));
    EXPECT_TRUE(takesInput(nt.tab.txtWINSServer1));
    EXPECT_FALSE(nt.tab.chkDHCPEnabled.Enabled());  // WINS is on
}

TEST(GeneralTab, Windows95OffersWorkgroupAndLogonAndFollowsTheBoxes) {
    Rig rig("win98");
    rig.startUp();
    GeneralTab& tab = rig.tab;
    EXPECT_TRUE(tab.chkLogonToNT.Enabled());
    EXPECT_TRUE(takesInput(tab.txtWorkGroup));
    EXPECT_TRUE(tab.lblWorkgroup.Enabled());
    EXPECT_TRUE(tab.lblNTDomain.Enabled());
    EXPECT_TRUE(takesInput(tab.txtNTDomain));
    EXPECT_FALSE(takesInput(tab.txtIP));  // DHCP on the dial-up adapter
    EXPECT_FALSE(tab.chkWINSEnabled.Enabled());
    EXPECT_FALSE(takesInput(tab.txtWINSServer1));

    tab.chkLogonToNT.click();
    EXPECT_FALSE(takesInput(tab.txtNTDomain));
    EXPECT_FALSE(rig.net->NTLogonEnabled());
    tab.chkDNSEnabled.click();
    EXPECT_FALSE(takesInput(tab.txtDNSServers));
    EXPECT_FALSE(takesInput(tab.txtDNSOrder));
    EXPECT_FALSE(rig.net->DNSEnabled());
    EXPECT_THAT(rig.window.modes, ElementsAre(kUnsavedChangeNeedingRestart, kUnsavedChange));
}

TEST(GeneralTab, WinsAndDhcpSwitchEachOtherOffAndTheirFieldsFollow) {
    Rig rig("win98");
    rig.startUp();
    GeneralTab& tab = rig.tab;
    tab.cmbNIC.ListIndex(1);  // the Ethernet card: static, WINS on
    EXPECT_FALSE(tab.chkDHCPEnabled.Enabled());
    rig.window.clear();

    tab.chkWINSEnabled.click();
    EXPECT_FALSE(rig.net->WINSEnabled());
    EXPECT_FALSE(rig.net->DHCPEnabled());
    EXPECT_TRUE(tab.chkDHCPEnabled.Enabled());
    EXPECT_FALSE(takesInput(tab.txtWINSServer1));
    EXPECT_FALSE(takesInput(tab.txtWINSScopeID));

    tab.chkDHCPEnabled.click();
    EXPECT_TRUE(rig.net->DHCPEnabled());
    EXPECT_FALSE(rig.net->WINSEnabled());
    EXPECT_FALSE(tab.chkWINSEnabled.Enabled());
    EXPECT_FALSE(takesInput(tab.txtIP));
    EXPECT_FALSE(takesInput(tab.txtMask));
    EXPECT_FALSE(takesInput(tab.txtGateway));
    // Windows 95/98 keeps showing the addresses.
    EXPECT_EQ(tab.txtIP.Text(), "192.168.10.47");
    EXPECT_EQ(rig.net->IPAddress(), "192.168.10.47");

    tab.chkDHCPEnabled.click();
    EXPECT_FALSE(rig.net->DHCPEnabled());
    EXPECT_TRUE(takesInput(tab.txtIP));
    EXPECT_TRUE(tab.chkWINSEnabled.Enabled());
    tab.chkWINSEnabled.click();
    EXPECT_TRUE(rig.net->WINSEnabled());
    EXPECT_FALSE(rig.net->DHCPEnabled());
    EXPECT_THAT(rig.window.modes, testing::Each(kUnsavedChangeNeedingRestart));
    EXPECT_EQ(rig.window.modes.size(), 4u);
}

TEST(GeneralTab, DhcpOnWindowsNTEmptiesTheAddressesAndBringsThemBack) {
    Rig rig("nt4");
    rig.startUp();
    GeneralTab& tab = rig.tab;
    tab.chkWINSEnabled.click();

    tab.chkDHCPEnabled.click();
    for (forms::TextBox* field : {&tab.txtIP, &tab.txtMask, &tab.txtGateway}) {
        EXPECT_EQ(field->Text(), "") << field->Name();
        EXPECT_FALSE(takesInput(*field)) << field->Name();
    }
    EXPECT_EQ(rig.net->IPAddress(), "");
    EXPECT_EQ(rig.net->IPMask(), "");
    EXPECT_EQ(rig.net->DefaultGateway(), "");

    tab.chkDHCPEnabled.click();
    EXPECT_EQ(tab.txtIP.Text(), "10.20.1.57");
    EXPECT_EQ(tab.txtMask.Text(), "255.255.0.0");
    EXPECT_EQ(tab.txtGateway.Text(), "10.20.0.1");
    EXPECT_EQ(rig.net->IPAddress(), "10.20.1.57");
    EXPECT_EQ(rig.net->IPMask(), "255.255.0.0");
    EXPECT_EQ(rig.net->DefaultGateway(), "10.20.0.1");
    EXPECT_TRUE(takesInput(tab.txtIP));
}

TEST(GeneralTab, DhcpOnWindowsNTNeverPutsAnotherAdaptersAddressesBack) {
    Rig rig("nt4");
    addDhcpCard();
    rig.startUp();
    GeneralTab& tab = rig.tab;

    tab.cmbNIC.ListIndex(1);  // DHCP: its addresses are taken out of the fields
    EXPECT_TRUE(tab.chkDHCPEnabled.checked());
    EXPECT_EQ(tab.txtIP.Text(), "");
    tab.cmbNIC.ListIndex(0);  // static again: its own addresses stay
    EXPECT_FALSE(tab.chkDHCPEnabled.checked());
    EXPECT_EQ(tab.txtIP.Text(), "10.20.1.57");
    EXPECT_EQ(tab.txtMask.Text(), "255.255.0.0");
    EXPECT_EQ(rig.net->IPAddress(), "10.20.1.57");
    EXPECT_TRUE(takesInput(tab.txtIP));
}

// ---- Handlers ----------------------------------------------------------------------

TEST(GeneralTab, EveryFieldWritesItsPropertyAndReportsItsMode) {
    Rig rig("win98");
    rig.startUp();
    GeneralTab& tab = rig.tab;
    tab.cmbNIC.ListIndex(1);
    netConfig& net = *rig.net;
    struct Case {
        forms::TextBox* field;
        std::int16_t mode;
        std::function<std::string()> property;
        netConfig::Flag flag;
    };
    const std::vector<Case> cases = {
        {&tab.txtHost, kUnsavedChange, [&] { return net.Host(); }, netConfig::Flag::Host},
        {&tab.txtDomain, kUnsavedChange, [&] { return net.DomainName(); },
         netConfig::Flag::DomainName},
        {&tab.txtIP, kUnsavedChangeNeedingRestart, [&] { return net.IPAddress(); },
         netConfig::Flag::IPAddress},
        {&tab.txtMask, kUnsavedChangeNeedingRestart, [&] { return net.IPMask(); },
         netConfig::Flag::IPMask},
        {&tab.txtGateway, kUnsavedChangeNeedingRestart, [&] { return net.DefaultGateway(); },
         netConfig::Flag::DefaultGateway},
        {&tab.txtDNSServers, kUnsavedChange, [&] { return net.DNSServers(); },
         netConfig::Flag::DNSServers},
        {&tab.txtDNSOrder, kUnsavedChange, [&] { return net.SearchList(); },
         netConfig::Flag::SearchList},
        {&tab.txtWINSServer1, kUnsavedChange, [&] { return net.WINSServer1(); },
         netConfig::Flag::WINSServer1},
        {&tab.txtWINSServer2, kUnsavedChange, [&] { return net.WINSServer2(); },
         netConfig::Flag::WINSServer2},
        {&tab.txtWINSScopeID, kUnsavedChange, [&] { return net.ScopeID(); },
         netConfig::Flag::ScopeID},
        {&tab.txtNTDomain, kUnsavedChangeNeedingRestart, [&] { return net.NTDomain(); },
         netConfig::Flag::NTDomain},
        {&tab.txtComputerName, kUnsavedChangeNeedingRestart, [&] { return net.ComputerName(); },
         netConfig::Flag::ComputerName},
        {&tab.txtWorkGroup, kUnsavedChangeNeedingRestart, [&] { return net.Workgroup(); },
         netConfig::Flag::Workgroup},
    };
    for (const Case& c : cases) {
        rig.window.clear();
        net.resetFlags();
        c.field->type("10.9.8.7");
        EXPECT_THAT(rig.window.modes, ElementsAre(c.mode)) << c.field->Name();
        EXPECT_EQ(c.property(), "10.9.8.7") << c.field->Name();
        EXPECT_TRUE(net.isChanged(c.flag)) << c.field->Name();
    }
}

TEST(GeneralTab, NoAddressTypedIntoAnAddressFieldEmptiesIt) {
    Rig rig("win98");
    rig.startUp();
    GeneralTab& tab = rig.tab;
    tab.cmbNIC.ListIndex(1);
    rig.window.clear();

    tab.txtIP.type("0.0.0.0");
    tab.txtMask.type("0.0.0.0");
    tab.txtGateway.type("0.0.0.0");
    EXPECT_EQ(tab.txtIP.Text(), "");
    EXPECT_EQ(tab.txtMask.Text(), "");
    EXPECT_EQ(tab.txtGateway.Text(), "");
    EXPECT_EQ(rig.net->IPAddress(), "");
    EXPECT_EQ(rig.net->IPMask(), "");
    EXPECT_EQ(rig.net->DefaultGateway(), "");
    EXPECT_THAT(rig.window.modes, testing::Each(kUnsavedChangeNeedingRestart));
}

TEST(GeneralTab, HandlersWithoutABackendOnlyReport) {
    testsupport::TestMachine machine("win98");
    StatusLog window;
    GeneralTab tab(window, window);
    tab.txtHost.type("host");
    tab.chkDHCPEnabled.click();
    tab.cmbNIC.AddItem("Some Adapter");
    tab.cmbNIC.ListIndex(0);
    EXPECT_THAT(window.modes, ElementsAre(kUnsavedChange, kUnsavedChangeNeedingRestart));
}

// ---- Leaving an address field --------------------------------------------------------

TEST(GeneralTab, LeavingAnInvalidAddressFieldSaysSoAndReturnsTheFocus) {
    Rig rig("win98");
    rig.startUp();
    GeneralTab& tab = rig.tab;
    struct Case {
        forms::TextBox* field;
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {&tab.txtIP, "192.168.1", "Please enter a valid IP address (e.g. 192.168.101.5)"},
        {&tab.txtMask, "255.255.0", "Please enter a valid Mask address (e.g. 255.255.255.0)"},
        {&tab.txtGateway, "192.168.101.5,",
         "Please enter a valid Gateway address list separated by commas (e.g. "
         "192.168.101.5,192.168.101.6)"},
        {&tab.txtDNSServers, "192.168.10.5, 192.168.10.6",
         "Please enter a valid DNS Server address list separated by commas (e.g. "
         "192.168.101.5,192.168.101.6)"},
    };
    for (const Case& c : cases) {
        rig.ui().clear();
        c.field->SetFocus();
        c.field->Text(c.text);
        tab.txtHost.SetFocus();

        ASSERT_EQ(rig.ui().messages().size(), 1u) << c.field->Name();
        const auto& shown = rig.ui().messages().front();
        EXPECT_EQ(shown.text, c.message);
        EXPECT_EQ(shown.buttons, MsgBoxButtons::OKOnly);
        EXPECT_EQ(shown.icon, MsgBoxIcon::None);
        EXPECT_EQ(shown.caption, "Roamwise");
        EXPECT_TRUE(c.field->hasFocus()) << c.field->Name();
        EXPECT_EQ(c.field->Text(), c.text);
        EXPECT_EQ(propertyText(*rig.net, boundProperty(tab, *c.field)), c.text);
        c.field->Text("");
        tab.txtHost.SetFocus();
    }
}

TEST(GeneralTab, ValidOrEmptyAddressFieldsAreLeftQuietly) {
    Rig rig("win98");
    rig.startUp();
    GeneralTab& tab = rig.tab;
    const std::vector<std::pair<forms::TextBox*, std::string>> entries = {
        {&tab.txtIP, ""},
        {&tab.txtIP, "08.8.8.8"},
        {&tab.txtMask, "255.0.255.0"},
        {&tab.txtGateway, "10.0.0.1,10.0.0.2,10.0.0.3,10.0.0.4"},
        {&tab.txtDNSServers, ""},
    };
    for (const auto& [field, text] : entries) {
        field->SetFocus();
        field->type(text);
        tab.txtHost.SetFocus();
        EXPECT_TRUE(tab.txtHost.hasFocus()) << field->Name() << " " << text;
    }
    EXPECT_THAT(rig.ui().messages(), IsEmpty());
}

TEST(GeneralTab, TwoInvalidFieldsDoNotPassTheFocusBackAndForth) {
    Rig rig("win98");
    rig.startUp();
    GeneralTab& tab = rig.tab;
    tab.txtMask.Text("1.2");
    tab.txtIP.SetFocus();
    tab.txtIP.Text("1.2");

    tab.txtMask.SetFocus();
    EXPECT_THAT(rig.ui().messageTexts(),
                ElementsAre("Please enter a valid IP address (e.g. 192.168.101.5)"));
    EXPECT_TRUE(tab.txtIP.hasFocus());

    // Fixed, the field lets go, and the next one is checked when it is left.
    tab.txtIP.Text("1.2.3.4");
    tab.txtMask.SetFocus();
    tab.txtHost.SetFocus();
    EXPECT_EQ(rig.ui().messageTexts().size(), 2u);
    EXPECT_TRUE(tab.txtMask.hasFocus());
}

// ---- Adapter switch ----------------------------------------------------------------

TEST(GeneralTab, SwitchingTheAdapterReadsItsValuesWithoutMarkingThem) {
    Rig rig("win98");
    rig.startUp();
    rig.tab.cmbNIC.ListIndex(1);

    EXPECT_EQ(rig.net->CurrentAdapter(), 1);
    EXPECT_EQ(rig.tab.txtIP.Text(), "192.168.10.47");
    EXPECT_EQ(rig.tab.txtGateway.Text(), "192.168.10.1");
    EXPECT_TRUE(rig.tab.chkWINSEnabled.checked());
    EXPECT_FALSE(rig.tab.chkDHCPEnabled.checked());
    EXPECT_TRUE(takesInput(rig.tab.txtIP));
    ASSERT_FALSE(rig.window.modes.empty());
    EXPECT_THAT(rig.window.whileInitializing, testing::Each(true));
    EXPECT_FALSE(rig.window.initializing());
    EXPECT_THAT(rig.ui().formsShown(), IsEmpty());  // no file is open
}

// A registry that fails every value read.
class UnreadableRegistry : public testsupport::RecordingRegistry {
  public:
    using RecordingRegistry::RecordingRegistry;
    win32::LONG RegQueryValueExA(win32::HKEY, const char*, win32::DWORD*, win32::DWORD*,
                                 win32::BYTE*, win32::DWORD*) override {
        throw RaisedError(1009, "Registry", "The configuration registry is corrupt");
    }
};

TEST(GeneralTab, AnAdapterThatCannotBeReadLeavesLaterEditsShowing) {
    Rig rig("win98");
    rig.startUp();
    const platform::Services working = rig.machine.services();
    UnreadableRegistry unreadable(*working.registry);
    platform::Services failing = working;
    failing.registry = &unreadable;
    rig.machine.install(failing);

    EXPECT_THROW(rig.tab.cmbNIC.ListIndex(1), RaisedError);
    rig.machine.install(working);
    EXPECT_FALSE(rig.window.initializing());
}

TEST(GeneralTab, AdapterChosenWhileAFileLoadsKeepsTheFilesValues) {
    Rig rig("win98");
    rig.startUp();
    rig.net->IPAddress("10.1.1.1");
    rig.window.loadingFile(true);
    rig.window.initializing(true);
    rig.tab.cmbNIC.ListIndex(1);

    EXPECT_EQ(rig.net->CurrentAdapter(), 1);
    EXPECT_EQ(rig.net->IPAddress(), "10.1.1.1");
    EXPECT_EQ(rig.tab.txtIP.Text(), "10.1.1.1");
    EXPECT_FALSE(rig.window.initializing());
}

TEST(GeneralTab, TheAdapterWarningShowsOnceAfterAFileWasOpened) {
    Rig rig("win98");
    rig.startUp();
    rig.showOpenedFile();
    EXPECT_THAT(rig.ui().formsShown(), IsEmpty());  // not while the file loads
    EXPECT_TRUE(rig.tab.showNICWarning());

    rig.tab.cmbNIC.ListIndex(1);
    rig.tab.cmbNIC.ListIndex(0);
    EXPECT_EQ(rig.ui().timesShown("frmNICWarning"), 1);
    EXPECT_FALSE(rig.tab.showNICWarning());
    EXPECT_EQ(rig.net->CurrentAdapter(), 0);  // the switch did not wait for the dialog

    frmNICWarning* warning = rig.tab.nicWarning();
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(rig.ui().modelessForms(), std::vector<forms::Form*>{warning});
    EXPECT_EQ(warning->Caption(), "Warning...");
    EXPECT_EQ(warning->lblDHCPEnabled.Caption(), "- DHCP Enabled");
    warning->chkWarning.click();
    warning->cmdOK.click();
    EXPECT_EQ(SettingsStore().GetSetting(kAppName, "Options", "NICWarning", "1"), "0");
    EXPECT_EQ(rig.tab.nicWarning(), nullptr);
}

TEST(GeneralTab, TheAdapterWarningStaysAwayForTheCurrentConfigurationOrWhenDeclined) {
    Rig rig("win98");
    rig.startUp();
    rig.tab.cmbNIC.ListIndex(1);
    EXPECT_THAT(rig.ui().formsShown(), IsEmpty());

    rig.window.Caption("office - Roamwise");
    rig.tab.showNICWarning(false);
    rig.tab.cmbNIC.ListIndex(0);
    EXPECT_THAT(rig.ui().formsShown(), IsEmpty());
}

TEST(GeneralTab, TheAdapterWarningLeftUntickedAsksToBeShownAgain) {
    Rig rig("win98");
    rig.startUp();
    SettingsStore().SaveSetting(kAppName, "Options", "NICWarning", "0");
    rig.window.Caption("office - Roamwise");
    rig.tab.cmbNIC.ListIndex(1);
    ASSERT_NE(rig.tab.nicWarning(), nullptr);
    // Ticked but closed by its frame: nothing is stored.
    rig.tab.nicWarning()->chkWarning.click();
    EXPECT_TRUE(rig.tab.nicWarning()->close());
    EXPECT_EQ(rig.tab.nicWarning(), nullptr);
    EXPECT_EQ(SettingsStore().GetSetting(kAppName, "Options", "NICWarning", "1"), "0");

    // Shown again once the window is rebuilt, the dialog starts with the box clear.
    rig.tab.showNICWarning(true);
    rig.tab.cmbNIC.ListIndex(0);
    ASSERT_NE(rig.tab.nicWarning(), nullptr);
    EXPECT_FALSE(rig.tab.nicWarning()->chkWarning.checked());
    EXPECT_EQ(rig.ui().timesShown("frmNICWarning"), 2);
    rig.tab.nicWarning()->cmdOK.click();
    EXPECT_EQ(SettingsStore().GetSetting(kAppName, "Options", "NICWarning", "0"), "1");
}

}  // namespace
