#include "platform/emulated/inf/DestinationQuestion.h"

#include "platform/AsciiText.h"

namespace platform::emulated::inf {

DestinationQuestion::DestinationQuestion(const std::string& caption, const std::string& prompt,
                                         const std::string& folder)
    : Form("dlgDestination", caption) {
    lblPrompt.Caption(prompt);
    txtFolder.Text(folder);
    cmdOK.Caption("OK");
    cmdOK.Default(true);
    cmdCancel.Caption("Cancel");
    cmdCancel.Cancel(true);
    cmdOK.onClick([this] {
        const std::string chosen(trimBlanks(txtFolder.Text()));
        if (chosen.empty()) return;  // a folder is needed; the question stays
        answer_ = chosen;
        Unload();
    });
    cmdCancel.onClick([this] { Unload(); });
}

std::optional<std::string> DestinationQuestion::ask() {
    answer_.reset();
    ShowModal();
    return answer_;
}

}  // namespace platform::emulated::inf
