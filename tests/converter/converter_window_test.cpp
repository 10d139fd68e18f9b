// RmwConverter's window driven as a user would: browsing for both files, converting with
// the hourglass and a disabled Convert button, and the messages for what goes wrong.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/ConversionError.h"
#include "converter/frmMain.h"
#include "platform/Services.h"
#include "platform/Win32.h"
#include "tests/support/TestMachine.h"

namespace converter {
namespace {

using platform::FileDialogRequest;
using platform::MousePointer;
using platform::MsgBoxIcon;

const std::string kSource = "C:\\Roamwise\\office.v1";
const std::string kDestination = "C:\\Roamwise\\office.rmw";

class ConverterWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(platform::files().toNative("C:\\Roamwise"));
        window_.Load();
    }
    void TearDown() override {
        if (window_.loaded()) window_.Unload();
    }
    testsupport::ScriptedUserInterface& ui() { return machine_.ui(); }
    static void writeSource(const std::string& text) {
        ASSERT_TRUE(platform::files().writeWholeFile(kSource, text));
    }

    testsupport::TestMachine machine_{"win98"};
    frmMain window_;
};

TEST_F(ConverterWindowTest, ShowsItsControlsWithTheirTextsAndTips) {
    EXPECT_EQ(window_.Caption(), "Roamwise 1.x to 2.0 Configuration File Converter");
    struct Expected {
        const char* name;
        const char* caption;
        const char* toolTip;
    };
    const std::vector<Expected> expected = {
        {"Label1", "Source Configuration File:", ""},
        {"txtSource", "",
         "Enter the full path and filename of the Rmw configuration file to convert"},
        {"cmdSource", "...", "Click to browse for configuration file"},
        {"Label2", "Dest. Configuration File:", ""},
        {"txtDest", "", "Enter the full path and filename for the new configuration file"},
        {"cmdDest", "...", "Click to browse for configuration file"},
        {"cmdStart", "Convert", "Click to start conversion"},
        {"cmdClose", "&Close", "Click to close"},
    };
    ASSERT_EQ(window_.controls().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const forms::Control& control = *window_.controls()[i];
        EXPECT_EQ(control.Name(), expected[i].name);
        EXPECT_EQ(control.Caption(), expected[i].caption) << control.Name();
        EXPECT_EQ(control.ToolTipText(), expected[i].toolTip) << control.Name();
    }
    EXPECT_TRUE(window_.cmdStart.Default());
    EXPECT_TRUE(window_.cmdClose.Cancel());
}

TEST_F(ConverterWindowTest, BrowsingFillsTheFieldsAndCancellingLeavesThem) {
    window_.txtSource.type("C:\\old.cfg");
    ui().queueFile(kSource);
    window_.cmdSource.click();
    ui().queueFile(std::nullopt);
    window_.cmdDest.click();
    window_.txtDest.type("C:\\typed.rmw");
    ui().queueFile(std::nullopt);
    window_.cmdDest.click();

    EXPECT_EQ(window_.txtSource.Text(), kSource);
    EXPECT_EQ(window_.txtDest.Text(), "C:\\typed.rmw");
    const std::vector<FileDialogRequest>& requests = ui().fileRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].kind, FileDialogRequest::Kind::Open);
    EXPECT_TRUE(requests[0].fileMustExist);
    EXPECT_EQ(requests[0].fileName, "C:\\old.cfg");
    EXPECT_EQ(requests[0].filter, frmMain::kSourceFilter);
    EXPECT_EQ(requests[1].kind, FileDialogRequest::Kind::Save);
    EXPECT_TRUE(requests[1].promptToOverwrite);
    EXPECT_EQ(requests[1].filter, frmMain::kDestinationFilter);
    EXPECT_EQ(requests[2].fileName, "C:\\typed.rmw");
}

TEST_F(ConverterWindowTest, ConvertWritesTheFileUnderTheHourglassAndSaysSo) {
    writeSource("IPAddress '192.168.0.5'\r\nautoreboot\r\n");
    window_.txtSource.type(kSource);
    window_.txtDest.type(kDestination);
    window_.cmdStart.click();

    EXPECT_EQ(win32::GetPrivateProfileStringA("Network", "IPAddress", "", kDestination),
              "192.168.0.5");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Advanced", "AutoReboot", "", kDestination), "1");
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].text, "Conversion complete.");
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::Information);
    EXPECT_EQ(ui().messages()[0].caption, "Roamwise File Conversion");
    EXPECT_EQ(ui().pointerHistory(),
              (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
    EXPECT_TRUE(window_.cmdStart.Enabled());
}

TEST_F(ConverterWindowTest, ProblemsAreReportedWithTheirCauseAndConvertStaysUsable) {
    // Missing or empty source: the window's own check, nothing written, no hourglass.
    window_.txtDest.type(kDestination);
    window_.cmdStart.click();
    window_.txtSource.type("C:\\Roamwise\\nowhere.v1");
    window_.cmdStart.click();
    // An existing source but no destination: the conversion names the cause.
    writeSource("IPAddress '10.0.0.1'\r\n");
    window_.txtSource.type(kSource);
    window_.txtDest.type("  ");
    window_.cmdStart.click();

    EXPECT_EQ(ui().messageTexts(),
              (std::vector<std::string>{kSourceNotFound, kSourceNotFound, kDestinationMissing}));
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::Information);
    EXPECT_EQ(ui().messages()[2].icon, MsgBoxIcon::Exclamation);
    EXPECT_FALSE(platform::files().fileExists(kDestination));
    EXPECT_TRUE(window_.cmdStart.Enabled());
    EXPECT_EQ(ui().pointerHistory().back(), MousePointer::Default);
}

TEST_F(ConverterWindowTest, CloseUnloadsTheWindow) {
    window_.cmdClose.click();
    EXPECT_FALSE(window_.loaded());
}

}  // namespace
}  // namespace converter
