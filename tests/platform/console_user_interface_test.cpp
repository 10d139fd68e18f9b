// The console user interface of command-line programs: what a message box prints, the
// answer a question gets without anyone to ask, the remembered mouse pointer and the
// dialogs it prints and closes or answers as told.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/Services.h"
#include "platform/console/ConsoleUserInterface.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"

namespace {

class WarningDialog : public forms::Form {
  public:
    WarningDialog() : Form("frmWarning", "Warning...") {
        message.Caption("Your Netscape Navigator preference file could not be located.");
        hidden.Caption("not shown");
        hidden.Visible(false);
    }
    forms::Label message{*this, "lblMessage"};
    forms::Label hidden{*this, "lblHidden"};
};

platform::Services servicesWith(platform::UserInterface& ui) {
    platform::Services services;
    services.ui = &ui;
    return services;
}

using platform::ConsoleUserInterface;
using platform::MousePointer;
using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;

TEST(ConsoleUserInterfaceTest, MessagesArePrintedWithTheirCaptionOneLineEach) {
    std::ostringstream out;
    ConsoleUserInterface console(out);
    console.messageBox("Conversion complete.", MsgBoxButtons::OKOnly, MsgBoxIcon::Information,
                       "Roamwise");
    console.messageBox("No caption", MsgBoxButtons::OKOnly, MsgBoxIcon::None, "");
    // Carriage returns break the line instead of overwriting it on a terminal.
    console.messageBox("Error.\r\rPlease check.\r\nDone", MsgBoxButtons::OKOnly,
                       MsgBoxIcon::None, "");
    EXPECT_EQ(out.str(),
              "Roamwise: Conversion complete.\nNo caption\nError.\n\nPlease check.\nDone\n");
}

TEST(ConsoleUserInterfaceTest, QuestionsGetTheAnswerOfTheirFirstButton) {
    std::ostringstream out;
    ConsoleUserInterface console(out);
    const std::pair<MsgBoxButtons, MsgBoxResult> cases[] = {
        {MsgBoxButtons::OKOnly, MsgBoxResult::OK},
        {MsgBoxButtons::OKCancel, MsgBoxResult::OK},
        {MsgBoxButtons::AbortRetryIgnore, MsgBoxResult::Abort},
        {MsgBoxButtons::YesNoCancel, MsgBoxResult::Yes},
        {MsgBoxButtons::YesNo, MsgBoxResult::Yes},
        {MsgBoxButtons::RetryCancel, MsgBoxResult::Retry},
    };
    for (const auto& [buttons, answer] : cases) {
        EXPECT_EQ(console.messageBox("Restart now?", buttons, MsgBoxIcon::Question, "Roamwise"),
                  answer)
            << static_cast<int>(buttons);
    }
}

TEST(ConsoleUserInterfaceTest, ThePointerIsRememberedAndDialogsArePrintedAndClosedUnanswered) {
    std::ostringstream out;
    ConsoleUserInterface console(out);
    EXPECT_EQ(console.mousePointer(), MousePointer::Default);
    {
        platform::BusyPointer busy(console);
        EXPECT_EQ(console.mousePointer(), MousePointer::Hourglass);
    }
    EXPECT_EQ(console.mousePointer(), MousePointer::Default);

    platform::ScopedServices installed(servicesWith(console));
    WarningDialog warning;
    warning.ShowModal();
    EXPECT_FALSE(warning.loaded());
    EXPECT_EQ(out.str(), "Warning...: Your Netscape Navigator preference file could not be located.\n");
    EXPECT_FALSE(console.fileDialog(platform::FileDialogRequest()).has_value());
}

TEST(ConsoleUserInterfaceTest, ADialogIsAnsweredAsTheProgramSaid) {
    std::ostringstream out;
    ConsoleUserInterface console(out);
    platform::ScopedServices installed(servicesWith(console));
    bool answered = false;
    console.answerDialog("frmWarning", [&](forms::Form& form) {
        answered = true;
        form.Unload();
    });
    WarningDialog warning;
    warning.ShowModal();
    EXPECT_TRUE(answered);
    EXPECT_EQ(out.str(), "");
}

}  // namespace
