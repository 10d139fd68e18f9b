// The setup package's real dialogs on Qt's offscreen platform: the main dialog's
// Install, the agreement page answered "I agree", the overwrite question answered with
// "Don't ask again" ticked, and Finish.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <memory>

#include "platform/qt/FormBinder.h"
#include "platform/qt/QtUserInterface.h"
#include "setup/SetupProgram.h"
#include "tests/setup/SetupPackages.h"
#include "tests/support/TestMachine.h"
#include "ui_DLG_LIC.h"
#include "ui_DLG_Main.h"
#include "ui_FileExist.h"

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[14] = "test_setup_qt";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

const ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

template <class Widget>
Widget* child(QWidget* window, const char* name) {
    return window->findChild<Widget*>(QString::fromLatin1(name));
}

TEST(SetupDialogsGuiTest, InstallAgreeOverwriteWithoutAskingAgainAndFinish) {
    testsupport::TestMachine machine{"win98"};
    qtkit::QtUserInterface ui;
    ui.registerWindow("DLG_Main", [] { return qtkit::makeWindow<Ui::DLG_Main, QDialog>(); });
    ui.registerWindow("DLG_LIC", [] { return qtkit::makeWindow<Ui::DLG_LIC, QDialog>(); });
    ui.registerWindow("FileExist", [] { return qtkit::makeWindow<Ui::FileExist, QDialog>(); });
    platform::Services services = machine.services();
    services.ui = &ui;
    machine.install(services);
    testsupport::TempFolder folder;
    const auto package = folder.path() / "RmwSetup.exe";
    setuptest::writePackage(package,
                            setuptest::zipOf({{"setup.inf", setuptest::installingInf("a.txt"), 0},
                                              {"a.txt", "one"}, {"a.txt", "two"}, {"a.txt", "three"}}),
                            setuptest::header(1, "The terms."));

    // Operates whichever dialog is up, as a user would, and notes what it saw.
    // A dialog's button may open the next dialog before its click returns, so every
    // turn first arranges the next one: a timer never fires again while its own
    // handler runs.
    std::vector<std::string> seen;
    bool driving = true;
    QPointer<QWidget> answered;
    std::function<void()> drive = [&] {
        if (!driving) return;
        QTimer::singleShot(10, drive);
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr) return;
        const std::string name = window->objectName().toStdString();
        if (name == "DLG_Main") {
            auto* install = child<QPushButton>(window, "cmdInstall");
            auto* close = child<QPushButton>(window, "cmdClose");
            if (install->isVisible() && install->isEnabled()) {
                seen.push_back(window->windowTitle().toStdString() + ": " + install->text().toStdString());
                QTest::mouseClick(install, Qt::LeftButton);
            } else if (close->isEnabled() && close->text() == "&Finish") {
                seen.push_back(child<QPlainTextEdit>(window, "txtStatus")->toPlainText().trimmed().toStdString());
                QTest::mouseClick(close, Qt::LeftButton);
            }
        } else if (name == "DLG_LIC") {
            seen.push_back(child<QPlainTextEdit>(window, "txtAgreement")->toPlainText().toStdString());
            QTest::mouseClick(child<QPushButton>(window, "cmdAgree"), Qt::LeftButton);
        } else if (name == "FileExist") {
            if (window == answered) return;  // still closing
            answered = window;
            seen.push_back(window->windowTitle().toStdString() + " / " + child<QCheckBox>(window, "chkDontAsk")->text().toStdString());
            auto* dontAsk = child<QCheckBox>(window, "chkDontAsk");  // clicked on its box
            QTest::mouseClick(dontAsk, Qt::LeftButton, {}, QPoint(8, dontAsk->height() / 2));
            QTest::mouseClick(child<QPushButton>(window, "cmdYes"), Qt::LeftButton);
        }
    };
    QTimer::singleShot(10, drive);
    const setup::SetupOutcome outcome = setup::SetupProgram(package.string()).run();
    driving = false;

    EXPECT_TRUE(outcome.installed);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Test Installation: &Install", "The terms.",
                        "a.txt already exists - overwrite ? / Don't &ask again",
                        "Please click the \"Finish\" button to close this window after setup."}));
    std::ifstream installed(platform::files().toNative("C:\\Installed\\a.txt"));
    std::string content;
    installed >> content;
    EXPECT_EQ(content, "three");
}

}  // namespace
