// RmwConverter's real window on Qt's offscreen platform: typing both paths into the
// fields, Convert through a mouse click with the message box answered, Escape closing
// the window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

#include "converter/frmMain.h"
#include "platform/Services.h"
#include "platform/Win32.h"
#include "platform/qt/FormBinder.h"
#include "platform/qt/QtUserInterface.h"
#include "tests/support/TestMachine.h"
#include "ui_frmMain.h"

namespace converter {
namespace {

const std::string kSource = "C:\\Roamwise\\office.v1";
const std::string kDestination = "C:\\Roamwise\\office.rmw";

// The application lives from the first test to the end of the run and goes before the
// process exits, while Qt's own thread storage still exists.
class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[18] = "test_converter_qt";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

const ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

class ConverterGuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(platform::files().toNative("C:\\Roamwise"));
        ui_.registerWindow("frmMain", [] { return qtkit::makeWindow<Ui::frmMain, QDialog>(); });
        platform::Services services = machine_.services();
        services.ui = &ui_;
        machine_.install(services);
        window_.ShowModeless();
        shown_ = ui_.windowOf(window_);
        ASSERT_NE(shown_, nullptr);
    }
    void TearDown() override {
        if (window_.loaded()) window_.Unload();
    }
    template <class Widget>
    Widget& widget(const char* name) {
        auto* found = shown_->findChild<Widget*>(QString::fromLatin1(name));
        if (found == nullptr) throw std::runtime_error(std::string("no widget ") + name);
        return *found;
    }
    // Answers the next message box with OK once it is up, and keeps its text.
    void answerNextMessage() {
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            messages_.push_back(box->text().toStdString());
            box->accept();
        });
    }

    testsupport::TestMachine machine_{"win98"};
    qtkit::QtUserInterface ui_;
    frmMain window_;
    QWidget* shown_ = nullptr;
    std::vector<std::string> messages_;
};

TEST_F(ConverterGuiTest, TypedPathsAreConvertedByAClickOnConvert) {
    ASSERT_TRUE(platform::files().writeWholeFile(kSource, "IPAddress '10.1.2.3'\r\ndhcpwins\r\n"));
    EXPECT_EQ(shown_->windowTitle(), "Roamwise 1.x to 2.0 Configuration File Converter");
    EXPECT_EQ(widget<QPushButton>("cmdStart").toolTip(), "Click to start conversion");

    QTest::keyClicks(&widget<QLineEdit>("txtSource"), QString::fromStdString(kSource));
    QTest::keyClicks(&widget<QLineEdit>("txtDest"), QString::fromStdString(kDestination));
    EXPECT_EQ(window_.txtSource.Text(), kSource);
    answerNextMessage();
    QTest::mouseClick(&widget<QPushButton>("cmdStart"), Qt::LeftButton);

    EXPECT_EQ(messages_, std::vector<std::string>{"Conversion complete."});
    EXPECT_EQ(win32::GetPrivateProfileStringA("Network", "IPAddress", "", kDestination),
              "10.1.2.3");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Network", "WINS", "", kDestination), "1");
    EXPECT_TRUE(widget<QPushButton>("cmdStart").isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ConverterGuiTest, AMissingSourceIsReportedAndEscapeCloses) {
    QTest::keyClicks(&widget<QLineEdit>("txtSource"), "C:\\nowhere.v1");
    answerNextMessage();
    QTest::mouseClick(&widget<QPushButton>("cmdStart"), Qt::LeftButton);
    EXPECT_EQ(messages_,
              std::vector<std::string>{"Cannot find source configuration file.  Please check path."});

    QTest::keyClick(&widget<QLineEdit>("txtSource"), Qt::Key_Escape);
    EXPECT_FALSE(window_.loaded());
}

}  // namespace
}  // namespace converter
