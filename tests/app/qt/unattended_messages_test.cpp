// rmw --screenshot's user interface: a message box is logged and answered with its first
// button instead of waiting; dialogs still reach the wrapped service.

#include <gtest/gtest.h>

#include <sstream>

#include "app/logic/dialogs/frmAbout.h"
#include "app/qt/UnattendedMessages.h"
#include "tests/support/ScriptedUserInterface.h"

namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;

TEST(UnattendedMessagesTest, MessagesAreLoggedAndAnsweredWithTheFirstButtonDialogsAreShown) {
    testsupport::ScriptedUserInterface shown;
    std::ostringstream log;
    rmwqt::UnattendedMessages unattended(shown, log);
    EXPECT_EQ(unattended.messageBox("Save configuration?", MsgBoxButtons::YesNoCancel,
                                    MsgBoxIcon::Question, "Roamwise"),
              MsgBoxResult::Yes);
    EXPECT_EQ(unattended.messageBox("Error referencing Add-In control: 'X'.\r\rPlease check.",
                                    MsgBoxButtons::OKOnly, MsgBoxIcon::Exclamation, "Roamwise"),
              MsgBoxResult::OK);
    EXPECT_EQ(log.str(),
              "Roamwise: Save configuration?\nRoamwise: Error referencing Add-In control: "
              "'X'.\n\nPlease check.\n");
    EXPECT_TRUE(shown.messages().empty());
    EXPECT_EQ(unattended.fileDialog({}), std::nullopt);

    frmAbout about;
    about.Load();
    unattended.showModal(about);
    EXPECT_EQ(shown.formsShown(), std::vector<std::string>{"frmAbout"});
}

}  // namespace
