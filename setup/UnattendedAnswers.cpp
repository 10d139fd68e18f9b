#include "setup/UnattendedAnswers.h"

#include "platform/forms/CheckBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"

namespace setup {

void answerUnattended(platform::ConsoleUserInterface& console) {
    using forms::CheckBox;
    using forms::CommandButton;
    console.answerDialog("DLG_Main", [](forms::Form& form) {
        form.control<CommandButton>("cmdInstall").click();
        if (form.loaded()) form.control<CommandButton>("cmdClose").click();
    });
    console.answerDialog("DLG_LIC", [](forms::Form& form) { form.control<CommandButton>("cmdAgree").click(); });
    console.answerDialog("FileExist", [](forms::Form& form) {
        form.control<CheckBox>("chkDontAsk").Value(CheckBox::Checked);
        form.control<CommandButton>("cmdYes").click();
    });
    console.answerDialog("dlgDestination", [](forms::Form& form) { form.control<CommandButton>("cmdOK").click(); });
}

}  // namespace setup
