// rmw's main window through its real widgets on a Windows 98 machine: a file named on the
// command line, an invalid address left, Apply with the restart dialog, Save As through
// the file dialog, and closing with unsaved changes.

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "app/qt/RmwWindows.h"
#include "platform/qt/QtUserInterface.h"
#include "tests/app/AddInFixture.h"
#include "tests/platform/qt/QtTestApp.h"

namespace {

using mainwindowtest::kOtherAddress;

class RmwWindowTest : public mainwindowtest::MainWindowTest {
  protected:
    RmwWindowTest() {
        qttest::application();
        rmwqt::registerWindows(ui_);
        platform::Services services = machine_.services();
        services.ui = &ui_;
        machine_.install(services);
    }
    ~RmwWindowTest() override {
        if (window_ && window_->loaded()) window_->Unload();
    }

    // Starts rmw with COMMANDLINE as its entry does, and waits for the window.
    QMainWindow& show(const std::string& commandLine = "") {
        window_ = std::make_unique<frmMain>(commandLine);
        window_->ShowModeless();
        auto* shown = qobject_cast<QMainWindow*>(ui_.windowOf(*window_));
        EXPECT_NE(shown, nullptr);
        QApplication::setActiveWindow(shown);
        EXPECT_TRUE(QTest::qWaitForWindowActive(shown));
        return *shown;
    }
    template <class W = QWidget>
    W& widget(QWidget& root, const char* name) {
        W* found = root.findChild<W*>(name);
        if (found == nullptr) throw std::runtime_error(std::string("no widget ") + name);
        return *found;
    }
    // Answers the next message box with BUTTON and records its text.
    void answerMessage(QMessageBox::StandardButton button) {
        qttest::answerNextModal([this, button](QWidget& modal) {
            auto& box = dynamic_cast<QMessageBox&>(modal);
            messages_ << box.text();
            box.button(button)->click();
        });
    }

    qtkit::QtUserInterface ui_;
    QStringList messages_;
};

TEST_F(RmwWindowTest, AFileOnTheCommandLineMarksItsFieldsAndAnInvalidAddressKeepsTheFocus) {
    const std::string file = configurationFile("Office.rmw", false, false,
                                                {{"IPAddress", kOtherAddress}, {"DHCP", "0"}});
    QMainWindow& window = show("\"" + file + "\"");
    EXPECT_EQ(widget<QLineEdit>(window, "txtIP").text(), kOtherAddress);
    EXPECT_TRUE(widget<QLineEdit>(window, "txtIP").isEnabled());
    EXPECT_FALSE(widget(window, "sbStatus_4").isHidden());  // "requires a reset"
    EXPECT_TRUE(window.windowTitle().startsWith("Office"));

    auto& txtIP = widget<QLineEdit>(window, "txtIP");
    QTest::mouseClick(&txtIP, Qt::LeftButton);
    txtIP.selectAll();
    QTest::keyClicks(&txtIP, "10.1.2");
    answerMessage(QMessageBox::Ok);
    QTest::mouseClick(&widget(window, "txtMask"), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_.front(), "Please enter a valid IP address (e.g. 192.168.101.5)");
    EXPECT_EQ(window.focusWidget(), &txtIP);
    EXPECT_TRUE(window_->general.txtIP.hasFocus());
}

TEST_F(RmwWindowTest, ApplyAsksToRestartAndSaveAsUsesTheFileDialog) {
    const std::string file = configurationFile("Office.rmw", false, false,
                                                {{"IPAddress", kOtherAddress}, {"DHCP", "0"}});
    QMainWindow& window = show("\"" + file + "\"");

    bool restartAsked = false;
    qttest::answerNextModal([&](QWidget& question) {
        auto& box = dynamic_cast<QMessageBox&>(question);
        EXPECT_EQ(box.text(), "Apply configuration changes?");
        // The restart dialog follows the answer.
        qttest::answerNextModal([&](QWidget& dialog) {
            restartAsked = dialog.objectName() == "frmRestart";
            ASSERT_TRUE(restartAsked) << dialog.objectName().toStdString();
            QTest::mouseClick(dialog.findChild<QRadioButton*>("optManual"), Qt::LeftButton, {},
                              QPoint(6, 6));
            answerMessage(QMessageBox::Ok);  // the reminder to restart later
            QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        box.button(QMessageBox::Yes)->click();
    });
    widget<QAction>(window, "mnuFileApply").trigger();
    EXPECT_TRUE(restartAsked);
    EXPECT_TRUE(powerRequests().empty());
    EXPECT_EQ(machineAddress(), kOtherAddress);

    const std::string saved = path("Home.rmw");
    qttest::answerNextModal([&](QWidget& modal) {
        auto& dialog = dynamic_cast<QFileDialog&>(modal);
        dialog.selectFile(QString::fromStdString(saved));
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    widget<QAction>(window, "mnuFileSaveAs").trigger();
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_TRUE(window.windowTitle().startsWith("Home"));
}

TEST_F(RmwWindowTest, ClosingWithUnsavedChangesCanBeCancelled) {
    QMainWindow& window = show();
    auto& txtHost = widget<QLineEdit>(window, "txtHost");
    QTest::mouseClick(&txtHost, Qt::LeftButton);
    QTest::keyClicks(&txtHost, "x");
    EXPECT_FALSE(widget(window, "sbStatus_3").isHidden());  // unsaved changes

    answerMessage(QMessageBox::Cancel);
    window.close();
    EXPECT_EQ(messages_.size(), 1);
    EXPECT_TRUE(window_->loaded());
    EXPECT_TRUE(window.isVisible());
}

}  // namespace

namespace {

// The manager's list through its widget: ticks and the selection reach the model, OK
// stores them, and the window's menu follows.
TEST_F(RmwWindowTest, TheAddInManagerTicksAndShowsThroughItsWidgets) {
    mainwindowtest::ScopedClass hosts("Test.Hosts"), vpn("Test.VPN");
    mainwindowtest::registerAddIn("Hosts", "Test.Hosts", "*", "1");
    mainwindowtest::registerAddIn("VPN", "Test.VPN", "*", "0");
    SettingsStore().SaveSetting(kAppName, "Add-Ins\\VPN", "Version", "2.0");
    QMainWindow& window = show();

    QString frameTitle, version;
    qttest::answerNextModal([&](QWidget& dialog) {
        ASSERT_EQ(dialog.objectName(), "frmAddIns");
        EXPECT_EQ(dialog.windowTitle(), "Add-In Manager");
        auto& list = widget<QListWidget>(dialog, "lstAddIns");
        ASSERT_EQ(list.count(), 2);
        const int vpnRow = list.item(0)->text() == "VPN" ? 0 : 1;
        EXPECT_EQ(list.item(1 - vpnRow)->checkState(), Qt::Checked);
        EXPECT_EQ(list.item(vpnRow)->checkState(), Qt::Unchecked);
        list.setCurrentRow(vpnRow);
        frameTitle = widget<QGroupBox>(dialog, "frAddIn").title();
        version = widget<QLineEdit>(dialog, "txtVersion").text();
        list.item(vpnRow)->setCheckState(Qt::Checked);
        list.item(1 - vpnRow)->setCheckState(Qt::Unchecked);
        QTest::mouseClick(&widget<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    widget<QAction>(window, "mnuToolsAddInManager").trigger();
    EXPECT_EQ(frameTitle, "VPN");
    EXPECT_EQ(version, "2.0");
    EXPECT_EQ(mainwindowtest::active("Hosts"), "0");
    EXPECT_EQ(mainwindowtest::active("VPN"), "1");
    EXPECT_EQ(window_->mnuAddIns(0).Caption(), "VPN...");
    EXPECT_FALSE(window_->mnuAddIns(1).Visible());
    EXPECT_EQ(hosts.state().alive(), 0);
}

}  // namespace
