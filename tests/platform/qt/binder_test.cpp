// The Qt binder and user-interface service on a sample window with a control of every
// kind: user edits reach the model once, model changes reach the widgets, the focus
// follows the model's leave-field handlers, menus, toolbar switches and status panels
// stay in step, and message boxes, filters and the busy pointer behave.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/Services.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/CheckList.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/StatusPanel.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/ToolbarButton.h"
#include "platform/qt/FormBinder.h"
#include "platform/qt/QtUserInterface.h"
#include "tests/platform/qt/QtTestApp.h"

namespace {

using forms::Property;

class Sample : public forms::Form {
  public:
    Sample() : Form("frmSample", "Sample") {
        txtA.onChange([this] { ++changes; });
        txtA.onLostFocus([this] { txtA_LostFocus(); });
        chkOn.onClick([this] { ++clicks; });
        optY.onClick([this] { ++clicks; });
        cmbList.onClick([this] { ++clicks; });
        lstItems.onItemCheck([this](int) { ++clicks; });
        lstItems.onClick([this] { ++selections; });
        cmdGo.onClick([this] { ++clicks; });
        tabPages.onClick([this] { ++clicks; });
        mnuFileGo.onClick([this] { ++menuClicks; });
        tbarSample2.onClick([this](forms::ToolbarButton&) { ++clicks; });
        tabPages.addTab("tabOne", "One");
        tabPages.addTab("tabTwo", "Two");
        for (const char* item : {"red", "green"}) {
            cmbList.AddItem(item);
            lstItems.AddItem(item);
        }
        lblA.Caption("&Name");
        mnuFile.Caption("&File");
        mnuFileGo.Caption("&Go");
        mnuFileGo.Shortcut("Ctrl+A");
        mnuFile.add(mnuFileGo);
        mnuFile.add(mnuFileSep);
        mnuFile.add(mnuFileRecent1);
        tbarSample1.ToolTipText("Go");
        sbSample2.Picture("sample-indicator");
    }

    void txtA_LostFocus() {
        ++leaves;
        if (txtA.Text() != "bad") return;
        if (askOnLeave) platform::ui().messageBox("No.\r\rReally.", platform::MsgBoxButtons::OKOnly,
                                                  platform::MsgBoxIcon::Exclamation, "Sample");
        txtA.SetFocus();
    }

    int changes = 0, clicks = 0, menuClicks = 0, leaves = 0, selections = 0;
    bool askOnLeave = false;
    forms::TextBox txtA{*this, "txtA"};
    forms::TextBox txtB{*this, "txtB"};
    forms::TextBox txtNotes{*this, "txtNotes"};
    forms::CheckBox chkOn{*this, "chkOn"};
    forms::OptionGroup group;
    forms::OptionButton optX{*this, "optX", group};
    forms::OptionButton optY{*this, "optY", group};
    forms::ComboBox cmbList{*this, "cmbList"};
    forms::CheckList lstItems{*this, "lstItems"};
    forms::CommandButton cmdGo{*this, "cmdGo"};
    forms::Label lblA{*this, "lblA"};
    forms::Frame fraBox{*this, "fraBox"};
    forms::TabStrip tabPages{*this, "tabPages"};
    forms::MenuItem mnuFile{*this, "mnuFile"};
    forms::MenuItem mnuFileGo{*this, "mnuFileGo"};
    forms::MenuItem mnuFileSep{*this, "mnuFileSep", forms::MenuItem::Kind::Separator};
    forms::MenuItem mnuFileRecent1{*this, "mnuFileRecent(1)"};
    forms::ToolbarButton tbarSample1{*this, "tbarSample(1)", 1, forms::ToolbarButton::Style::Button};
    forms::ToolbarButton tbarSample3{*this, "tbarSample(3)", 3, forms::ToolbarButton::Style::Separator};
    forms::ToolbarButton tbarSample2{*this, "tbarSample(2)", 2, forms::ToolbarButton::Style::Check};
    forms::StatusPanel sbSample1{*this, "sbSample(1)"};
    forms::StatusPanel sbSample2{*this, "sbSample(2)"};
};

class BinderTest : public ::testing::Test {
  protected:
    BinderTest() {
        qttest::application();
        auto* central = new QWidget(&window_);
        auto* layout = new QVBoxLayout(central);
        for (const char* name : {"txtA", "txtB"}) add<QLineEdit>(layout, name);
        add<QPlainTextEdit>(layout, "txtNotes");
        add<QCheckBox>(layout, "chkOn");
        add<QRadioButton>(layout, "optX");
        add<QRadioButton>(layout, "optY");
        add<QComboBox>(layout, "cmbList");
        add<QListWidget>(layout, "lstItems");
        add<QPushButton>(layout, "cmdGo");
        add<QLabel>(layout, "lblA");
        add<QGroupBox>(layout, "fraBox");
        auto* tabs = add<QTabWidget>(layout, "tabPages");
        tabs->addTab(new QWidget, QString());
        tabs->addTab(new QWidget, QString());
        window_.setCentralWidget(central);
        window_.addToolBar(new QToolBar(&window_));
        window_.findChild<QToolBar*>()->setObjectName("tbarSample");
        window_.setStatusBar(new QStatusBar(&window_));
        window_.statusBar()->setObjectName("sbSample");
        binder_ = &qtkit::bindForm(form_, window_);
        services_.ui = &ui_;
        scope_ = std::make_unique<platform::ScopedServices>(services_);
    }

    template <class W>
    W* add(QVBoxLayout* layout, const char* name) {
        auto* widget = new W;
        widget->setObjectName(name);
        layout->addWidget(widget);
        return widget;
    }
    template <class W = QWidget>
    W* widget(const char* name) {
        W* found = window_.findChild<W*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // A box takes clicks on its indicator.
    void clickBox(const char* name) {
        QWidget* box = widget(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    QAction* action(const char* name) { return widget<QAction>(name); }
    void showActive() {
        window_.show();
        QApplication::setActiveWindow(&window_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    QApplication& application_ = qttest::application();
    Sample form_;
    QMainWindow window_;
    qtkit::FormBinder* binder_ = nullptr;
    qtkit::QtUserInterface ui_;
    platform::Services services_ = platform::services();
    std::unique_ptr<platform::ScopedServices> scope_;
};

TEST_F(BinderTest, EveryControlShowsTheModelAndTakesEachUserEditOnce) {
    showActive();
    EXPECT_TRUE(binder_->unboundControls().isEmpty()) << binder_->unboundControls().join(',').toStdString();
    EXPECT_EQ(window_.windowTitle(), "Sample");
    form_.Caption("Renamed");
    EXPECT_EQ(window_.windowTitle(), "Renamed");

    auto* txtA = widget<QLineEdit>("txtA");
    QTest::keyClicks(txtA, "ab");
    EXPECT_EQ(form_.txtA.Text(), "ab");
    EXPECT_EQ(form_.changes, 2);
    form_.txtA.Text("xyz");
    EXPECT_EQ(txtA->text(), "xyz");
    EXPECT_EQ(form_.changes, 3);
    // The maximum length limits typing only: a longer text set by the program shows whole,
    // can be shortened, but takes nothing more.
    form_.txtA.MaxLength(3);
    form_.txtA.Text("12345");
    EXPECT_EQ(txtA->text(), "12345");
    txtA->end(false);
    QTest::keyClick(txtA, Qt::Key_6);
    EXPECT_EQ(txtA->text(), "12345");
    QTest::keyClick(txtA, Qt::Key_Backspace);
    EXPECT_EQ(form_.txtA.Text(), "1234");
    form_.txtA.Locked(true);
    EXPECT_TRUE(txtA->isReadOnly());
    form_.txtB.Enabled(false);
    form_.txtB.BackColor(forms::SystemColor::ButtonFace);
    EXPECT_FALSE(widget("txtB")->isEnabled());
    EXPECT_NE(widget("txtB")->palette().color(QPalette::Base), txtA->palette().color(QPalette::Base));

    auto* notes = widget<QPlainTextEdit>("txtNotes");
    form_.txtNotes.MultiLine(true);
    form_.txtNotes.Text("one\r\ntwo");
    EXPECT_EQ(notes->toPlainText(), "one\ntwo");
    notes->setPlainText("one\nthree");
    EXPECT_EQ(form_.txtNotes.Text(), "one\r\nthree");

    form_.clicks = 0;
    clickBox("chkOn");
    EXPECT_TRUE(form_.chkOn.checked());
    form_.chkOn.Value(0);
    EXPECT_FALSE(widget<QCheckBox>("chkOn")->isChecked());
    form_.optX.Value(true);
    EXPECT_TRUE(widget<QRadioButton>("optX")->isChecked());
    clickBox("optY");
    EXPECT_TRUE(form_.optY.Value());
    EXPECT_FALSE(widget<QRadioButton>("optX")->isChecked());
    EXPECT_EQ(form_.clicks, 3);  // check box twice (click, then the program), option once

    auto* list = widget<QComboBox>("cmbList");
    EXPECT_EQ(list->count(), 2);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(form_.cmbList.ListIndex(), 0);
    form_.cmbList.ListIndex(1);
    EXPECT_EQ(list->currentIndex(), 1);
    form_.cmbList.Enabled(false);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(form_.cmbList.ListIndex(), 1);
    EXPECT_EQ(list->currentIndex(), 1);

    auto* checks = widget<QListWidget>("lstItems");
    checks->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(form_.lstItems.itemChecked(1));
    form_.lstItems.itemChecked(0, true);
    EXPECT_EQ(checks->item(0)->checkState(), Qt::Checked);
    // Selecting goes both ways; a disabled list keeps the model's selection on screen.
    checks->setCurrentRow(1);
    EXPECT_EQ(form_.lstItems.ListIndex(), 1);
    form_.lstItems.ListIndex(0);
    EXPECT_EQ(checks->currentRow(), 0);
    EXPECT_EQ(form_.selections, 2);
    form_.lstItems.Enabled(false);
    checks->setCurrentRow(1);
    checks->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(form_.lstItems.ListIndex(), 0);
    EXPECT_EQ(checks->currentRow(), 0);
    EXPECT_EQ(checks->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(form_.selections, 2);
    form_.lstItems.Enabled(true);

    form_.cmdGo.Caption("&Go");
    EXPECT_EQ(widget<QPushButton>("cmdGo")->text(), "&Go");
    QTest::mouseClick(widget("cmdGo"), Qt::LeftButton);
    form_.cmdGo.Visible(false);
    EXPECT_TRUE(widget("cmdGo")->isHidden());
    EXPECT_EQ(widget<QLabel>("lblA")->text(), "Name");

    auto* tabs = widget<QTabWidget>("tabPages");
    EXPECT_EQ(tabs->tabText(1), "Two");
    tabs->setCurrentIndex(1);
    EXPECT_EQ(form_.tabPages.currentTab(), 1);
    form_.tabPages.tab(0).Enabled(false);
    EXPECT_FALSE(tabs->isTabEnabled(0));
    form_.tabPages.currentTab(0);
    EXPECT_EQ(tabs->currentIndex(), 0);
    // The list twice (the user's pick, the program's), the check list's box, the command
    // button, the tab the user picked.
    EXPECT_EQ(form_.clicks, 3 + 5);
}

TEST_F(BinderTest, ALeaveFieldHandlerKeepsTheFocusAndAMessageBoxIsNoLeave) {
    showActive();
    auto* txtA = widget<QLineEdit>("txtA");
    QTest::mouseClick(txtA, Qt::LeftButton);
    EXPECT_TRUE(form_.txtA.hasFocus());
    QTest::keyClicks(txtA, "bad");
    form_.askOnLeave = true;
    QString shownText;
    qttest::answerNextModal([&](QWidget& modal) {
        auto& box = dynamic_cast<QMessageBox&>(modal);
        shownText = box.text();
        box.button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(widget("txtB"), Qt::LeftButton);
    EXPECT_EQ(shownText, "No.\n\nReally.");
    EXPECT_EQ(form_.leaves, 1);  // the message box taking the focus left no field
    EXPECT_TRUE(form_.txtA.hasFocus());
    // The window's focus field, wherever the platform puts the activation afterwards.
    EXPECT_EQ(window_.focusWidget(), txtA);

    form_.txtA.Text("good");
    form_.txtB.SetFocus();
    EXPECT_EQ(window_.focusWidget(), widget("txtB"));
    EXPECT_EQ(form_.leaves, 2);
}

TEST_F(BinderTest, MenusToolbarSwitchesAndPanelsStayInStep) {
    showActive();
    ASSERT_NE(window_.findChild<QMenu*>("mnuFile"), nullptr);
    EXPECT_EQ(window_.findChild<QMenu*>("mnuFile")->title(), "&File");
    EXPECT_TRUE(action("mnuFileSep")->isSeparator());
    ASSERT_NE(action("mnuFileRecent_1"), nullptr);
    form_.mnuFileRecent1.Visible(false);
    EXPECT_FALSE(action("mnuFileRecent_1")->isVisible());

    // Ctrl+A runs the menu command even while a text box (which would select all) has it.
    QTest::mouseClick(widget("txtA"), Qt::LeftButton);
    QTest::keyClick(widget("txtA"), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form_.menuClicks, 1);
    form_.mnuFileGo.Checked(true);
    EXPECT_TRUE(action("mnuFileGo")->isChecked());
    action("mnuFileGo")->trigger();
    EXPECT_EQ(form_.menuClicks, 2);
    EXPECT_TRUE(action("mnuFileGo")->isChecked());  // the model keeps its check mark
    form_.mnuFileGo.Enabled(false);
    action("mnuFileGo")->trigger();
    EXPECT_EQ(form_.menuClicks, 2);

    QAction* toggle = action("tbarSample_2");
    EXPECT_TRUE(toggle->isCheckable());
    EXPECT_TRUE(action("tbarSample_3")->isSeparator());
    EXPECT_EQ(action("tbarSample_1")->toolTip(), "Go");
    form_.clicks = 0;
    toggle->trigger();
    EXPECT_TRUE(form_.tbarSample2.Pressed());
    EXPECT_EQ(form_.clicks, 1);
    form_.tbarSample2.Pressed(false);
    EXPECT_FALSE(toggle->isChecked());
    form_.tbarSample2.Enabled(false);
    toggle->trigger();
    EXPECT_FALSE(form_.tbarSample2.Pressed());
    EXPECT_FALSE(toggle->isChecked());

    form_.sbSample1.Text("Last File Applied: N/A");
    EXPECT_EQ(widget<QLabel>("sbSample_1")->text(), "Last File Applied: N/A");
    form_.sbSample2.Visible(false);
    EXPECT_TRUE(widget("sbSample_2")->isHidden());
    form_.sbSample2.Visible(true);
    EXPECT_FALSE(widget("sbSample_2")->isHidden());
}

TEST_F(BinderTest, TheServiceAsksShowsAndRestoresThePointer) {
    qttest::answerNextModal([](QWidget& modal) {
        auto& box = dynamic_cast<QMessageBox&>(modal);
        EXPECT_EQ(box.windowTitle(), "Caption");
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ui_.messageBox("Sure?", platform::MsgBoxButtons::YesNo, platform::MsgBoxIcon::Question,
                             "Caption"),
              platform::MsgBoxResult::No);

    EXPECT_EQ(qtkit::nameFilters("Roamwise Files (*.rmw)|*.rmw|All Files (*.*)|*.*"),
              QStringList({"Roamwise Files (*.rmw *.RMW)", "All Files (*)"}));

    {
        platform::BusyPointer busy(ui_);
        platform::BusyPointer nested(ui_);
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A modeless form shown twice has one window; unloading it closes that window.
    Sample dialog;
    ui_.registerWindow("frmSample", [] { return std::make_unique<QWidget>(); });
    dialog.ShowModeless(form_);
    QWidget* first = ui_.windowOf(dialog);
    ASSERT_NE(first, nullptr);
    dialog.ShowModeless(form_);
    EXPECT_EQ(ui_.windowOf(dialog), first);
    dialog.Unload();
    EXPECT_EQ(ui_.windowOf(dialog), nullptr);
}

}  // namespace
