#include "app/logic/dialogs/frmAddIns.h"

#include <exception>
#include <initializer_list>
#include <memory>

#include "app/logic/dialogs/helpIndex.h"
#include "config/AddInCalls.h"
#include "config/AddInClasses.h"
#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "settings/SettingsStore.h"

namespace {

constexpr const char* kNoSelectionCaption = "Add-In Name";
constexpr const char* kNoFile = "<no file specified>";
constexpr const char* kNoVersion = "<no version specified>";
constexpr const char* kCheckAdvice = "\r\rPlease check your Add-Ins.";

void warn(const std::string& text) {
    platform::ui().messageBox(text, platform::MsgBoxButtons::OKOnly,
                              platform::MsgBoxIcon::Exclamation, kAppTitle);
}

}  // namespace

frmAddIns::frmAddIns() : Form("frmAddIns", "Add-In Manager") {
    Frame1.Caption("Add-Ins");
    lstAddIns.ToolTipText("Check the box to activate an add-in");
    frAddIn.Caption(kNoSelectionCaption);
    Label1.Caption("File:");
    Label2.Caption("Version:");
    // The file and version are shown, not edited: nothing would store an edit.
    txtFile.Locked(true);
    txtVersion.Locked(true);
    cmdAbout.Caption("&About");
    cmdAbout.ToolTipText("Display information for selected Add-In");
    cmdAbout.Enabled(false);
    cmdHelp.Caption("&Help");
    cmdHelp.ToolTipText("Display Add-In help");
    cmdOK.Caption("OK");
    cmdOK.ToolTipText("Close Add-In dialog and apply changes");
    cmdOK.Default(true);
    cmdCancel.Caption("Cancel");
    cmdCancel.ToolTipText("Close Add-In dialog and cancel changes");
    cmdCancel.Cancel(true);

    // Tab order: the list, its details, then the buttons.
    int tabIndex = 0;
    for (forms::Control* control : std::initializer_list<forms::Control*>{
             &lstAddIns, &txtFile, &txtVersion, &cmdAbout, &cmdHelp, &cmdOK, &cmdCancel})
        control->TabIndex(tabIndex++);

    lstAddIns.onClick([this] { lstAddIns_Click(); });
    cmdAbout.onClick([this] { cmdAbout_Click(); });
    cmdOK.onClick([this] { cmdOK_Click(); });
    cmdCancel.onClick([this] { cmdCancel_Click(); });
    cmdHelp.onClick([this] { cmdHelp_Click(); });
}

void frmAddIns::Form_Load() {
    lstAddIns.Clear();
    showNoSelection();
    listed_ = addins::eligibleRegistrations();
    for (const addins::Registration& registration : listed_)
        lstAddIns.AddItem(registration.name, registration.active);
    if (lstAddIns.ListCount() > 0) lstAddIns.ListIndex(0);
}

void frmAddIns::lstAddIns_Click() {
    const int index = lstAddIns.ListIndex();
    if (index < 0) {
        showNoSelection();
        return;
    }
    const addins::Registration& selected = listed_.at(static_cast<std::size_t>(index));
    frAddIn.Caption(selected.name);
    txtFile.Text(selected.file.value_or(kNoFile));
    txtVersion.Text(selected.version.value_or(kNoVersion));
    cmdAbout.Enabled(true);
}

void frmAddIns::showNoSelection() {
    frAddIn.Caption(kNoSelectionCaption);
    txtFile.Text("");
    txtVersion.Text("");
    cmdAbout.Enabled(false);
}

// The about box comes from an object of its own, made for this call and released after
// it, never from the one the main window loaded. An add-in that cannot be made or cannot
// show its about box is reported; the dialog stays open.
void frmAddIns::cmdAbout_Click() {
    const int index = lstAddIns.ListIndex();
    if (index < 0) return;
    const std::string& classId = listed_.at(static_cast<std::size_t>(index)).classId;
    std::shared_ptr<AddInObject> addIn;
    try {
        addIn = createAddInObject(classId);
    } catch (const std::exception& error) {
        warn(platform::concat(
            {"Error referencing Add-In control: '", classId, "'.\r\r", error.what(), kCheckAdvice}));
        return;
    }
    try {
        addins::about(*addIn);
    } catch (const std::exception& error) {
        warn(platform::concat({"Error attempting to access Add-In.\r\r", error.what(), kCheckAdvice}));
    }
}

void frmAddIns::cmdOK_Click() {
    saveAddInStates();
    Unload();
}

void frmAddIns::cmdCancel_Click() {
    Unload();
}

void frmAddIns::cmdHelp_Click() {
    openHelpIndex(HelpFolder::Program);
}

void frmAddIns::saveAddInStates() {
    for (int index = 0; index < lstAddIns.ListCount(); ++index)
        addins::storeActive(lstAddIns.List(index), lstAddIns.itemChecked(index));
}
