#include "app/logic/main/NavigatorTab.h"

#include <string>

#include "app/logic/main/TabFields.h"
#include "browser/browserConfig.h"

using tabfields::describe;
using tabfields::describeProxyFields;
using tabfields::enableField;

NavigatorTab::NavigatorTab(forms::Form& window, TabHost& host)
    : fraConnection(window, "fraNNConnection"),
      fraProxy(window, "fraNNProxy"),
      fraExceptions(window, "fraNNExceptions"),
      optNNDirect(window, "optNNDirect", modeGroup),
      optNNProxy(window, "optNNProxy", modeGroup),
      optNNAuto(window, "optNNAuto", modeGroup),
      lblAutoConfig(window, "lblNNAutoConfig"),
      txtNNAutoConfig(window, "txtNNAutoConfig"),
      lblHTTP(window, "lblNNHTTP"),
      txtNNHTTPAddr(window, "txtNNHTTPAddr"),
      txtNNHTTPPort(window, "txtNNHTTPPort"),
      lblSecure(window, "lblNNSecure"),
      txtNNSecureAddr(window, "txtNNSecureAddr"),
      txtNNSecurePort(window, "txtNNSecurePort"),
      lblFTP(window, "lblNNFTP"),
      txtNNFTPAddr(window, "txtNNFTPAddr"),
      txtNNFTPPort(window, "txtNNFTPPort"),
      lblGopher(window, "lblNNGopher"),
      txtNNGopherAddr(window, "txtNNGopherAddr"),
      txtNNGopherPort(window, "txtNNGopherPort"),
      lblSocks(window, "lblNNSocks"),
      txtNNSocksAddr(window, "txtNNSocksAddr"),
      txtNNSocksPort(window, "txtNNSocksPort"),
      lblWAIS(window, "lblNNWAIS"),
      txtNNWAISAddr(window, "txtNNWAISAddr"),
      txtNNWAISPort(window, "txtNNWAISPort"),
      lblExceptions(window, "lblNNExceptions"),
      txtNNExceptions(window, "txtNNExceptions"),
      host_(host) {
    describeControls();
    wireHandlers();
    // Until a mode is selected none of the mode-dependent fields takes input.
    enableNNProtocols(false);
    enableField(txtNNAutoConfig, false);
}

void NavigatorTab::describeControls() {
    fraConnection.Caption("Connection Type");
    fraProxy.Caption("Proxy Servers");
    fraExceptions.Caption("Proxy Exceptions");
    describe(optNNDirect, "&Direct connection to the Internet",
             "Check this option if you wish to connect to the Internet via a modem");
    describe(optNNProxy, "&Manual proxy configuration",
             "Check this option if you wish to connect to the Internet via a proxy server");
    describe(optNNAuto, "Automatic pro&xy configuration",
             "Check this option to automatically configure your browser to connect to the "
             "Internet");
    lblAutoConfig.Caption("Configuration location: ");
    txtNNAutoConfig.ToolTipText("Enter the URL of the proxy configuration file");
    describeProxyFields(lblHTTP, txtNNHTTPAddr, txtNNHTTPPort, "HTTP:", "HTTP");
    describeProxyFields(lblSecure, txtNNSecureAddr, txtNNSecurePort, "Secure:", "HTTPS");
    describeProxyFields(lblFTP, txtNNFTPAddr, txtNNFTPPort, "FTP:", "FTP");
    describeProxyFields(lblGopher, txtNNGopherAddr, txtNNGopherPort, "Gopher:", "Gopher");
    describeProxyFields(lblSocks, txtNNSocksAddr, txtNNSocksPort, "Socks:", "Socks");
    describeProxyFields(lblWAIS, txtNNWAISAddr, txtNNWAISPort, "WAIS:", "WAIS");
    lblExceptions.Caption("Do not use proxy server for addresses beginning with:");
    txtNNExceptions.ToolTipText(
        "Enter addresses that should not be resolved via the proxy server (separate "
        "multiple addresses with semi-colons)");
}

void NavigatorTab::wireHandlers() {
    optNNDirect.onClick([this] { optNNDirect_Click(); });
    optNNProxy.onClick([this] { optNNProxy_Click(); });
    optNNAuto.onClick([this] { optNNAuto_Click(); });
    txtNNAutoConfig.onChange([this] { txtNNAutoConfig_change(); });
    txtNNHTTPAddr.onChange([this] { txtNNHTTPAddr_change(); });
    txtNNHTTPPort.onChange([this] { txtNNHTTPPort_change(); });
    txtNNSecureAddr.onChange([this] { txtNNSecureAddr_change(); });
    txtNNSecurePort.onChange([this] { txtNNSecurePort_change(); });
    txtNNFTPAddr.onChange([this] { txtNNFTPAddr_change(); });
    txtNNFTPPort.onChange([this] { txtNNFTPPort_change(); });
    txtNNGopherAddr.onChange([this] { txtNNGopherAddr_change(); });
    txtNNGopherPort.onChange([this] { txtNNGopherPort_change(); });
    txtNNSocksAddr.onChange([this] { txtNNSocksAddr_change(); });
    txtNNSocksPort.onChange([this] { txtNNSocksPort_change(); });
    txtNNWAISAddr.onChange([this] { txtNNWAISAddr_change(); });
    txtNNWAISPort.onChange([this] { txtNNWAISPort_change(); });
    txtNNExceptions.onChange([this] { txtNNExceptions_change(); });
}

void NavigatorTab::attach(browserConfig* navigator) {
    navigator_ = navigator;
}

void NavigatorTab::initializeNNControls() {
    if (navigator_ == nullptr) return;
    // Only values that differ from what a field shows raise its change event.
    txtNNAutoConfig.Text(navigator_->AutoConfigURL());
    txtNNHTTPAddr.Text(navigator_->HTTPAddress());
    txtNNHTTPPort.Text(navigator_->HTTPPort());
    txtNNSecureAddr.Text(navigator_->SecureAddress());
    txtNNSecurePort.Text(navigator_->SecurePort());
    txtNNFTPAddr.Text(navigator_->FTPAddress());
    txtNNFTPPort.Text(navigator_->FTPPort());
    txtNNGopherAddr.Text(navigator_->GopherAddress());
    txtNNGopherPort.Text(navigator_->GopherPort());
    txtNNSocksAddr.Text(navigator_->SocksAddress());
    txtNNSocksPort.Text(navigator_->SocksPort());
    txtNNWAISAddr.Text(navigator_->WAISAddress());
    txtNNWAISPort.Text(navigator_->WAISPort());
    txtNNExceptions.Text(navigator_->ProxyExceptions());
    if (navigator_->ConnectViaLAN()) {
        optNNDirect.Value(true);
    } else if (navigator_->ProxyEnabled()) {
        optNNProxy.Value(true);
    } else {
        optNNAuto.Value(true);
    }
    // A file may switch on both the direct connection and the proxy. The window shows the
    // direct connection then, and when that option was shown already no click corrects
    // the backend, which would apply the proxy: the backend takes what the window shows.
    if (navigator_->ConnectViaLAN() && navigator_->ProxyEnabled()) navigator_->ProxyEnabled(false);
}

void NavigatorTab::enableNNProtocols(bool bMode) {
    for (forms::TextBox* field :
         {&txtNNHTTPAddr, &txtNNHTTPPort, &txtNNSecureAddr, &txtNNSecurePort, &txtNNFTPAddr,
          &txtNNFTPPort, &txtNNGopherAddr, &txtNNGopherPort, &txtNNSocksAddr, &txtNNSocksPort,
          &txtNNWAISAddr, &txtNNWAISPort, &txtNNExceptions}) {
        enableField(*field, bMode);
    }
}

std::vector<Binding> NavigatorTab::bindings() const {
    return {
        {&optNNDirect, "ConnectViaLAN", kUnsavedChange},
        {&optNNProxy, "ProxyEnabled", kUnsavedChange},
        {&txtNNAutoConfig, "AutoConfigURL", kUnsavedChange},
        {&txtNNHTTPAddr, "HTTPAddress", kUnsavedChange},
        {&txtNNHTTPPort, "HTTPPort", kUnsavedChange},
        {&txtNNSecureAddr, "SecureAddress", kUnsavedChange},
        {&txtNNSecurePort, "SecurePort", kUnsavedChange},
        {&txtNNFTPAddr, "FTPAddress", kUnsavedChange},
        {&txtNNFTPPort, "FTPPort", kUnsavedChange},
        {&txtNNGopherAddr, "GopherAddress", kUnsavedChange},
        {&txtNNGopherPort, "GopherPort", kUnsavedChange},
        {&txtNNSocksAddr, "SocksAddress", kUnsavedChange},
        {&txtNNSocksPort, "SocksPort", kUnsavedChange},
        {&txtNNWAISAddr, "WAISAddress", kUnsavedChange},
        {&txtNNWAISPort, "WAISPort", kUnsavedChange},
        {&txtNNExceptions, "ProxyExceptions", kUnsavedChange},
    };
}

// Navigator keeps one connection mode; the backend holds it as two flags, of which at
// most one is set.
void NavigatorTab::selectMode(bool viaLAN, bool proxyEnabled) {
    host_.updateStatus(kUnsavedChange);
    if (navigator_ != nullptr) {
        navigator_->ConnectViaLAN(viaLAN);
        navigator_->ProxyEnabled(proxyEnabled);
    }
    enableNNProtocols(proxyEnabled);
    enableField(txtNNAutoConfig, !viaLAN && !proxyEnabled);
}

void NavigatorTab::optNNDirect_Click() {
    selectMode(true, false);
}
void NavigatorTab::optNNProxy_Click() {
    selectMode(false, true);
}
void NavigatorTab::optNNAuto_Click() {
    selectMode(false, false);
}

void NavigatorTab::writeText(const forms::TextBox& field,
                             void (browserConfig::*setter)(const std::string&)) {
    tabfields::writeBrowserText(host_, navigator_, field, setter);
}

void NavigatorTab::txtNNAutoConfig_change() {
    writeText(txtNNAutoConfig, &browserConfig::AutoConfigURL);
}
void NavigatorTab::txtNNHTTPAddr_change() {
    writeText(txtNNHTTPAddr, &browserConfig::HTTPAddress);
}
void NavigatorTab::txtNNHTTPPort_change() {
    writeText(txtNNHTTPPort, &browserConfig::HTTPPort);
}
void NavigatorTab::txtNNSecureAddr_change() {
    writeText(txtNNSecureAddr, &browserConfig::SecureAddress);
}
void NavigatorTab::txtNNSecurePort_change() {
    writeText(txtNNSecurePort, &browserConfig::SecurePort);
}
void NavigatorTab::txtNNFTPAddr_change() {
    writeText(txtNNFTPAddr, &browserConfig::FTPAddress);
}
void NavigatorTab::txtNNFTPPort_change() {
    writeText(txtNNFTPPort, &browserConfig::FTPPort);
}
void NavigatorTab::txtNNGopherAddr_change() {
    writeText(txtNNGopherAddr, &browserConfig::GopherAddress);
}
void NavigatorTab::txtNNGopherPort_change() {
    writeText(txtNNGopherPort, &browserConfig::GopherPort);
}
void NavigatorTab::txtNNSocksAddr_change() {
    writeText(txtNNSocksAddr, &browserConfig::SocksAddress);
}
void NavigatorTab::txtNNSocksPort_change() {
    writeText(txtNNSocksPort, &browserConfig::SocksPort);
}
void NavigatorTab::txtNNWAISAddr_change() {
    writeText(txtNNWAISAddr, &browserConfig::WAISAddress);
}
void NavigatorTab::txtNNWAISPort_change() {
    writeText(txtNNWAISPort, &browserConfig::WAISPort);
}
void NavigatorTab::txtNNExceptions_change() {
    writeText(txtNNExceptions, &browserConfig::ProxyExceptions);
}
