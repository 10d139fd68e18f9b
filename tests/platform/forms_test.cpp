// The window model's controls: events raised once per real change, option groups,
// maximum lengths, focus and the leave-field event, and a form's life from loading to
// closing through the user-interface service.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/Services.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/CheckList.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/ToolbarButton.h"
#include "tests/support/ScriptedUserInterface.h"

namespace {

class Sample : public forms::Form {
  public:
    Sample() : Form("frmSample", "Sample") {
        txtName.onChange([this] { ++changes; });
        txtName.onLostFocus([this] { ++leaves; });
        chkOn.onClick([this] { ++clicks; });
        optA.onClick([this] { ++aClicks; });
        optB.onClick([this] { ++bClicks; });
        cmbList.onClick([this] { ++listClicks; });
        cmdOK.onClick([this] { Unload(); });
    }
    int changes = 0, leaves = 0, clicks = 0, aClicks = 0, bClicks = 0, listClicks = 0;
    bool refuseClose = false;
    int loads = 0, unloads = 0;

    forms::TextBox txtName{*this, "txtName"};
    forms::TextBox txtOther{*this, "txtOther"};
    forms::CheckBox chkOn{*this, "chkOn"};
    forms::OptionGroup group;
    forms::OptionButton optA{*this, "optA", group};
    forms::OptionButton optB{*this, "optB", group};
    forms::ComboBox cmbList{*this, "cmbList"};
    forms::CommandButton cmdOK{*this, "cmdOK"};

  protected:
    void Form_Load() override { ++loads; }
    bool Form_QueryUnload() override { return refuseClose; }
    void Form_Unload() override { ++unloads; }
};

TEST(FormsTest, ValuesRaiseTheirEventOnlyWhenTheyChange) {
    Sample form;
    form.txtName.Text("a");
    form.txtName.Text("a");
    form.txtName.Text("");
    EXPECT_EQ(form.changes, 2);

    form.chkOn.Value(forms::CheckBox::Checked);
    form.chkOn.Value(forms::CheckBox::Checked);
    form.chkOn.click();
    EXPECT_EQ(form.clicks, 2);
    EXPECT_FALSE(form.chkOn.checked());

    form.cmbList.AddItem("x");
    form.cmbList.AddItem("y");
    EXPECT_EQ(form.listClicks, 0) << "filling a list raises nothing";
    EXPECT_TRUE(form.cmbList.selectText("y"));
    form.cmbList.ListIndex(1);
    EXPECT_EQ(form.listClicks, 1);
    EXPECT_EQ(form.cmbList.Text(), "y");
    EXPECT_FALSE(form.cmbList.selectText("z"));
    EXPECT_THROW(form.cmbList.ListIndex(2), std::out_of_range);
    form.cmbList.Clear();
    EXPECT_EQ(form.cmbList.ListIndex(), -1);
    EXPECT_EQ(form.cmbList.Text(), "");
}

TEST(FormsTest, OptionButtonsOfAGroupClearEachOtherAndOnlyTheChosenOneClicks) {
    Sample form;
    EXPECT_EQ(form.group.selected(), nullptr);
    form.optA.click();
    form.optB.Value(true);
    EXPECT_FALSE(form.optA.Value());
    EXPECT_EQ(form.group.selected(), &form.optB);
    form.optB.click();
    EXPECT_EQ(form.aClicks, 1);
    EXPECT_EQ(form.bClicks, 1);
    form.optB.Value(false);
    EXPECT_EQ(form.group.selected(), nullptr);
    EXPECT_EQ(form.bClicks, 1);
}

TEST(FormsTest, TheMaximumLengthCutsTypedTextOnly) {
    Sample form;
    form.txtName.MaxLength(3);
    form.txtName.type("abcdef");
    EXPECT_EQ(form.txtName.Text(), "abc");
    form.txtName.Text("abcdef");
    EXPECT_EQ(form.txtName.Text(), "abcdef");
    form.txtName.MaxLength(0);
    form.txtName.type("abcdefgh");
    EXPECT_EQ(form.txtName.Text(), "abcdefgh");
}

TEST(FormsTest, MovingTheFocusRaisesTheLeaveFieldEventOfTheFieldLeft) {
    Sample form;
    form.txtName.SetFocus();
    EXPECT_TRUE(form.txtName.hasFocus());
    form.txtName.SetFocus();
    EXPECT_EQ(form.leaves, 0);
    form.txtOther.SetFocus();
    EXPECT_EQ(form.leaves, 1);
    EXPECT_EQ(form.focused(), &form.txtOther);

    // A handler that puts the focus back keeps it there.
    form.txtName.onLostFocus([&] { form.txtName.SetFocus(); });
    form.txtName.SetFocus();
    form.moveFocus(nullptr);
    EXPECT_TRUE(form.txtName.hasFocus());
}

TEST(FormsTest, DisabledButtonsMenusAndSeparatorsIgnoreClicks) {
    Sample form;
    form.cmdOK.Enabled(false);
    form.Load();
    form.cmdOK.click();
    EXPECT_TRUE(form.loaded());

    int menuClicks = 0;
    forms::MenuItem item(form, "mnuItem");
    item.onClick([&] { ++menuClicks; });
    item.click();
    item.Visible(false);
    item.click();
    EXPECT_EQ(menuClicks, 1);

    int toolbarClicks = 0;
    forms::ToolbarButton toggle(form, "tb6", 6, forms::ToolbarButton::Style::Check);
    forms::ToolbarButton separator(form, "tb5", 5, forms::ToolbarButton::Style::Separator);
    toggle.onClick([&](forms::ToolbarButton& button) { toolbarClicks += button.Index(); });
    separator.onClick([&](forms::ToolbarButton&) { toolbarClicks += 100; });
    toggle.click();
    EXPECT_TRUE(toggle.Pressed());
    toggle.click();
    EXPECT_FALSE(toggle.Pressed());
    separator.click();
    EXPECT_EQ(toolbarClicks, 12);
}

TEST(FormsTest, DisabledOrHiddenBoxesTakeNoClicks) {
    Sample form;
    form.chkOn.Enabled(false);
    form.chkOn.click();
    form.optA.Visible(false);
    form.optA.click();
    EXPECT_FALSE(form.chkOn.checked());
    EXPECT_FALSE(form.optA.Value());
    EXPECT_EQ(form.clicks + form.aClicks, 0);

    // The program still sets them.
    form.chkOn.Value(forms::CheckBox::Checked);
    form.optA.Value(true);
    EXPECT_EQ(form.clicks + form.aClicks, 2);
}

// A handler that gives its own control a new handler must not pull the running one out
// from under itself (the captured text lives on the heap, so a sanitizer sees it).
TEST(FormsTest, AHandlerMayReplaceItselfWhileItRuns) {
    Sample form;
    std::string seen;
    const std::string captured(64, 'c');
    form.cmdOK.onClick([&form, &seen, captured] {
        form.cmdOK.onClick([] {});
        seen = captured;
    });
    form.cmdOK.click();
    EXPECT_EQ(seen, captured);

    seen.clear();
    forms::ToolbarButton button(form, "tb1", 1, forms::ToolbarButton::Style::Button);
    button.onClick([&seen, captured](forms::ToolbarButton& clicked) {
        clicked.onClick([](forms::ToolbarButton&) {});
        seen = captured;
    });
    button.click();
    EXPECT_EQ(seen, captured);
}

TEST(FormsTest, ControlsAreFoundByNameAndKind) {
    Sample form;
    EXPECT_EQ(&form.control<forms::TextBox>("txtName"), &form.txtName);
    EXPECT_THROW(form.control<forms::CheckBox>("txtName"), std::out_of_range);
    EXPECT_THROW(form.control<forms::TextBox>("txtMissing"), std::out_of_range);
    EXPECT_EQ(forms::arrayName("mnuFileRecent", 1), "mnuFileRecent(1)");

    forms::TabStrip tabs(form, "tabs");
    tabs.addTab("General", "General");
    tabs.addTab("Advanced", "Advanced");
    tabs.currentTab(1);
    EXPECT_EQ(tabs.currentTab(), 1);
    EXPECT_THROW(tabs.currentTab(2), std::out_of_range);
    EXPECT_EQ(&form.control<forms::Tab>("Advanced"), &tabs.tab(1));

    // A name stands for one control only.
    EXPECT_THROW(forms::TextBox(form, "txtName"), std::logic_error);
    EXPECT_THROW(tabs.addTab("General", "Again"), std::logic_error);
    EXPECT_EQ(&form.control<forms::TextBox>("txtName"), &form.txtName);
}

TEST(FormsTest, ControlsAndFormsMayGoInEitherOrder) {
    Sample form;
    auto temporary = std::make_unique<forms::TextBox>(form, "txtTemporary");
    temporary->onLostFocus([] { FAIL() << "a destroyed field raised its event"; });
    temporary->SetFocus();
    temporary.reset();
    EXPECT_EQ(form.find("txtTemporary"), nullptr);
    EXPECT_EQ(form.focused(), nullptr);
    form.txtName.SetFocus();
    forms::TextBox again(form, "txtTemporary");  // the name is free again
    EXPECT_EQ(&form.control<forms::TextBox>("txtTemporary"), &again);

    auto option = std::make_unique<forms::OptionButton>(form, "optC", form.group);
    option->click();
    option.reset();
    EXPECT_EQ(form.group.selected(), nullptr);
    form.optA.click();
    EXPECT_EQ(form.group.selected(), &form.optA);

    // Controls left behind by their form or their group stay usable as objects.
    auto owner = std::make_unique<Sample>();
    auto group = std::make_unique<forms::OptionGroup>();
    forms::OptionButton orphan(*owner, "optOrphan", *group);
    owner.reset();
    group.reset();
    orphan.click();
    EXPECT_TRUE(orphan.Value());
    EXPECT_FALSE(orphan.hasFocus());
}

// Loads only on the second try.
class FailingLoad : public forms::Form {
  public:
    FailingLoad() : Form("frmFailing", "Failing") {}
    int loads = 0;
    forms::TextBox txtField{*this, "txtField"};

  protected:
    void Form_Load() override {
        txtField.SetFocus();
        if (++loads == 1) throw std::runtime_error("first load fails");
    }
};

TEST(FormsTest, AFailedLoadOrShowLeavesTheFormUnloaded) {
    FailingLoad failing;
    EXPECT_THROW(failing.Load(), std::runtime_error);
    EXPECT_FALSE(failing.loaded());
    EXPECT_EQ(failing.focused(), nullptr);
    failing.Load();
    EXPECT_TRUE(failing.loaded());
    EXPECT_EQ(failing.loads, 2) << "the next load runs Form_Load again";

    testsupport::ScriptedUserInterface ui;
    platform::Services services;
    services.ui = &ui;
    platform::ScopedServices installed(services);
    Sample form;
    ui.queueDialog([](forms::Form&) { throw std::runtime_error("the dialog broke"); });
    EXPECT_THROW(form.ShowModal(), std::runtime_error);
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(form.unloads, 1);
}

TEST(FormsTest, WhoeverShowsAFormHearsOnceWhenItIsUnloadedOrDestroyed) {
    Sample form;
    int heard = 0;
    form.Load();
    form.onUnloaded([&] { ++heard; });
    form.cmdOK.click();
    form.Unload();
    EXPECT_EQ(heard, 1);
    form.Load();
    form.Unload();
    EXPECT_EQ(heard, 1) << "the handler is used up";

    // Destroyed while still loaded.
    auto shown = std::make_unique<Sample>();
    shown->Load();
    shown->onUnloaded([&] { ++heard; });
    shown.reset();
    EXPECT_EQ(heard, 2);
}

TEST(FormsTest, AModalFormRunsUntilAButtonOrTheFrameClosesIt) {
    testsupport::ScriptedUserInterface ui;
    platform::Services services;
    services.ui = &ui;
    platform::ScopedServices installed(services);

    Sample pressed;
    ui.queueDialog(testsupport::setCheck("chkOn", 1, testsupport::press("cmdOK")));
    pressed.ShowModal();
    EXPECT_TRUE(pressed.chkOn.checked());
    EXPECT_EQ(pressed.loads, 1);
    EXPECT_EQ(pressed.unloads, 1);
    EXPECT_FALSE(pressed.loaded());

    // Left open by the user: the frame closes it, even when it would rather stay.
    Sample framed;
    framed.refuseClose = true;
    framed.ShowModal();
    EXPECT_FALSE(framed.loaded());
    EXPECT_EQ(framed.unloads, 1);
    EXPECT_EQ(ui.timesShown("frmSample"), 2);

    Sample asked;
    asked.Load();
    asked.refuseClose = true;
    EXPECT_FALSE(asked.close());
    EXPECT_TRUE(asked.loaded());
    asked.refuseClose = false;
    EXPECT_TRUE(asked.close());
    EXPECT_TRUE(asked.close()) << "closing a closed form is harmless";
    EXPECT_EQ(asked.unloads, 1);

    Sample modeless;
    modeless.ShowModeless();
    EXPECT_TRUE(modeless.loaded());
    ASSERT_EQ(ui.modelessForms().size(), 1u);
    EXPECT_EQ(ui.modelessForms()[0], &modeless);
    modeless.cmdOK.click();
    EXPECT_TRUE(ui.modelessForms().empty()) << "its own button closed it";

    // A form its owner destroys while it is shown is let go of, not kept as a dangling
    // window.
    auto owned = std::make_unique<Sample>();
    owned->ShowModeless();
    owned->ShowModeless();
    EXPECT_EQ(ui.modelessForms().size(), 1u);
    owned.reset();
    EXPECT_TRUE(ui.modelessForms().empty());
}

// What a view hears: one notification per property that really changed, for the other
// buttons of an option group too; user-side entry points that a disabled or hidden
// control (or tab, or locked field) refuses; the got-focus event after the leave-field one.
TEST(FormsTest, ViewsHearEachRealChangeAndUsersCannotEditWhatTheyCannotReach) {
    Sample form;
    std::vector<std::string> heard;
    for (forms::Control* control : form.controls()) {
        control->watch([&heard, control](forms::Property property) {
            heard.push_back(control->Name() + ":" + std::to_string(static_cast<int>(property)));
        });
    }
    const auto said = [&](const forms::Control& control, forms::Property property) {
        return control.Name() + ":" + std::to_string(static_cast<int>(property));
    };
    form.txtName.Text("a");
    form.txtName.Text("a");
    form.txtName.Enabled(false);
    form.txtName.Enabled(false);
    form.optA.Value(true);
    form.optB.Value(true);
    EXPECT_EQ(heard, (std::vector<std::string>{
                         said(form.txtName, forms::Property::Text),
                         said(form.txtName, forms::Property::Enabled),
                         said(form.optA, forms::Property::Value),
                         said(form.optA, forms::Property::Value),
                         said(form.optB, forms::Property::Value)}));

    EXPECT_FALSE(form.txtName.type("typed"));
    form.txtName.Enabled(true);
    form.txtName.Locked(true);
    EXPECT_FALSE(form.txtName.type("typed"));
    form.txtName.Locked(false);
    EXPECT_TRUE(form.txtName.type("typed"));

    form.cmbList.AddItem("one");
    form.cmbList.Visible(false);
    EXPECT_FALSE(form.cmbList.pick(0));
    form.cmbList.Visible(true);
    EXPECT_FALSE(form.cmbList.pick(1));
    EXPECT_TRUE(form.cmbList.pick(0));
    EXPECT_EQ(form.listClicks, 1);

    forms::TabStrip tabs(form, "tabPages");
    int picked = 0;
    tabs.onClick([&] { ++picked; });
    tabs.addTab("tabOne", "One");
    tabs.addTab("tabTwo", "Two").Enabled(false);
    EXPECT_FALSE(tabs.pick(1));
    tabs.tab(1).Enabled(true);
    EXPECT_TRUE(tabs.pick(1));
    EXPECT_TRUE(tabs.pick(1));
    tabs.currentTab(0);
    EXPECT_EQ(picked, 1);

    std::vector<std::string> focus;
    form.txtOther.onGotFocus([&] { focus.push_back("got"); });
    form.txtName.onLostFocus([&] { focus.push_back("lost"); });
    form.txtName.SetFocus();
    form.txtOther.SetFocus();
    EXPECT_EQ(focus, (std::vector<std::string>{"lost", "got"}));
    form.txtOther.TabIndex(-1);
    EXPECT_EQ(form.tabOrder().front(), &form.txtOther);
}

TEST(FormsTest, CheckListsMenuTreesAndArrayNamesForLayouts) {
    Sample form;
    forms::CheckList list(form, "lstAddIns");
    std::vector<int> checked;
    int selections = 0;
    list.onItemCheck([&](int index) { checked.push_back(index); });
    list.onClick([&] { ++selections; });
    list.AddItem("Proxy switcher", true);
    list.AddItem("Drive mapper");
    list.itemChecked(1, true);  // the program fills the list silently
    EXPECT_TRUE(list.check(0, false));
    EXPECT_TRUE(list.pick(1));
    list.Enabled(false);
    EXPECT_FALSE(list.check(1, false));
    EXPECT_FALSE(list.pick(0));
    EXPECT_EQ(checked, std::vector<int>{0});
    EXPECT_EQ(selections, 1);
    EXPECT_FALSE(list.itemChecked(0));
    EXPECT_TRUE(list.itemChecked(1));
    EXPECT_THROW(list.List(2), std::out_of_range);

    forms::MenuItem file(form, "mnuFile");
    auto open = std::make_unique<forms::MenuItem>(form, "mnuFileOpen");
    forms::MenuItem separator(form, "mnuFileSep1", forms::MenuItem::Kind::Separator);
    file.add(*open);
    file.add(separator);
    EXPECT_EQ(forms::topLevelMenus(form), std::vector<forms::MenuItem*>{&file});
    EXPECT_EQ(open->parentMenu(), &file);
    EXPECT_TRUE(separator.isSeparator());
    open.reset();
    EXPECT_EQ(file.items(), std::vector<forms::MenuItem*>{&separator});

    EXPECT_EQ(forms::viewName("mnuFileRecent(1)"), "mnuFileRecent_1");
    EXPECT_EQ(forms::viewName("txtIP"), "txtIP");
}

}  // namespace
