#pragma once
// Tab 0 "General" of the main window: the network adapter settings, bound to the network
// backend, and the default printer. Filling it, the change and click handlers, the rules
// that enable dependent fields, the address checks when a field is left, and the adapter
// switch with its warning dialog.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/logic/main/Binding.h"
#include "app/logic/main/TabHost.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"

class netConfig;
class frmNICWarning;

class GeneralTab {
  public:
    // The controls belong to WINDOW; HOST is the window's status protocol.
    GeneralTab(forms::Form& window, TabHost& host);
    ~GeneralTab();
    GeneralTab(const GeneralTab&) = delete;
    GeneralTab& operator=(const GeneralTab&) = delete;

    // The backend the controls write to from now on (nullptr: none; handlers then only
    // report their change).
    void attach(netConfig* network);
    // Whether the adapter-switch warning is still to be shown (set when the window is
    // built from "NICWarning").
    bool showNICWarning() const { return showNICWarning_; }
    void showNICWarning(bool show) { showNICWarning_ = show; }
    bool adaptersPresent() const { return adaptersPresent_; }

    void initializeNICControls();
    void enableNICControls(bool bMode);
    std::vector<Binding> bindings() const;
    // The warning dialog last shown by the adapter switch, while it is open.
    frmNICWarning* nicWarning() const;
    // Closes that warning when it is still open (the window it belongs to is closing).
    void closeNICWarning();

    forms::Frame fraNetwork;  // "Network Adapter Settings"
    forms::Frame fraPrinter;  // "Printer Settings"
    forms::Label lblNIC;
    forms::ComboBox cmbNIC;
    forms::Label lblHost;
    forms::TextBox txtHost;
    forms::Label lblDomain;
    forms::TextBox txtDomain;
    forms::Label lblIP;
    forms::TextBox txtIP;
    forms::Label lblMask;
    forms::TextBox txtMask;
    forms::Label lblGateway;
    forms::TextBox txtGateway;
    forms::CheckBox chkDNSEnabled;
    forms::Label lblDNSServers;
    forms::TextBox txtDNSServers;
    forms::Label lblDNSOrder;
    forms::TextBox txtDNSOrder;
    forms::CheckBox chkWINSEnabled;
    forms::CheckBox chkDHCPEnabled;
    forms::Label lblWINSServers;
    forms::TextBox txtWINSServer1;
    forms::TextBox txtWINSServer2;
    forms::Label lblWINSScopeID;
    forms::TextBox txtWINSScopeID;
    forms::CheckBox chkLogonToNT;
    forms::Label lblNTDomain;
    forms::TextBox txtNTDomain;
    forms::Label lblComputerName;
    forms::TextBox txtComputerName;
    forms::Label lblWorkgroup;
    forms::TextBox txtWorkGroup;
    forms::Label lblDefPrinter;
    forms::ComboBox cmbDefPrinter;

    // Event handlers, as the controls raise them.
    void cmbNIC_click();
    void txtHost_change();
    void txtDomain_change();
    void txtIP_change();
    void txtMask_change();
    void txtGateway_change();
    void chkDNSEnabled_click();
    void txtDNSServers_change();
    void txtDNSOrder_change();
    void chkWINSEnabled_click();
    void chkDHCPEnabled_click();
    void txtWINSServer1_change();
    void txtWINSServer2_change();
    void txtWINSScopeID_change();
    void chkLogonToNT_click();
    void txtNTDomain_change();
    void txtComputerName_change();
    void txtWorkGroup_change();
    void cmbDefPrinter_click();
    void txtIP_LostFocus();
    void txtMask_LostFocus();
    void txtGateway_LostFocus();
    void txtDNSServers_LostFocus();

  private:
    // Reports MODE to the window, then hands the backend (when there is one) to WRITE.
    template <class Write>
    void changed(std::int16_t mode, Write write);
    // A field showing "0.0.0.0" is emptied instead; true when it was (its own change then
    // wrote the empty text).
    static bool emptiedNoAddress(forms::TextBox& field);
    // Puts ITEMS into LIST unless it already holds exactly them (a rebuilt list has no
    // selection, which is what selecting afterwards compares with).
    static void fillList(forms::ComboBox& list, const std::vector<std::string>& items);
    void fillAdapterList();
    void fillPrinterList();
    void copySettings();
    void refreshAdapterSettings();
    void markFileAdapterSettings();
    bool onNT() const;
    // Shows MESSAGE and returns the focus to FIELD when its text is not VALID.
    void checkOnLeave(forms::TextBox& field, bool valid, const char* message);
    void addressFieldChanged();
    void saveAndEmptyAddresses();
    void restoreAddresses();

    forms::Form& window_;
    TabHost& host_;
    netConfig* network_ = nullptr;
    bool showNICWarning_ = true;
    bool adaptersPresent_ = false;
    // The adapter whose settings the fields show; -1 before the first fill.
    std::int16_t shownAdapter_ = -1;
    std::string savedIPAddress_;
    std::string savedIPMask_;
    std::string savedGateway_;
    // Whether the three saved texts are still the ones the DHCP box took out of the
    // fields; any other change to those fields since makes them stale.
    bool addressesSaved_ = false;
    bool movingAddresses_ = false;
    // True while a leave-field check shows its message and returns the focus, so the
    // field it takes the focus from is not checked in turn.
    bool validating_ = false;
    std::unique_ptr<frmNICWarning> nicWarning_;
};
