#include "app/logic/dialogs/helpIndex.h"

#include "platform/AsciiText.h"
#include "platform/Services.h"

void openHelpIndex(HelpFolder workingFolder) {
    const std::string folder = platform::systemInfo().programFolder();
    const std::string page = platform::concat({folder, "\\help\\index.html"});
    const std::string directory =
        workingFolder == HelpFolder::Program ? platform::concat({folder, "\\"}) : "c:\\";
    platform::shell().ShellExecuteA("", page, "", directory);
}
