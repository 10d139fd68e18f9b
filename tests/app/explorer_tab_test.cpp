// The Internet Explorer tab against a real backend: filling reports only what differs,
// every control writes the property it is bound to, the dial-up list while a file is
// loaded, and which proxy fields take input.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/logic/main/ExplorerTab.h"
#include "browser/IEConfig.h"
#include "tests/app/FieldInput.h"
#include "tests/app/RecordingTabHost.h"
#include "tests/support/TestMachine.h"

namespace {

using testing::ElementsAre;
using testsupport::takesInput;

// A property of the backend as the tab shows it: a text, or "1"/"0" for a flag.
std::string propertyText(const browserConfig& b, const std::string& name) {
    const std::map<std::string, std::string> values = {
        {"HTTPAddress", b.HTTPAddress()},
        {"HTTPPort", b.HTTPPort()},
        {"SecureAddress", b.SecureAddress()},
        {"SecurePort", b.SecurePort()},
        {"FTPAddress", b.FTPAddress()},
        {"FTPPort", b.FTPPort()},
        {"GopherAddress", b.GopherAddress()},
        {"GopherPort", b.GopherPort()},
        {"SocksAddress", b.SocksAddress()},
        {"SocksPort", b.SocksPort()},
        {"ProxyExceptions", b.ProxyExceptions()},
        {"AutoConfigURL", b.AutoConfigURL()},
        {"CurrentDUN", b.CurrentDUN()},
        {"ProxyEnabled", b.ProxyEnabled() ? "1" : "0"},
        {"UseSameProxy", b.UseSameProxy() ? "1" : "0"},
        {"IgnoreLocalAddresses", b.IgnoreLocalAddresses() ? "1" : "0"},
        {"ConnectViaLAN", b.ConnectViaLAN() ? "1" : "0"},
    };
    const auto found = values.find(name);
    return found == values.end() ? "<no property " + name + ">" : found->second;
}

class ExplorerTabTest : public ::testing::Test {
  protected:
    ExplorerTabTest() { tab_.attach(&ie_); }

    // The fields that take input only with a proxy that is not shared by all protocols.
    std::vector<forms::TextBox*> protocolFields() {
        return {&tab_.txtIESecureAddr, &tab_.txtIESecurePort, &tab_.txtIEFTPAddr,
                &tab_.txtIEFTPPort,    &tab_.txtIEGopherAddr, &tab_.txtIEGopherPort,
                &tab_.txtIESocksAddr,  &tab_.txtIESocksPort};
    }

    int protocolFieldsTakingInput() {
        int count = 0;
        for (forms::TextBox* field : protocolFields()) count += takesInput(*field) ? 1 : 0;
        return count;
    }

    testsupport::TestMachine machine_{"win98"};
    testsupport::RecordingTabHost host_;
    ExplorerTab tab_{host_, host_};
    IEConfig ie_;
};

TEST_F(ExplorerTabTest, FillingReportsEachDifferingFieldAndRefillingReportsNothing) {
    ie_.getDUNList();  // the machine's two connections, "Harbourline Dial-In" in use
    ie_.HTTPAddress("proxy.example.com");
    ie_.HTTPPort("8080");
    ie_.ProxyEnabled(true);
    ie_.ConnectViaLAN(false);
    host_.initializing(true);

    tab_.initializeIEControls();

    // HTTP address, HTTP port, the proxy box, the modem option and the dial-up entry.
    EXPECT_THAT(host_.modes, ElementsAre(1, 1, 1, 1, 1));
    for (const Binding& binding : tab_.bindings())
        EXPECT_EQ(controlValue(*binding.control), propertyText(ie_, binding.property))
            << binding.control->Name();
    EXPECT_TRUE(tab_.optModem.Value());
    EXPECT_TRUE(tab_.cmbISP.Enabled());
    EXPECT_EQ(tab_.cmbISP.items(), *ie_.DUNList());
    EXPECT_EQ(tab_.cmbISP.Text(), "Harbourline Dial-In");

    host_.modes.clear();
    tab_.initializeIEControls();
    EXPECT_TRUE(host_.modes.empty());

    ie_.SocksPort("1080");
    ie_.ConnectViaLAN(true);
    tab_.initializeIEControls();
    EXPECT_THAT(host_.modes, ElementsAre(1, 1));
    EXPECT_EQ(tab_.txtIESocksPort.Text(), "1080");
    EXPECT_TRUE(tab_.optLAN.Value());
    EXPECT_FALSE(tab_.cmbISP.Enabled());
    EXPECT_TRUE(ie_.ConnectViaLAN());
}

TEST_F(ExplorerTabTest, EveryControlWritesTheValueItIsBoundTo) {
    ie_.getDUNList();
    tab_.initializeIEControls();
    tab_.chkIEUseProxy.click();
    host_.modes.clear();

    int edits = 0;
    for (const Binding& binding : tab_.bindings()) {
        auto* field = dynamic_cast<forms::TextBox*>(const_cast<forms::Control*>(binding.control));
        if (field == nullptr) continue;
        field->type("typed into " + field->Name());
        EXPECT_EQ(propertyText(ie_, binding.property), "typed into " + field->Name());
        ++edits;
    }
    EXPECT_EQ(edits, 12);

    tab_.chkIEUseSameForAll.click();
    EXPECT_TRUE(ie_.UseSameProxy());
    tab_.chkIgnoreLocal.click();
    EXPECT_TRUE(ie_.IgnoreLocalAddresses());
    tab_.chkIEUseProxy.click();
    EXPECT_FALSE(ie_.ProxyEnabled());
    tab_.optLAN.click();
    EXPECT_TRUE(ie_.ConnectViaLAN());
    EXPECT_FALSE(tab_.cmbISP.Enabled());
    tab_.optModem.click();
    EXPECT_FALSE(ie_.ConnectViaLAN());
    EXPECT_TRUE(tab_.cmbISP.Enabled());
    tab_.cmbISP.selectText("Demon Internet");
    EXPECT_EQ(ie_.CurrentDUN(), "Demon Internet");
    EXPECT_EQ(host_.modes, std::vector<std::int16_t>(edits + 6, kUnsavedChange));
}

TEST_F(ExplorerTabTest, WithoutABackendChangesAreOnlyReported) {
    testsupport::RecordingTabHost window;
    ExplorerTab detached(window, window);
    detached.initializeIEControls();
    detached.txtIEHTTPAddr.Text("proxy");
    detached.chkIEUseProxy.click();
    detached.optLAN.click();
    detached.cmbISP.AddItem("Office");
    detached.cmbISP.ListIndex(0);
    EXPECT_THAT(window.modes, ElementsAre(1, 1, 1, 1));
    EXPECT_EQ(ie_.HTTPAddress(), "");
}

TEST_F(ExplorerTabTest, TheDialUpListDoesNotReplaceAnOpenedFilesConnection) {
    ie_.getDUNList();
    tab_.initializeIEControls();
    host_.modes.clear();

    // The file names a connection the machine does not have: nothing is selected.
    host_.loadingFile(true);
    ie_.CurrentDUN("Gone Away ISP");
    tab_.initializeIEControls();
    EXPECT_EQ(tab_.cmbISP.ListIndex(), -1);
    EXPECT_EQ(ie_.CurrentDUN(), "Gone Away ISP");

    // A file naming one of the machine's connections selects it without a report.
    ie_.CurrentDUN("Demon Internet");
    tab_.initializeIEControls();
    EXPECT_EQ(tab_.cmbISP.Text(), "Demon Internet");
    tab_.cmbISP.selectText("Harbourline Dial-In");
    EXPECT_EQ(ie_.CurrentDUN(), "Demon Internet");
    EXPECT_TRUE(host_.modes.empty());

    host_.loadingFile(false);
    tab_.cmbISP.selectText("Demon Internet");
    EXPECT_EQ(ie_.CurrentDUN(), "Demon Internet");
    EXPECT_THAT(host_.modes, ElementsAre(1));
}

TEST_F(ExplorerTabTest, ProxyFieldsTakeInputOnlyWithAProxy) {
    // The boxes are off before and after the fill, so no click sets the fields up.
    tab_.initializeIEControls();
    for (forms::TextBox* field : {&tab_.txtIEHTTPAddr, &tab_.txtIEHTTPPort, &tab_.txtIEExceptions})
        EXPECT_FALSE(takesInput(*field)) << field->Name();
    EXPECT_EQ(protocolFieldsTakingInput(), 0);
    EXPECT_FALSE(tab_.chkIEUseSameForAll.Enabled());
    EXPECT_FALSE(tab_.chkIgnoreLocal.Enabled());
    EXPECT_TRUE(takesInput(tab_.txtIEAutoConfigURL));

    tab_.chkIEUseProxy.click();
    EXPECT_TRUE(takesInput(tab_.txtIEHTTPAddr));
    EXPECT_TRUE(takesInput(tab_.txtIEExceptions));
    EXPECT_EQ(protocolFieldsTakingInput(), 8);
    EXPECT_TRUE(tab_.chkIEUseSameForAll.Enabled());
    EXPECT_TRUE(tab_.chkIgnoreLocal.Enabled());

    tab_.chkIEUseSameForAll.click();
    EXPECT_TRUE(takesInput(tab_.txtIEHTTPPort));
    EXPECT_EQ(protocolFieldsTakingInput(), 0);

    tab_.chkIEUseProxy.click();
    EXPECT_FALSE(takesInput(tab_.txtIEHTTPPort));
    EXPECT_FALSE(takesInput(tab_.txtIEExceptions));
    EXPECT_FALSE(tab_.chkIgnoreLocal.Enabled());

    // With the shared proxy still ticked, turning the proxy on opens only HTTP.
    tab_.chkIEUseProxy.click();
    EXPECT_TRUE(takesInput(tab_.txtIEHTTPAddr));
    EXPECT_EQ(protocolFieldsTakingInput(), 0);

    tab_.enableProtocols(true);
    EXPECT_EQ(protocolFieldsTakingInput(), 8);
    EXPECT_TRUE(takesInput(tab_.txtIEHTTPAddr));
}

TEST_F(ExplorerTabTest, AfterAFillTheFieldsFollowTheBoxes) {
    ie_.ProxyEnabled(true);
    ie_.UseSameProxy(true);
    tab_.initializeIEControls();
    EXPECT_TRUE(takesInput(tab_.txtIEHTTPAddr));
    EXPECT_EQ(protocolFieldsTakingInput(), 0);

    ie_.ProxyEnabled(false);
    ie_.UseSameProxy(false);
    tab_.initializeIEControls();
    EXPECT_FALSE(takesInput(tab_.txtIEHTTPAddr));
    EXPECT_EQ(protocolFieldsTakingInput(), 0);

    // A fill in which no box changes still leaves the fields as the boxes say.
    tab_.enableProtocols(true);
    tab_.initializeIEControls();
    EXPECT_EQ(protocolFieldsTakingInput(), 0);
}

TEST_F(ExplorerTabTest, ControlsCarryTheirCaptionsAndTips) {
    EXPECT_EQ(&host_.control<forms::TextBox>("txtIESecurePort"), &tab_.txtIESecurePort);
    EXPECT_EQ(tab_.txtIESecurePort.ToolTipText(), "Enter the port # of your HTTPS proxy server");
    EXPECT_EQ(tab_.txtIEGopherAddr.ToolTipText(), "Enter the address of your Gopher proxy server");
    EXPECT_EQ(tab_.lblSocks.Caption(), "Socks:");
    EXPECT_EQ(tab_.optModem.Caption(), "Connect to the Internet using a &modem");
    EXPECT_EQ(tab_.fraAutoConfig.Caption(), "Automatic Configuration");
}

}  // namespace
