#pragma once
// Tab 1 "I. Explorer" of the main window, bound to the Internet Explorer backend: the
// connection type with the dial-up entry, the proxy servers and exceptions, and the
// automatic configuration address.

#include <string>
#include <vector>

#include "app/logic/main/Binding.h"
#include "app/logic/main/TabHost.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"

class browserConfig;

class ExplorerTab {
  public:
    ExplorerTab(forms::Form& window, TabHost& host);
    ExplorerTab(const ExplorerTab&) = delete;
    ExplorerTab& operator=(const ExplorerTab&) = delete;

    // The backend the controls write to from now on (nullptr when Internet Explorer is
    // not installed; handlers then only report their change).
    void attach(browserConfig* explorer);
    void initializeIEControls();
    void enableProtocols(bool bMode);
    std::vector<Binding> bindings() const;

    forms::Frame fraConnection;  // "Connection Type"
    forms::Frame fraProxy;       // "Proxy Servers"
    forms::Frame fraExceptions;  // "Proxy Exceptions"
    forms::Frame fraAutoConfig;  // "Automatic Configuration"
    forms::OptionGroup connectionGroup;
    forms::OptionButton optLAN;
    forms::OptionButton optModem;
    forms::ComboBox cmbISP;
    forms::CheckBox chkIEUseProxy;
    forms::CheckBox chkIEUseSameForAll;
    forms::Label lblHTTP;
    forms::TextBox txtIEHTTPAddr;
    forms::TextBox txtIEHTTPPort;
    forms::Label lblSecure;
    forms::TextBox txtIESecureAddr;
    forms::TextBox txtIESecurePort;
    forms::Label lblFTP;
    forms::TextBox txtIEFTPAddr;
    forms::TextBox txtIEFTPPort;
    forms::Label lblGopher;
    forms::TextBox txtIEGopherAddr;
    forms::TextBox txtIEGopherPort;
    forms::Label lblSocks;
    forms::TextBox txtIESocksAddr;
    forms::TextBox txtIESocksPort;
    forms::Label lblExceptions;
    forms::TextBox txtIEExceptions;
    forms::CheckBox chkIgnoreLocal;
    forms::Label lblAutoConfigURL;
    forms::TextBox txtIEAutoConfigURL;

    void optLAN_Click();
    void optModem_Click();
    void cmbISP_click();
    void chkIEUseProxy_click();
    void chkIEUseSameForAll_click();
    void chkIgnoreLocal_click();
    // The text fields' change handlers write the field to its property.
    void txtIEHTTPAddr_change();
    void txtIEHTTPPort_change();
    void txtIESecureAddr_change();
    void txtIESecurePort_change();
    void txtIEFTPAddr_change();
    void txtIEFTPPort_change();
    void txtIEGopherAddr_change();
    void txtIEGopherPort_change();
    void txtIESocksAddr_change();
    void txtIESocksPort_change();
    void txtIEExceptions_change();
    void txtIEAutoConfigURL_change();

  private:
    void describeControls();
    void wireHandlers();
    void fillDialUpList();
    void applyProxyRules();
    // Reports the change and writes FIELD's text through SETTER of the backend.
    void writeText(const forms::TextBox& field, void (browserConfig::*setter)(const std::string&));

    TabHost& host_;
    browserConfig* explorer_ = nullptr;
    // True while the dial-up list is rebuilt around the entry it already showed.
    bool reselecting_ = false;
};
