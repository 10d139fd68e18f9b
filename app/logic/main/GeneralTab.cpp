#include "app/logic/main/GeneralTab.h"

#include "app/logic/dialogs/frmNICWarning.h"
#include "app/logic/main/AddressValidation.h"
#include "app/logic/main/TabFields.h"
#include "config/SystemVersions.h"
#include "network/netConfig.h"
#include "platform/Services.h"
#include "platform/UserInterface.h"
#include "settings/SettingsStore.h"

namespace {

constexpr const char* kNoAddress = "0.0.0.0";
constexpr const char* kNoAdapters = "No Adapters Installed";
constexpr const char* kNoPrinters = "No Printers Installed";
constexpr const char* kUnknownAdapter = "[Unknown Adapter Type]";
constexpr const char* kCurrentConfiguration = "[Current Configuration]";
constexpr std::size_t kAddressLength = 15;
constexpr std::size_t kNetBiosNameLength = 15;

using tabfields::enableField;

}  // namespace

GeneralTab::GeneralTab(forms::Form& window, TabHost& host)
    : fraNetwork(window, "fraNetwork"),
      fraPrinter(window, "fraPrinter"),
      lblNIC(window, "lblNIC"),
      cmbNIC(window, "cmbNIC"),
      lblHost(window, "lblHost"),
      txtHost(window, "txtHost"),
      lblDomain(window, "lblDomain"),
      txtDomain(window, "txtDomain"),
      lblIP(window, "lblIP"),
      txtIP(window, "txtIP"),
      lblMask(window, "lblMask"),
      txtMask(window, "txtMask"),
      lblGateway(window, "lblGateway"),
      txtGateway(window, "txtGateway"),
      chkDNSEnabled(window, "chkDNSEnabled"),
      lblDNSServers(window, "lblDNSServers"),
      txtDNSServers(window, "txtDNSServers"),
      lblDNSOrder(window, "lblDNSOrder"),
      txtDNSOrder(window, "txtDNSOrder"),
      chkWINSEnabled(window, "chkWINSEnabled"),
      chkDHCPEnabled(window, "chkDHCPEnabled"),
      lblWINSServers(window, "lblWINSServers"),
      txtWINSServer1(window, "txtWINSServer1"),
      txtWINSServer2(window, "txtWINSServer2"),
      lblWINSScopeID(window, "lblWINSScopeID"),
      txtWINSScopeID(window, "txtWINSScopeID"),
      chkLogonToNT(window, "chkLogonToNT"),
      lblNTDomain(window, "lblNTDomain"),
      txtNTDomain(window, "txtNTDomain"),
      lblComputerName(window, "lblComputerName"),
      txtComputerName(window, "txtComputerName"),
      lblWorkgroup(window, "lblWorkgroup"),
      txtWorkGroup(window, "txtWorkGroup"),
      lblDefPrinter(window, "lblDefPrinter"),
      cmbDefPrinter(window, "cmbDefPrinter"),
      window_(window),
      host_(host) {
    fraNetwork.Caption("Network Adapter Settings");
    fraPrinter.Caption("Printer Settings");

    lblNIC.Caption("Network Adapter:");
    cmbNIC.ToolTipText("Select the network adapter you would like to configure");
    cmbNIC.onClick([this] { cmbNIC_click(); });

    lblHost.Caption("Host:");
    txtHost.ToolTipText("Enter your host name");
    txtHost.onChange([this] { txtHost_change(); });

    lblDomain.Caption("Domain:");
    txtDomain.ToolTipText("Enter your domain name");
    txtDomain.onChange([this] { txtDomain_change(); });

    lblIP.Caption("IP:");
    txtIP.ToolTipText("Enter your IP address (e.g. 192.168.101.5)");
    txtIP.MaxLength(kAddressLength);
    txtIP.onChange([this] { txtIP_change(); });
    txtIP.onLostFocus([this] { txtIP_LostFocus(); });

    lblMask.Caption("Mask:");
    txtMask.ToolTipText("Enter your IP mask (e.g. 255.255.255.0)");
    txtMask.MaxLength(kAddressLength);
    txtMask.onChange([this] { txtMask_change(); });
    txtMask.onLostFocus([this] { txtMask_LostFocus(); });

    lblGateway.Caption("Gateway:");
    txtGateway.ToolTipText(
        "Enter your gateway servers separated by commas (e.g. 192.168.101.1,192.168.101.2)");
    txtGateway.onChange([this] { txtGateway_change(); });
    txtGateway.onLostFocus([this] { txtGateway_LostFocus(); });

    chkDNSEnabled.Caption("&DNS Enabled");
    chkDNSEnabled.ToolTipText("Check this box to enable DNS for Windows resolution");
    chkDNSEnabled.onClick([this] { chkDNSEnabled_click(); });

    lblDNSServers.Caption("DNS Servers:");
    txtDNSServers.ToolTipText(
        "Enter up to three DNS servers separated by commas (e.g. "
        "192.168.101.10,192.168.101.11)");
    txtDNSServers.onChange([this] { txtDNSServers_change(); });
    txtDNSServers.onLostFocus([this] { txtDNSServers_LostFocus(); });

    lblDNSOrder.Caption("DNS Order:");
    txtDNSOrder.ToolTipText("Enter your DNS search order separated by commas");
    txtDNSOrder.onChange([this] { txtDNSOrder_change(); });

    chkWINSEnabled.Caption("&WINS Enabled");
    chkWINSEnabled.ToolTipText("Check this box to enable WINS resolution");
    chkWINSEnabled.onClick([this] { chkWINSEnabled_click(); });

    chkDHCPEnabled.Caption("DH&CP Enabled");
    chkDHCPEnabled.ToolTipText("Check this box to enable DHCP for WINS");
    chkDHCPEnabled.onClick([this] { chkDHCPEnabled_click(); });

    lblWINSServers.Caption("WINS Servers:");
    txtWINSServer1.ToolTipText("Enter your first WINS server address (e.g. 192.168.101.10)");
    txtWINSServer1.onChange([this] { txtWINSServer1_change(); });
    txtWINSServer2.ToolTipText("Enter your second WINS server address (e.g. 192.168.101.11)");
    txtWINSServer2.onChange([this] { txtWINSServer2_change(); });

    lblWINSScopeID.Caption("WINS Scope ID:");
    txtWINSScopeID.ToolTipText("Enter your WINS scope ID");
    txtWINSScopeID.onChange([this] { txtWINSScopeID_change(); });

    chkLogonToNT.Caption("&Logon to NT Domain");
    chkLogonToNT.ToolTipText("Check this box to logon to an NT domain");
    chkLogonToNT.onClick([this] { chkLogonToNT_click(); });

    lblNTDomain.Caption("NT Domain:");
    txtNTDomain.ToolTipText("Enter your NT domain");
    txtNTDomain.onChange([this] { txtNTDomain_change(); });

    lblComputerName.Caption("Computer Name:");
    txtComputerName.ToolTipText("Enter your computer name");
    txtComputerName.MaxLength(kNetBiosNameLength);
    txtComputerName.onChange([this] { txtComputerName_change(); });

    lblWorkgroup.Caption("Workgroup:");
    txtWorkGroup.ToolTipText("Enter your workgroup");
    txtWorkGroup.MaxLength(kNetBiosNameLength);
    txtWorkGroup.onChange([this] { txtWorkGroup_change(); });

    lblDefPrinter.Caption("Default Printer:");
    cmbDefPrinter.ToolTipText("Select your default printer");
    cmbDefPrinter.onClick([this] { cmbDefPrinter_click(); });
}

// A warning still on the screen goes with the window; the user interface must not keep
// showing a dialog whose owner is gone.
GeneralTab::~GeneralTab() {
    closeNICWarning();
}

void GeneralTab::attach(netConfig* network) {
    network_ = network;
}

void GeneralTab::closeNICWarning() {
    if (nicWarning_ && nicWarning_->loaded()) nicWarning_->Unload();
}

frmNICWarning* GeneralTab::nicWarning() const {
    return nicWarning_ && nicWarning_->loaded() ? nicWarning_.get() : nullptr;
}

// ---- Filling -------------------------------------------------------------------------

// Controls whose value changes run their handlers as a user edit would: the backend's
// values are written back and marked changed, and the window hears of each change (it
// shows nothing while it is initializing). That is how the values of an opened file that
// differ from what the tab showed become the changes the next apply writes.
void GeneralTab::initializeNICControls() {
    if (network_ == nullptr) return;
    // "0.0.0.0" and the empty text both mean no address, so putting the one for the other
    // is no change: the marks are cleared after it. An address that differs from the one
    // shown is marked below by the field's own change.
    if (network_->IPAddress() == kNoAddress) network_->IPAddress("");
    if (network_->IPMask() == kNoAddress) network_->IPMask("");
    network_->resetFlags();
    fillAdapterList();
    copySettings();
    fillPrinterList();
    cmbNIC_click();
}

void GeneralTab::fillList(forms::ComboBox& list, const std::vector<std::string>& items) {
    if (list.items() == items) return;
    list.Clear();
    for (const std::string& item : items) list.AddItem(item);
}

void GeneralTab::fillAdapterList() {
    const auto adapters = network_->AdapterList();
    const std::int16_t current = network_->CurrentAdapter();
    // A backend that was never loaded has an index but no list: it has no usable adapter.
    adaptersPresent_ =
        current >= 0 && adapters && static_cast<std::size_t>(current) < adapters->size();
    if (!adaptersPresent_) {
        fillList(cmbNIC, {kNoAdapters});
        cmbNIC.Enabled(false);
        cmbNIC.ListIndex(0);
        return;
    }
    fillList(cmbNIC, *adapters);
    cmbNIC.Enabled(true);
    cmbNIC.ListIndex(current);
}

void GeneralTab::copySettings() {
    txtHost.Text(network_->Host());
    txtDomain.Text(network_->DomainName());
    txtIP.Text(network_->IPAddress());
    txtMask.Text(network_->IPMask());
    txtGateway.Text(network_->DefaultGateway());
    txtDNSServers.Text(network_->DNSServers());
    txtDNSOrder.Text(network_->SearchList());
    txtWINSServer1.Text(network_->WINSServer1());
    txtWINSServer2.Text(network_->WINSServer2());
    txtWINSScopeID.Text(network_->ScopeID());
    chkLogonToNT.Value(forms::checkValue(network_->NTLogonEnabled()));
    txtNTDomain.Text(network_->NTDomain());
    chkDNSEnabled.Value(forms::checkValue(network_->DNSEnabled()));
    chkWINSEnabled.Value(forms::checkValue(network_->WINSEnabled()));
    chkDHCPEnabled.Value(forms::checkValue(network_->DHCPEnabled()));
    txtComputerName.Text(network_->ComputerName());
    txtWorkGroup.Text(network_->Workgroup());
}

// A printer name that is not installed stays in the backend (it is saved with the file)
// but shows no selection; the list is rebuilt silently for that, so the name is not
// overwritten by an empty one.
void GeneralTab::fillPrinterList() {
    const auto printers = network_->printerList();
    if (!printers || printers->empty()) {
        fillList(cmbDefPrinter, {kNoPrinters});
        cmbDefPrinter.Enabled(false);
        cmbDefPrinter.ListIndex(0);
        return;
    }
    cmbDefPrinter.Enabled(true);
    fillList(cmbDefPrinter, *printers);
    if (!cmbDefPrinter.selectText(network_->DefaultPrinter())) {
        cmbDefPrinter.Clear();
        for (const std::string& printer : *printers) cmbDefPrinter.AddItem(printer);
    }
}

// ---- Adapter switch ------------------------------------------------------------------

void GeneralTab::cmbNIC_click() {
    const bool loadingFile = host_.loadingFile();
    const bool fileOpen = host_.windowCaption().find(kCurrentConfiguration) == std::string::npos;
    if (fileOpen && !loadingFile && showNICWarning_) {
        if (!nicWarning_) nicWarning_ = std::make_unique<frmNICWarning>();
        nicWarning_->ShowModeless(window_);
        showNICWarning_ = false;
    }

    // Left set by an adapter that cannot be read, the flag would hide every later edit
    // from the indicators.
    struct InitializingCleared {
        TabHost& host;
        bool clear;
        ~InitializingCleared() {
            if (clear) host.initializing(false);
        }
    } clearedAfterwards{host_, !loadingFile};

    const auto index = static_cast<std::int16_t>(cmbNIC.ListIndex());
    if (loadingFile) {
        // The file's values stay; a later apply writes them to the adapter now selected.
        host_.initializing(false);
        if (network_ != nullptr) network_->CurrentAdapterNoRefresh(index);
    } else {
        // The adapter's own values are about to be shown; they are no change.
        host_.initializing(true);
        if (network_ != nullptr) network_->CurrentAdapter(index);
    }
    refreshAdapterSettings();
    if (loadingFile && shownAdapter_ >= 0 && index != shownAdapter_ && adaptersPresent_)
        markFileAdapterSettings();
    shownAdapter_ = index;
    if (cmbNIC.Text() != kUnknownAdapter) enableNICControls(true);
}

// An opened file's address settings belong to the adapter it names. Fields whose value
// equals what the previous adapter showed raised no change, so nothing marked those
// settings, and applying would leave the newly chosen adapter as it was: mark them all.
void GeneralTab::markFileAdapterSettings() {
    if (network_ == nullptr) return;
    host_.updateStatus(kUnsavedChangeNeedingRestart);
    network_->IPAddress(network_->IPAddress());
    network_->IPMask(network_->IPMask());
    network_->DefaultGateway(network_->DefaultGateway());
    network_->WINSEnabled(network_->WINSEnabled());  // marks the servers and the scope too
    network_->DHCPEnabled(network_->DHCPEnabled());
}

void GeneralTab::refreshAdapterSettings() {
    if (network_ == nullptr) return;
    txtIP.Text(network_->IPAddress());
    txtMask.Text(network_->IPMask());
    txtGateway.Text(network_->DefaultGateway());
    txtWINSServer1.Text(network_->WINSServer1());
    txtWINSServer2.Text(network_->WINSServer2());
    chkWINSEnabled.Value(forms::checkValue(network_->WINSEnabled()));
    chkDHCPEnabled.Value(forms::checkValue(network_->DHCPEnabled()));
}

// ---- Enabled states ------------------------------------------------------------------

bool GeneralTab::onNT() const {
    return getOSPlatform() == "NT";
}

// The workgroup and the domain logon are settings Windows NT keeps elsewhere, so they
// are offered on Windows 95/98 only.
void GeneralTab::enableNICControls(bool bMode) {
    const bool adapter = bMode && adaptersPresent_;
    const bool notNT = !onNT();
    const bool dhcp = chkDHCPEnabled.checked();
    const bool wins = chkWINSEnabled.checked();

    enableField(txtHost, adapter);
    enableField(txtDomain, adapter);
    chkDNSEnabled.Enabled(adapter);
    enableField(txtIP, adapter && !dhcp);
    enableField(txtMask, adapter && !dhcp);
    enableField(txtGateway, adapter && !dhcp);
    enableField(txtDNSServers, adapter && chkDNSEnabled.checked());
    enableField(txtDNSOrder, adapter && chkDNSEnabled.checked());
    enableField(txtWINSServer1, adapter && wins);
    enableField(txtWINSServer2, adapter && wins);
    enableField(txtWINSScopeID, adapter && wins);
    chkLogonToNT.Enabled(adapter && notNT);
    enableField(txtNTDomain, adapter && chkLogonToNT.checked());
    chkWINSEnabled.Enabled(adapter && !dhcp);
    chkDHCPEnabled.Enabled(adapter && !wins);
    enableField(txtComputerName, bMode);
    enableField(txtWorkGroup, bMode && notNT);
    lblWorkgroup.Enabled(notNT);
    lblNTDomain.Enabled(notNT);
}

// ---- Change handlers -----------------------------------------------------------------

template <class Write>
void GeneralTab::changed(std::int16_t mode, Write write) {
    host_.updateStatus(mode);
    if (network_ != nullptr) write(*network_);
}

bool GeneralTab::emptiedNoAddress(forms::TextBox& field) {
    if (field.Text() != kNoAddress) return false;
    field.Text("");
    return true;
}

void GeneralTab::txtHost_change() {
    changed(kUnsavedChange, [this](netConfig& net) { net.Host(txtHost.Text()); });
}

void GeneralTab::txtDomain_change() {
    changed(kUnsavedChange, [this](netConfig& net) { net.DomainName(txtDomain.Text()); });
}

void GeneralTab::txtIP_change() {
    addressFieldChanged();
    if (emptiedNoAddress(txtIP)) return;
    changed(kUnsavedChangeNeedingRestart, [this](netConfig& net) { net.IPAddress(txtIP.Text()); });
}

void GeneralTab::txtMask_change() {
    addressFieldChanged();
    if (emptiedNoAddress(txtMask)) return;
    changed(kUnsavedChangeNeedingRestart, [this](netConfig& net) { net.IPMask(txtMask.Text()); });
}

void GeneralTab::txtGateway_change() {
    addressFieldChanged();
    if (emptiedNoAddress(txtGateway)) return;
    changed(kUnsavedChangeNeedingRestart,
            [this](netConfig& net) { net.DefaultGateway(txtGateway.Text()); });
}

void GeneralTab::txtDNSServers_change() {
    changed(kUnsavedChange, [this](netConfig& net) { net.DNSServers(txtDNSServers.Text()); });
}

void GeneralTab::txtDNSOrder_change() {
    changed(kUnsavedChange, [this](netConfig& net) { net.SearchList(txtDNSOrder.Text()); });
}

void GeneralTab::txtWINSServer1_change() {
    changed(kUnsavedChange, [this](netConfig& net) { net.WINSServer1(txtWINSServer1.Text()); });
}

void GeneralTab::txtWINSServer2_change() {
    changed(kUnsavedChange, [this](netConfig& net) { net.WINSServer2(txtWINSServer2.Text()); });
}

void GeneralTab::txtWINSScopeID_change() {
    changed(kUnsavedChange, [this](netConfig& net) { net.ScopeID(txtWINSScopeID.Text()); });
}

void GeneralTab::txtNTDomain_change() {
    changed(kUnsavedChangeNeedingRestart,
            [this](netConfig& net) { net.NTDomain(txtNTDomain.Text()); });
}

void GeneralTab::txtComputerName_change() {
    changed(kUnsavedChangeNeedingRestart,
            [this](netConfig& net) { net.ComputerName(txtComputerName.Text()); });
}

void GeneralTab::txtWorkGroup_change() {
    changed(kUnsavedChangeNeedingRestart,
            [this](netConfig& net) { net.Workgroup(txtWorkGroup.Text()); });
}

void GeneralTab::cmbDefPrinter_click() {
    if (cmbDefPrinter.Text() == kNoPrinters) return;
    changed(kUnsavedChange, [this](netConfig& net) { net.DefaultPrinter(cmbDefPrinter.Text()); });
}

// ---- Check boxes ---------------------------------------------------------------------

void GeneralTab::chkDNSEnabled_click() {
    const bool on = chkDNSEnabled.checked();
    changed(kUnsavedChange, [on](netConfig& net) { net.DNSEnabled(on); });
    enableField(txtDNSServers, on);
    enableField(txtDNSOrder, on);
}

// WINS and DHCP exclude each other: switching one on switches the other off in the
// backend. Switching one off leaves the other alone, so that filling the boxes from an
// opened file (WINS box first) cannot wipe out the file's DHCP or WINS setting.
void GeneralTab::chkWINSEnabled_click() {
    const bool on = chkWINSEnabled.checked();
    changed(kUnsavedChangeNeedingRestart, [on](netConfig& net) {
        net.WINSEnabled(on);
        if (on) net.DHCPEnabled(false);
    });
    chkDHCPEnabled.Enabled(!on);
    enableField(txtWINSServer1, on);
    enableField(txtWINSServer2, on);
    enableField(txtWINSScopeID, on);
}

void GeneralTab::chkDHCPEnabled_click() {
    const bool on = chkDHCPEnabled.checked();
    changed(kUnsavedChangeNeedingRestart, [on](netConfig& net) {
        net.DHCPEnabled(on);
        if (on) net.WINSEnabled(false);
    });
    enableField(txtIP, !on);
    enableField(txtMask, !on);
    enableField(txtGateway, !on);
    chkWINSEnabled.Enabled(!on);
    // Windows NT keeps the static addresses while DHCP is on; the tab shows them empty
    // and brings them back when DHCP is switched off again.
    if (!onNT()) return;
    if (txtIP.Enabled()) {
        restoreAddresses();
    } else {
        saveAndEmptyAddresses();
    }
}

void GeneralTab::chkLogonToNT_click() {
    const bool on = chkLogonToNT.checked();
    changed(kUnsavedChangeNeedingRestart, [on](netConfig& net) { net.NTLogonEnabled(on); });
    enableField(txtNTDomain, on);
}

// ---- Addresses kept while DHCP is on (Windows NT) -----------------------------------

// Texts put into the address fields from elsewhere (another adapter, an opened file)
// replace what was saved: restoring the saved ones would overwrite them.
void GeneralTab::addressFieldChanged() {
    if (!movingAddresses_) addressesSaved_ = false;
}

void GeneralTab::saveAndEmptyAddresses() {
    savedIPAddress_ = txtIP.Text();
    savedIPMask_ = txtMask.Text();
    savedGateway_ = txtGateway.Text();
    movingAddresses_ = true;
    txtIP.Text("");
    txtMask.Text("");
    txtGateway.Text("");
    movingAddresses_ = false;
    addressesSaved_ = true;
}

void GeneralTab::restoreAddresses() {
    if (!addressesSaved_) return;
    movingAddresses_ = true;
    txtIP.Text(savedIPAddress_);
    txtMask.Text(savedIPMask_);
    txtGateway.Text(savedGateway_);
    movingAddresses_ = false;
    addressesSaved_ = false;
}

// ---- Leave-field checks --------------------------------------------------------------

void GeneralTab::checkOnLeave(forms::TextBox& field, bool valid, const char* message) {
    if (valid || validating_) return;
    validating_ = true;
    platform::ui().messageBox(message, platform::MsgBoxButtons::OKOnly, platform::MsgBoxIcon::None,
                              kAppTitle);
    field.SetFocus();
    validating_ = false;
}

void GeneralTab::txtIP_LostFocus() {
    checkOnLeave(txtIP, isValidIP(txtIP.Text()),
                 "Please enter a valid IP address (e.g. 192.168.101.5)");
}

void GeneralTab::txtMask_LostFocus() {
    checkOnLeave(txtMask, isValidIP(txtMask.Text()),
                 "Please enter a valid Mask address (e.g. 255.255.255.0)");
}

void GeneralTab::txtGateway_LostFocus() {
    checkOnLeave(txtGateway, isValidIPList(txtGateway.Text(), ','),
                 "Please enter a valid Gateway address list separated by commas (e.g. "
                 "192.168.101.5,192.168.101.6)");
}

void GeneralTab::txtDNSServers_LostFocus() {
    checkOnLeave(txtDNSServers, isValidIPList(txtDNSServers.Text(), ','),
                 "Please enter a valid DNS Server address list separated by commas (e.g. "
                 "192.168.101.5,192.168.101.6)");
}

// ---- Bindings ------------------------------------------------------------------------

// The adapter list is listed with the plain mode: choosing another adapter is no change
// of its own; the values it brings report their own modes.
std::vector<Binding> GeneralTab::bindings() const {
    return {
        {&cmbNIC, "CurrentAdapter", kUnsavedChange},
        {&txtHost, "Host", kUnsavedChange},
        {&txtDomain, "DomainName", kUnsavedChange},
        {&txtIP, "IPAddress", kUnsavedChangeNeedingRestart},
        {&txtMask, "IPMask", kUnsavedChangeNeedingRestart},
        {&txtGateway, "DefaultGateway", kUnsavedChangeNeedingRestart},
        {&chkDNSEnabled, "DNSEnabled", kUnsavedChange},
        {&txtDNSServers, "DNSServers", kUnsavedChange},
        {&txtDNSOrder, "SearchList", kUnsavedChange},
        {&chkWINSEnabled, "WINSEnabled", kUnsavedChangeNeedingRestart},
        {&chkDHCPEnabled, "DHCPEnabled", kUnsavedChangeNeedingRestart},
        {&txtWINSServer1, "WINSServer1", kUnsavedChange},
        {&txtWINSServer2, "WINSServer2", kUnsavedChange},
        {&txtWINSScopeID, "ScopeID", kUnsavedChange},
        {&chkLogonToNT, "NTLogonEnabled", kUnsavedChangeNeedingRestart},
        {&txtNTDomain, "NTDomain", kUnsavedChangeNeedingRestart},
        {&txtComputerName, "ComputerName", kUnsavedChangeNeedingRestart},
        {&txtWorkGroup, "Workgroup", kUnsavedChangeNeedingRestart},
        {&cmbDefPrinter, "DefaultPrinter", kUnsavedChange},
    };
}
