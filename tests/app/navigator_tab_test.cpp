// The Navigator tab against a real backend: the three connection modes and the two flags
// they stand for, the fields each mode opens, filling, and the field-to-property wiring.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/logic/main/NavigatorTab.h"
#include "browser/NNConfig.h"
#include "tests/app/FieldInput.h"
#include "tests/app/RecordingTabHost.h"
#include "tests/support/TestMachine.h"

namespace {

using testing::ElementsAre;
using testsupport::takesInput;

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
        {"WAISAddress", b.WAISAddress()},
        {"WAISPort", b.WAISPort()},
        {"ProxyExceptions", b.ProxyExceptions()},
        {"AutoConfigURL", b.AutoConfigURL()},
        {"ProxyEnabled", b.ProxyEnabled() ? "1" : "0"},
        {"ConnectViaLAN", b.ConnectViaLAN() ? "1" : "0"},
    };
    const auto found = values.find(name);
    return found == values.end() ? "<no property " + name + ">" : found->second;
}

struct Flags {
    bool viaLAN;
    bool proxy;
    bool operator==(const Flags&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Flags& flags) {
    return out << "(LAN " << flags.viaLAN << ", proxy " << flags.proxy << ")";
}

class NavigatorTabTest : public ::testing::Test {
  protected:
    NavigatorTabTest() { tab_.attach(&nn_); }

    Flags flags() const { return {nn_.ConnectViaLAN(), nn_.ProxyEnabled()}; }

    // How many of the twelve server fields and the exceptions take input.
    int proxyFieldsTakingInput() {
        int count = 0;
        for (forms::TextBox* field :
             {&tab_.txtNNHTTPAddr, &tab_.txtNNHTTPPort, &tab_.txtNNSecureAddr,
              &tab_.txtNNSecurePort, &tab_.txtNNFTPAddr, &tab_.txtNNFTPPort, &tab_.txtNNGopherAddr,
              &tab_.txtNNGopherPort, &tab_.txtNNSocksAddr, &tab_.txtNNSocksPort,
              &tab_.txtNNWAISAddr, &tab_.txtNNWAISPort, &tab_.txtNNExceptions})
            count += takesInput(*field) ? 1 : 0;
        return count;
    }

    testsupport::TestMachine machine_{"win98"};
    testsupport::RecordingTabHost host_;
    NavigatorTab tab_{host_, host_};
    NNConfig nn_;
};

TEST_F(NavigatorTabTest, EachModeSetsBothFlagsAndOpensItsFields) {
    EXPECT_EQ(proxyFieldsTakingInput(), 0);
    EXPECT_FALSE(takesInput(tab_.txtNNAutoConfig));

    tab_.optNNProxy.click();
    EXPECT_EQ(flags(), (Flags{false, true}));
    EXPECT_EQ(proxyFieldsTakingInput(), 13);
    EXPECT_FALSE(takesInput(tab_.txtNNAutoConfig));

    tab_.optNNAuto.click();
    EXPECT_EQ(flags(), (Flags{false, false}));
    EXPECT_EQ(proxyFieldsTakingInput(), 0);
    EXPECT_TRUE(takesInput(tab_.txtNNAutoConfig));

    tab_.optNNDirect.click();
    EXPECT_EQ(flags(), (Flags{true, false}));
    EXPECT_EQ(proxyFieldsTakingInput(), 0);
    EXPECT_FALSE(takesInput(tab_.txtNNAutoConfig));

    tab_.optNNProxy.click();
    EXPECT_EQ(flags(), (Flags{false, true}));
    tab_.optNNProxy.click();  // already selected: no event
    EXPECT_THAT(host_.modes, ElementsAre(1, 1, 1, 1));
}

TEST_F(NavigatorTabTest, FillingSelectsTheModeTheFlagsStandFor) {
    nn_.ProxyEnabled(true);
    tab_.initializeNNControls();
    EXPECT_TRUE(tab_.optNNProxy.Value());
    EXPECT_EQ(proxyFieldsTakingInput(), 13);

    nn_.ProxyEnabled(false);
    tab_.initializeNNControls();
    EXPECT_TRUE(tab_.optNNAuto.Value());
    EXPECT_TRUE(takesInput(tab_.txtNNAutoConfig));

    // A direct connection wins over a proxy flag, which the selection then clears.
    nn_.ConnectViaLAN(true);
    nn_.ProxyEnabled(true);
    tab_.initializeNNControls();
    EXPECT_TRUE(tab_.optNNDirect.Value());
    EXPECT_EQ(flags(), (Flags{true, false}));
    EXPECT_THAT(host_.modes, ElementsAre(1, 1, 1));

    // The same again with the direct connection already shown: no click happens, yet the
    // backend must not keep the proxy flag, or applying would switch the proxy on.
    nn_.ProxyEnabled(true);
    tab_.initializeNNControls();
    EXPECT_TRUE(tab_.optNNDirect.Value());
    EXPECT_EQ(flags(), (Flags{true, false}));
    EXPECT_THAT(host_.modes, ElementsAre(1, 1, 1)) << "nothing the user changed";
}

TEST_F(NavigatorTabTest, FillingReportsOnlyDifferingFields) {
    nn_.HTTPAddress("proxy.example.com");
    nn_.WAISPort("210");
    nn_.AutoConfigURL("http://config.example.com/proxy.pac");
    nn_.ConnectViaLAN(true);
    host_.initializing(true);

    tab_.initializeNNControls();
    EXPECT_THAT(host_.modes, ElementsAre(1, 1, 1, 1));
    for (const Binding& binding : tab_.bindings())
        EXPECT_EQ(controlValue(*binding.control), propertyText(nn_, binding.property))
            << binding.control->Name();

    host_.modes.clear();
    tab_.initializeNNControls();
    EXPECT_TRUE(host_.modes.empty());

    nn_.ProxyExceptions("localhost");
    tab_.initializeNNControls();
    EXPECT_THAT(host_.modes, ElementsAre(1));
    EXPECT_EQ(tab_.txtNNExceptions.Text(), "localhost");
}

TEST_F(NavigatorTabTest, EveryFieldWritesTheValueItIsBoundTo) {
    int edits = 0;
    for (const Binding& binding : tab_.bindings()) {
        auto* field = dynamic_cast<forms::TextBox*>(const_cast<forms::Control*>(binding.control));
        if (field == nullptr) continue;
        field->Text("typed into " + field->Name());
        EXPECT_EQ(propertyText(nn_, binding.property), "typed into " + field->Name());
        ++edits;
    }
    EXPECT_EQ(edits, 14);
    EXPECT_EQ(host_.modes, std::vector<std::int16_t>(edits, kUnsavedChange));
}

TEST_F(NavigatorTabTest, WithoutABackendChangesAreOnlyReported) {
    testsupport::RecordingTabHost window;
    NavigatorTab detached(window, window);
    detached.initializeNNControls();
    detached.optNNProxy.click();
    detached.txtNNWAISAddr.type("wais");
    EXPECT_THAT(window.modes, ElementsAre(1, 1));
    EXPECT_TRUE(detached.txtNNWAISAddr.Enabled());
    EXPECT_EQ(flags(), (Flags{false, false}));
    EXPECT_EQ(nn_.WAISAddress(), "");
}

TEST_F(NavigatorTabTest, ControlsCarryTheirCaptionsAndTips) {
    EXPECT_EQ(&host_.control<forms::TextBox>("txtNNWAISPort"), &tab_.txtNNWAISPort);
    EXPECT_EQ(tab_.txtNNWAISPort.ToolTipText(), "Enter the port # of your WAIS proxy server");
    EXPECT_EQ(tab_.txtNNSecureAddr.ToolTipText(), "Enter the address of your HTTPS proxy server");
    EXPECT_EQ(tab_.lblAutoConfig.Caption(), "Configuration location: ");
    EXPECT_EQ(tab_.optNNAuto.Caption(), "Automatic pro&xy configuration");
}

}  // namespace
