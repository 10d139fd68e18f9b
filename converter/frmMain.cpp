#include "converter/frmMain.h"

#include <optional>

#include "converter/ConversionError.h"
#include "converter/ConvertFile.h"
#include "platform/AsciiText.h"
#include "platform/Services.h"

namespace converter {
namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;

// Version-1 files had no fixed extension; the ones people kept were mostly .rmw or .cfg.
platform::FileDialogRequest browseRequest(platform::FileDialogRequest::Kind kind,
                                          const std::string& filter,
                                          const std::string& shownPath) {
    platform::FileDialogRequest request;
    request.kind = kind;
    request.title = kind == platform::FileDialogRequest::Kind::Open
                        ? "Source Configuration File"
                        : "Dest. Configuration File";
    request.filter = filter;
    request.fileName = platform::trimBlanks(shownPath);
    request.hideReadOnly = true;
    return request;
}

void inform(const std::string& text, MsgBoxIcon icon = MsgBoxIcon::Information) {
    platform::ui().messageBox(text, MsgBoxButtons::OKOnly, icon, kConversionTitle);
}

// Restores Convert however the conversion ends.
class DisabledWhileRunning {
  public:
    explicit DisabledWhileRunning(forms::Control& control) : control_(control) {
        control_.Enabled(false);
    }
    ~DisabledWhileRunning() { control_.Enabled(true); }
    DisabledWhileRunning(const DisabledWhileRunning&) = delete;
    DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

  private:
    forms::Control& control_;
};

}  // namespace

const char* const frmMain::kSourceFilter =
    "Roamwise 1.x Configuration Files (*.rmw;*.cfg)|*.rmw;*.cfg|All Files (*.*)|*.*";
const char* const frmMain::kDestinationFilter =
    "Roamwise Configuration Files (*.rmw)|*.rmw|All Files (*.*)|*.*";

frmMain::frmMain() : Form("frmMain", "Roamwise 1.x to 2.0 Configuration File Converter") {
    Label1.Caption("Source Configuration File:");
    txtSource.ToolTipText(
        "Enter the full path and filename of the Rmw configuration file to convert");
    cmdSource.Caption("...");
    cmdSource.ToolTipText("Click to browse for configuration file");
    Label2.Caption("Dest. Configuration File:");
    txtDest.ToolTipText("Enter the full path and filename for the new configuration file");
    cmdDest.Caption("...");
    cmdDest.ToolTipText("Click to browse for configuration file");
    cmdStart.Caption("Convert");
    cmdStart.ToolTipText("Click to start conversion");
    cmdStart.Default(true);
    cmdClose.Caption("&Close");
    cmdClose.ToolTipText("Click to close");
    cmdClose.Cancel(true);

    cmdSource.onClick([this] { cmdSource_Click(); });
    cmdDest.onClick([this] { cmdDest_Click(); });
    cmdStart.onClick([this] { cmdStart_Click(); });
    cmdClose.onClick([this] { cmdClose_Click(); });
}

// A cancelled dialog leaves the field as it was.
void frmMain::cmdSource_Click() {
    platform::FileDialogRequest request = browseRequest(platform::FileDialogRequest::Kind::Open,
                                                        kSourceFilter, txtSource.Text());
    request.fileMustExist = true;
    if (const std::optional<std::string> chosen = platform::ui().fileDialog(request)) {
        txtSource.Text(*chosen);
    }
}

// Converting replaces the destination, so the dialog asks before picking an existing file.
void frmMain::cmdDest_Click() {
    platform::FileDialogRequest request = browseRequest(platform::FileDialogRequest::Kind::Save,
                                                        kDestinationFilter, txtDest.Text());
    request.promptToOverwrite = true;
    if (const std::optional<std::string> chosen = platform::ui().fileDialog(request)) {
        txtDest.Text(*chosen);
    }
}

void frmMain::cmdStart_Click() {
    const std::string source = txtSource.Text();
    if (platform::trimBlanks(source).empty() || !platform::files().fileExists(source)) {
        inform(kSourceNotFound);
        return;
    }
    convertShownFiles();
}

// A destination that is missing, the source itself or not writable is reported with its
// own cause rather than as a completed conversion.
void frmMain::convertShownFiles() {
    try {
        platform::BusyPointer hourglass(platform::ui());
        DisabledWhileRunning convert(cmdStart);
        convertFile(txtSource.Text(), txtDest.Text());
    } catch (const ConversionError& error) {
        inform(error.what(), MsgBoxIcon::Exclamation);
        return;
    }
    inform(kConversionComplete);
}

void frmMain::cmdClose_Click() {
    Unload();
}

}  // namespace converter
