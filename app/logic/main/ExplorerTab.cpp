#include "app/logic/main/ExplorerTab.h"

#include <string>

#include "app/logic/main/TabFields.h"
#include "browser/browserConfig.h"

using tabfields::describe;
using tabfields::describeProxyFields;
using tabfields::enableField;

ExplorerTab::ExplorerTab(forms::Form& window, TabHost& host)
    : fraConnection(window, "fraConnection"),
      fraProxy(window, "fraProxy"),
      fraExceptions(window, "fraExceptions"),
      fraAutoConfig(window, "fraAutoConfig"),
      optLAN(window, "optLAN", connectionGroup),
      optModem(window, "optModem", connectionGroup),
      cmbISP(window, "cmbISP"),
      chkIEUseProxy(window, "chkIEUseProxy"),
      chkIEUseSameForAll(window, "chkIEUseSameForAll"),
      lblHTTP(window, "lblHTTP"),
      txtIEHTTPAddr(window, "txtIEHTTPAddr"),
      txtIEHTTPPort(window, "txtIEHTTPPort"),
      lblSecure(window, "lblSecure"),
      txtIESecureAddr(window, "txtIESecureAddr"),
      txtIESecurePort(window, "txtIESecurePort"),
      lblFTP(window, "lblFTP"),
      txtIEFTPAddr(window, "txtIEFTPAddr"),
      txtIEFTPPort(window, "txtIEFTPPort"),
      lblGopher(window, "lblGopher"),
      txtIEGopherAddr(window, "txtIEGopherAddr"),
      txtIEGopherPort(window, "txtIEGopherPort"),
      lblSocks(window, "lblSocks"),
      txtIESocksAddr(window, "txtIESocksAddr"),
      txtIESocksPort(window, "txtIESocksPort"),
      lblExceptions(window, "lblExceptions"),
      txtIEExceptions(window, "txtIEExceptions"),
      chkIgnoreLocal(window, "chkIgnoreLocal"),
      lblAutoConfigURL(window, "lblAutoConfigURL"),
      txtIEAutoConfigURL(window, "txtIEAutoConfigURL"),
      host_(host) {
    describeControls();
    wireHandlers();
    // Until the tab is filled nothing is selected and no proxy is in use.
    applyProxyRules();
}

void ExplorerTab::describeControls() {
    fraConnection.Caption("Connection Type");
    fraProxy.Caption("Proxy Servers");
    fraExceptions.Caption("Proxy Exceptions");
    fraAutoConfig.Caption("Automatic Configuration");
    describe(optLAN, "&Connect to the Internet using a local area network",
             "Check this option to use a LAN connection for accessing the Internet");
    describe(optModem, "Connect to the Internet using a &modem",
             "Check this option if you wish to connect to the Internet via a modem");
    cmbISP.ToolTipText("Select the dial-up profile you wish to use for connecting to the Internet");
    describe(chkIEUseProxy, "&Use proxy to access the Internet",
             "Check this box to access the Internet via a proxy server");
    describe(chkIEUseSameForAll, "U&se the same proxy server for all protocols",
             "Check this box if you use the same proxy server for all protocols");
    describeProxyFields(lblHTTP, txtIEHTTPAddr, txtIEHTTPPort, "HTTP:", "HTTP");
    describeProxyFields(lblSecure, txtIESecureAddr, txtIESecurePort, "Secure:", "HTTPS");
    describeProxyFields(lblFTP, txtIEFTPAddr, txtIEFTPPort, "FTP:", "FTP");
    describeProxyFields(lblGopher, txtIEGopherAddr, txtIEGopherPort, "Gopher:", "Gopher");
    describeProxyFields(lblSocks, txtIESocksAddr, txtIESocksPort, "Socks:", "Socks");
    lblExceptions.Caption("Do not use proxy server for addresses beginning with:");
    txtIEExceptions.ToolTipText(
        "Enter addresses that should not be resolved via the proxy server (separate "
        "multiple addresses with semi-colons)");
    describe(chkIgnoreLocal, "&Bypass proxy server for local (Intranet) addresses",
             "Check this box to resolve local (Intranet) addresses without the proxy server");
    lblAutoConfigURL.Caption("URL:");
    txtIEAutoConfigURL.ToolTipText("Enter the URL of your automatic configuration server");
}

void ExplorerTab::wireHandlers() {
    optLAN.onClick([this] { optLAN_Click(); });
    optModem.onClick([this] { optModem_Click(); });
    cmbISP.onClick([this] { cmbISP_click(); });
    chkIEUseProxy.onClick([this] { chkIEUseProxy_click(); });
    chkIEUseSameForAll.onClick([this] { chkIEUseSameForAll_click(); });
    chkIgnoreLocal.onClick([this] { chkIgnoreLocal_click(); });
    txtIEHTTPAddr.onChange([this] { txtIEHTTPAddr_change(); });
    txtIEHTTPPort.onChange([this] { txtIEHTTPPort_change(); });
    txtIESecureAddr.onChange([this] { txtIESecureAddr_change(); });
    txtIESecurePort.onChange([this] { txtIESecurePort_change(); });
    txtIEFTPAddr.onChange([this] { txtIEFTPAddr_change(); });
    txtIEFTPPort.onChange([this] { txtIEFTPPort_change(); });
    txtIEGopherAddr.onChange([this] { txtIEGopherAddr_change(); });
    txtIEGopherPort.onChange([this] { txtIEGopherPort_change(); });
    txtIESocksAddr.onChange([this] { txtIESocksAddr_change(); });
    txtIESocksPort.onChange([this] { txtIESocksPort_change(); });
    txtIEExceptions.onChange([this] { txtIEExceptions_change(); });
    txtIEAutoConfigURL.onChange([this] { txtIEAutoConfigURL_change(); });
}

void ExplorerTab::attach(browserConfig* explorer) {
    explorer_ = explorer;
}

void ExplorerTab::initializeIEControls() {
    if (explorer_ == nullptr) return;
    // Every control is set; the controls raise their events only for values that differ
    // from what they show, and those events write the value back and report the change.
    txtIEHTTPAddr.Text(explorer_->HTTPAddress());
    txtIEHTTPPort.Text(explorer_->HTTPPort());
    txtIESecureAddr.Text(explorer_->SecureAddress());
    txtIESecurePort.Text(explorer_->SecurePort());
    txtIEFTPAddr.Text(explorer_->FTPAddress());
    txtIEFTPPort.Text(explorer_->FTPPort());
    txtIEGopherAddr.Text(explorer_->GopherAddress());
    txtIEGopherPort.Text(explorer_->GopherPort());
    txtIESocksAddr.Text(explorer_->SocksAddress());
    txtIESocksPort.Text(explorer_->SocksPort());
    txtIEExceptions.Text(explorer_->ProxyExceptions());
    txtIEAutoConfigURL.Text(explorer_->AutoConfigURL());
    chkIEUseSameForAll.Value(forms::checkValue(explorer_->UseSameProxy()));
    chkIEUseProxy.Value(forms::checkValue(explorer_->ProxyEnabled()));
    chkIgnoreLocal.Value(forms::checkValue(explorer_->IgnoreLocalAddresses()));
    if (explorer_->ConnectViaLAN()) {
        optLAN.Value(true);
    } else {
        optModem.Value(true);
    }
    fillDialUpList();
    // A box whose value did not change raised nothing, so the dependent fields are
    // brought in line with what the boxes now show.
    applyProxyRules();
}

void ExplorerTab::fillDialUpList() {
    const std::string shown = cmbISP.Text();
    cmbISP.Clear();
    if (const auto entries = explorer_->DUNList()) {
        for (const std::string& entry : *entries) cmbISP.AddItem(entry);
    }
    // Rebuilding the list and selecting the entry it showed before is no change.
    // Nothing is selected when the connection in use is not among the entries.
    reselecting_ = !shown.empty() && shown == explorer_->CurrentDUN();
    cmbISP.selectText(explorer_->CurrentDUN());
    reselecting_ = false;
}

void ExplorerTab::enableProtocols(bool bMode) {
    for (forms::TextBox* field :
         {&txtIESecureAddr, &txtIESecurePort, &txtIEFTPAddr, &txtIEFTPPort, &txtIEGopherAddr,
          &txtIEGopherPort, &txtIESocksAddr, &txtIESocksPort}) {
        enableField(*field, bMode);
    }
}

// The HTTP fields, the exceptions and the two proxy boxes follow the proxy box; the
// other protocols' fields are in use only with a proxy that is not shared by all.
void ExplorerTab::applyProxyRules() {
    const bool useProxy = chkIEUseProxy.checked();
    enableField(txtIEHTTPAddr, useProxy);
    enableField(txtIEHTTPPort, useProxy);
    enableField(txtIEExceptions, useProxy);
    chkIEUseSameForAll.Enabled(useProxy);
    chkIgnoreLocal.Enabled(useProxy);
    enableProtocols(useProxy && !chkIEUseSameForAll.checked());
}

std::vector<Binding> ExplorerTab::bindings() const {
    return {
        {&optLAN, "ConnectViaLAN", kUnsavedChange},
        {&cmbISP, "CurrentDUN", kUnsavedChange},
        {&chkIEUseProxy, "ProxyEnabled", kUnsavedChange},
        {&chkIEUseSameForAll, "UseSameProxy", kUnsavedChange},
        {&txtIEHTTPAddr, "HTTPAddress", kUnsavedChange},
        {&txtIEHTTPPort, "HTTPPort", kUnsavedChange},
        {&txtIESecureAddr, "SecureAddress", kUnsavedChange},
        {&txtIESecurePort, "SecurePort", kUnsavedChange},
        {&txtIEFTPAddr, "FTPAddress", kUnsavedChange},
        {&txtIEFTPPort, "FTPPort", kUnsavedChange},
        {&txtIEGopherAddr, "GopherAddress", kUnsavedChange},
        {&txtIEGopherPort, "GopherPort", kUnsavedChange},
        {&txtIESocksAddr, "SocksAddress", kUnsavedChange},
        {&txtIESocksPort, "SocksPort", kUnsavedChange},
        {&txtIEExceptions, "ProxyExceptions", kUnsavedChange},
        {&chkIgnoreLocal, "IgnoreLocalAddresses", kUnsavedChange},
        {&txtIEAutoConfigURL, "AutoConfigURL", kUnsavedChange},
    };
}

void ExplorerTab::optLAN_Click() {
    host_.updateStatus(kUnsavedChange);
    if (explorer_ != nullptr) explorer_->ConnectViaLAN(true);
    cmbISP.Enabled(false);
}

void ExplorerTab::optModem_Click() {
    host_.updateStatus(kUnsavedChange);
    if (explorer_ != nullptr) explorer_->ConnectViaLAN(false);
    cmbISP.Enabled(true);
}

// While an opened file's values are filled in, the list is rebuilt from the machine's
// connections and its selection must not replace the file's connection.
void ExplorerTab::cmbISP_click() {
    if (reselecting_ || host_.loadingFile()) return;
    host_.updateStatus(kUnsavedChange);
    if (explorer_ != nullptr) explorer_->CurrentDUN(cmbISP.Text());
}

void ExplorerTab::chkIEUseProxy_click() {
    host_.updateStatus(kUnsavedChange);
    if (explorer_ != nullptr) explorer_->ProxyEnabled(chkIEUseProxy.checked());
    applyProxyRules();
}

void ExplorerTab::chkIEUseSameForAll_click() {
    host_.updateStatus(kUnsavedChange);
    if (explorer_ != nullptr) explorer_->UseSameProxy(chkIEUseSameForAll.checked());
    applyProxyRules();
}

void ExplorerTab::chkIgnoreLocal_click() {
    host_.updateStatus(kUnsavedChange);
    if (explorer_ != nullptr) explorer_->IgnoreLocalAddresses(chkIgnoreLocal.checked());
}

void ExplorerTab::writeText(const forms::TextBox& field,
                            void (browserConfig::*setter)(const std::string&)) {
    tabfields::writeBrowserText(host_, explorer_, field, setter);
}

void ExplorerTab::txtIEHTTPAddr_change() {
    writeText(txtIEHTTPAddr, &browserConfig::HTTPAddress);
}
void ExplorerTab::txtIEHTTPPort_change() {
    writeText(txtIEHTTPPort, &browserConfig::HTTPPort);
}
void ExplorerTab::txtIESecureAddr_change() {
    writeText(txtIESecureAddr, &browserConfig::SecureAddress);
}
void ExplorerTab::txtIESecurePort_change() {
    writeText(txtIESecurePort, &browserConfig::SecurePort);
}
void ExplorerTab::txtIEFTPAddr_change() {
    writeText(txtIEFTPAddr, &browserConfig::FTPAddress);
}
void ExplorerTab::txtIEFTPPort_change() {
    writeText(txtIEFTPPort, &browserConfig::FTPPort);
}
void ExplorerTab::txtIEGopherAddr_change() {
    writeText(txtIEGopherAddr, &browserConfig::GopherAddress);
}
void ExplorerTab::txtIEGopherPort_change() {
    writeText(txtIEGopherPort, &browserConfig::GopherPort);
}
void ExplorerTab::txtIESocksAddr_change() {
    writeText(txtIESocksAddr, &browserConfig::SocksAddress);
}
void ExplorerTab::txtIESocksPort_change() {
    writeText(txtIESocksPort, &browserConfig::SocksPort);
}
void ExplorerTab::txtIEExceptions_change() {
    writeText(txtIEExceptions, &browserConfig::ProxyExceptions);
}
void ExplorerTab::txtIEAutoConfigURL_change() {
    writeText(txtIEAutoConfigURL, &browserConfig::AutoConfigURL);
}
