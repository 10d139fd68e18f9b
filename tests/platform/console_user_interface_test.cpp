// The console user interface of command-line programs: what a message box prints, the
// answer a question gets without anyone to ask, the remembered mouse pointer and the
// Navigator warning.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/console/ConsoleUserInterface.h"

namespace {

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
    EXPECT_EQ(out.str(), "Roamwise: Conversion complete.\nNo caption\n");
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

TEST(ConsoleUserInterfaceTest, ThePointerIsRememberedAndTheWarningClosedWithoutTicking) {
    std::ostringstream out;
    ConsoleUserInterface console(out);
    EXPECT_EQ(console.mousePointer(), MousePointer::Default);
    {
        platform::BusyPointer busy(console);
        EXPECT_EQ(console.mousePointer(), MousePointer::Hourglass);
    }
    EXPECT_EQ(console.mousePointer(), MousePointer::Default);

    EXPECT_EQ(console.showNavigatorWarning(), platform::NavigatorWarningOutcome::ClosedOtherwise);
    EXPECT_NE(out.str().find("Your Netscape Navigator preference file could not be located."),
              std::string::npos);
}

}  // namespace
