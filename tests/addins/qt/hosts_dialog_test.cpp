// The hosts add-in's dialog, opened through Show in a program with a running application
// and answered as a user would: Cancel, OK without a change, an edit, a refused row.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "tests/addins/AddInHarness.h"
#include "tests/platform/qt/QtTestApp.h"

namespace addintest {
namespace {

const std::string kConfig = "C:\\office.rmw";

class HostsDialog : public ::testing::Test {
  protected:
    HostsDialog() {
        qttest::application();
        writeBytes(host.native("C:\\WINDOWS\\HOSTS"),
                   "# Roamwise hosts add-in: begin\r\n10.0.0.1 files # office\r\n"
                   "# Roamwise hosts add-in: end\r\n");
    }

    // Shows the dialog, lets ANSWER act on it, and returns Show's outcome and Changed.
    std::pair<Outcome, bool> show(HostsObject& addIn, std::function<void(QWidget&)> answer) {
        qttest::answerNextModal([answer](QWidget& dialog) {
            EXPECT_EQ(dialog.objectName(), "frmHosts");
            answer(dialog);
        });
        const Outcome shown = addIn.call("Show");
        return {shown, addIn.property("Changed").result.boolean != 0};
    }
    static QTableWidget& table(QWidget& dialog) {
        return *dialog.findChild<QTableWidget*>("grdEntries");
    }
    static void click(QWidget& dialog, const char* button) {
        dialog.findChild<QPushButton*>(button)->click();
    }
    std::string saved(HostsObject& addIn) {
        EXPECT_EQ(addIn.callWithPath("saveSettings", kConfig).status, RMW_OK);
        return readBytes(host.native(kConfig));
    }

    FakeHost host;
};

TEST_F(HostsDialog, ShowsTheEntriesAndReportsNoChangeOnCancelOrAnUnchangedOK) {
    HostsObject addIn(host);
    const std::string before = saved(addIn);
    auto [cancelled, cancelChanged] = show(addIn, [](QWidget& dialog) {
        QTableWidget& rows = table(dialog);
        EXPECT_EQ(rows.rowCount(), 1);
        EXPECT_EQ(rows.item(0, 0)->text(), "10.0.0.1");
        EXPECT_EQ(rows.item(0, 1)->text(), "files");
        EXPECT_EQ(rows.item(0, 2)->text(), "office");
        rows.item(0, 1)->setText("changed-but-cancelled");
        click(dialog, "cmdCancel");
    });
    EXPECT_EQ(cancelled.status, RMW_OK);
    EXPECT_FALSE(cancelChanged);

    auto [accepted, okChanged] = show(addIn, [](QWidget& dialog) { click(dialog, "cmdOK"); });
    EXPECT_EQ(accepted.status, RMW_OK);
    EXPECT_FALSE(okChanged);
    EXPECT_EQ(saved(addIn), before);
}

TEST_F(HostsDialog, AnEditAcceptedWithOKChangesTheEntries) {
    HostsObject addIn(host);
    auto [shown, changed] = show(addIn, [](QWidget& dialog) {
        QTableWidget& rows = table(dialog);
        rows.item(0, 1)->setText("files fs");
        click(dialog, "cmdAdd");
        rows.item(1, 0)->setText(" 192.168.1.1 ");
        rows.item(1, 1)->setText("router");
        click(dialog, "cmdOK");
    });
    EXPECT_EQ(shown.status, RMW_OK);
    EXPECT_TRUE(changed);
    EXPECT_EQ(saved(addIn),
              "[Hosts Add-In]\r\nHost1=10.0.0.1        files fs  # office\r\n"
              "Host2=192.168.1.1     router\r\n");
}

TEST_F(HostsDialog, ARefusedRowKeepsTheDialogOpenWithTheReasonAndChangesNothing) {
    HostsObject addIn(host);
    const std::string before = saved(addIn);
    QString problem;
    auto [shown, changed] = show(addIn, [&problem](QWidget& dialog) {
        QTableWidget& rows = table(dialog);
        click(dialog, "cmdAdd");
        rows.item(1, 0)->setText("10.0.0.256");
        rows.item(1, 1)->setText("bad");
        click(dialog, "cmdOK");
        EXPECT_TRUE(dialog.isVisible());
        problem = dialog.findChild<QLabel*>("lblProblem")->text();
        EXPECT_EQ(rows.currentRow(), 1);
        click(dialog, "cmdRemove");
        EXPECT_EQ(rows.rowCount(), 1);
        click(dialog, "cmdCancel");
    });
    EXPECT_TRUE(problem.startsWith("Row 2 is refused. The address \"10.0.0.256\"")) << problem.toStdString();
    EXPECT_FALSE(changed);
    EXPECT_EQ(saved(addIn), before);
}

}  // namespace
}  // namespace addintest
