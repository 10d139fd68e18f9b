#include "setup/DLG_Main.h"

#include "platform/Services.h"
#include "setup/SetupDialogs.h"

namespace setup {
namespace {

const std::string kBreak = "\r\n";

std::string lineBreaks(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += kBreak;
    return text;
}

}  // namespace

DLG_Main::DLG_Main(SetupSession& session) : Form("DLG_Main", "Self-extracting Archive"), session_(session) {
    cmdInstall.onClick([this] { cmdInstall_Click(); });
    cmdClose.onClick([this] { cmdClose_Click(); });
    txtStatus.MultiLine(true);
    txtStatus.Locked(true);
}

void DLG_Main::Form_Load() {
    const PackageHeader& header = session_.header();
    if (!header.title.empty()) Caption(header.title);
    cmdInstall.Caption("&Install");
    cmdInstall.Default(true);
    cmdClose.Caption("&Close");
    show(header.infoText.empty() ? std::string(kBuiltInInfoText) : header.infoText);
    session_.overwriteMode(OverwriteMode::Ask);
}

void DLG_Main::show(const std::string& text) { txtStatus.Text(text); }

OverwriteAnswer DLG_Main::askOverwrite(const std::string& name) {
    FileExist question(name);
    return question.ask();
}

void DLG_Main::cmdInstall_Click() {
    if (!session_.header().agreementText.empty()) {
        DLG_LIC agreement(session_.header().agreementText);
        if (!agreement.ask()) return;
    }
    started_ = true;
    busy_ = true;
    if (session_.header().removeInstallButton) cmdInstall.Visible(false);
    cmdInstall.Enabled(false);
    cmdClose.Enabled(false);
    const bool extracted = session_.extract(
        {[this](const std::string& path) { show(lineBreaks(4) + "  Extracting: " + path); },
         [this](const std::string& name) { return askOverwrite(name); }});
    busy_ = false;
    if (!extracted) {
        // What was extracted before the fault goes as well; nothing is left in the
        // temporary folder.
        session_.deleteExtracted({});
        Unload();
        return;
    }
    show(lineBreaks(3) + "Setup is updating your system:" + lineBreaks(2) + "Updating system settings ...");
    session_.runInf();
    installed_ = true;
    cmdClose.Caption("&Finish");
    show(lineBreaks(4) + "Please click the \"Finish\" button to close this window after setup.");
    cmdInstall.Enabled(true);
    cmdClose.Enabled(true);
    if (session_.header().keepOpen == 0) cmdClose.click();
}

void DLG_Main::cmdClose_Click() {
    session_.deleteExtracted([this](const std::string& path) { show(lineBreaks(4) + "Deleting " + path); });
    Unload();
}

// The window frame cannot close the dialog while files are being extracted.
bool DLG_Main::Form_QueryUnload() { return busy_; }

void DLG_Main::Form_Unload() {
    if (!session_.extractedFilesDeleted()) session_.deleteExtracted({});
}

}  // namespace setup
