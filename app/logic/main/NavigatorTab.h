#pragma once
// Tab 2 "N. Navigator" of the main window, bound to the Navigator backend: the three
// connection modes, the proxy servers with WAIS, the exceptions and the automatic
// configuration location.

#include <string>
#include <vector>

#include "app/logic/main/Binding.h"
#include "app/logic/main/TabHost.h"
#include "platform/forms/Form.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"

class browserConfig;

class NavigatorTab {
  public:
    NavigatorTab(forms::Form& window, TabHost& host);
    NavigatorTab(const NavigatorTab&) = delete;
    NavigatorTab& operator=(const NavigatorTab&) = delete;

    // The backend the controls write to from now on (nullptr when Navigator is not
    // installed; handlers then only report their change).
    void attach(browserConfig* navigator);
    void initializeNNControls();
    void enableNNProtocols(bool bMode);
    std::vector<Binding> bindings() const;

    forms::Frame fraConnection;  // "Connection Type"
    forms::Frame fraProxy;       // "Proxy Servers"
    forms::Frame fraExceptions;  // "Proxy Exceptions"
    forms::OptionGroup modeGroup;
    forms::OptionButton optNNDirect;
    forms::OptionButton optNNProxy;
    forms::OptionButton optNNAuto;
    forms::Label lblAutoConfig;
    forms::TextBox txtNNAutoConfig;
    forms::Label lblHTTP;
    forms::TextBox txtNNHTTPAddr;
    forms::TextBox txtNNHTTPPort;
    forms::Label lblSecure;
    forms::TextBox txtNNSecureAddr;
    forms::TextBox txtNNSecurePort;
    forms::Label lblFTP;
    forms::TextBox txtNNFTPAddr;
    forms::TextBox txtNNFTPPort;
    forms::Label lblGopher;
    forms::TextBox txtNNGopherAddr;
    forms::TextBox txtNNGopherPort;
    forms::Label lblSocks;
    forms::TextBox txtNNSocksAddr;
    forms::TextBox txtNNSocksPort;
    forms::Label lblWAIS;
    forms::TextBox txtNNWAISAddr;
    forms::TextBox txtNNWAISPort;
    forms::Label lblExceptions;
    forms::TextBox txtNNExceptions;

    void optNNDirect_Click();
    void optNNProxy_Click();
    void optNNAuto_Click();
    void txtNNAutoConfig_change();
    void txtNNHTTPAddr_change();
    void txtNNHTTPPort_change();
    void txtNNSecureAddr_change();
    void txtNNSecurePort_change();
    void txtNNFTPAddr_change();
    void txtNNFTPPort_change();
    void txtNNGopherAddr_change();
    void txtNNGopherPort_change();
    void txtNNSocksAddr_change();
    void txtNNSocksPort_change();
    void txtNNWAISAddr_change();
    void txtNNWAISPort_change();
    void txtNNExceptions_change();

  private:
    void describeControls();
    void wireHandlers();
    // Reports the change, writes the mode's two flags and enables the fields it uses.
    void selectMode(bool viaLAN, bool proxyEnabled);
    // Reports the change and writes FIELD's text through SETTER of the backend.
    void writeText(const forms::TextBox& field, void (browserConfig::*setter)(const std::string&));

    TabHost& host_;
    browserConfig* navigator_ = nullptr;
};
