#include "app/logic/dialogs/helpIndex.h"

#include "platform/AsciiText.h"
#include "platform/Services.h"

void openHelpIndex() {
    const std::string page =
        platform::concat({platform::systemInfo().programFolder(), "\\help\\index.html"});
    platform::shell().ShellExecuteA("", page, "", "c:\\");
}
