#include "app/logic/main/frmMain.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <stdexcept>

#include "app/logic/dialogs/frmAbout.h"
#include "app/logic/dialogs/frmAddIns.h"
#include "app/logic/dialogs/helpIndex.h"
#include "app/logic/dialogs/frmOptions.h"
#include "app/logic/dialogs/frmRestart.h"
#include "app/logic/main/AppVersion.h"
#include "app/logic/main/CommandLine.h"
#include "app/logic/restartSystem.h"
#include "config/AddInCalls.h"
#include "config/AddInClasses.h"
#include "config/AddInRegistrations.h"
#include "config/RmwConfig.h"
#include "config/SystemVersions.h"
#include "config/UnsupportedPlatform.h"
#include "platform/AsciiText.h"
#include "platform/RaisedError.h"
#include "platform/Services.h"
#include "settings/Options.h"
#include "settings/SettingsStore.h"

namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;

constexpr const char* kTitleSeparator = " - ";
constexpr const char* kCurrentConfigurationCaption = "[Current Configuration] - Roamwise";
constexpr const char* kFileFilter = "Roamwise Files (*.rmw)|*.rmw|All Files (*.*)|*.*";
constexpr int kRecentEntries = 5;
constexpr int kAddInEntries = 20;
constexpr int kToolbarButtons = 8;
constexpr int kStatusPanels = 4;
constexpr int kAdvancedTab = 3;

// Toolbar buttons and status panels by their index.
constexpr int kOpenButton = 1;
constexpr int kSaveButton = 2;
constexpr int kApplyButton = 4;
constexpr int kFirstSwitchButton = 6;
constexpr int kLastFilePanel = 1;
constexpr int kVersionPanel = 2;
constexpr int kUnsavedPanel = 3;
constexpr int kResetPanel = 4;

MsgBoxResult tell(const std::string& text, MsgBoxButtons buttons, MsgBoxIcon icon,
                  const std::string& caption = kAppTitle) {
    return platform::ui().messageBox(text, buttons, icon, caption);
}

std::string windowTitle(const std::string& name) {
    return platform::concat({name, kTitleSeparator, kAppTitle});
}

// A file's name as the title shows it after a save: without folder and extension.
std::string nameWithoutExtension(const std::string& sFile) {
    const std::string name = recentFiles::getFileName(sFile);
    return name.substr(0, name.find('.'));
}

std::string programFolder() {
    return platform::systemInfo().programFolder();
}

platform::FileDialogRequest fileRequest(platform::FileDialogRequest::Kind kind,
                                        const std::string& title) {
    platform::FileDialogRequest request;
    request.kind = kind;
    request.title = title;
    request.filter = kFileFilter;
    request.initialFolder = programFolder();
    request.hideReadOnly = true;
    return request;
}

void setUpItem(forms::MenuItem& item, const std::string& caption,
               const std::string& shortcut = "") {
    item.Caption(caption);
    item.Shortcut(shortcut);
}

}  // namespace

// ---- Construction -------------------------------------------------------------------

frmMain::frmMain(std::string commandLine)
    : Form("frmMain", kAppTitle),
      mnuFile(*this, "mnuFile"),
      mnuFileOpen(*this, "mnuFileOpen"),
      mnuFileSave(*this, "mnuFileSave"),
      mnuFileSaveAs(*this, "mnuFileSaveAs"),
      mnuFileSep1(*this, "mnuFileSep1", forms::MenuItem::Kind::Separator),
      mnuFileApply(*this, "mnuFileApply"),
      mnuFileSep2(*this, "mnuFileSep2", forms::MenuItem::Kind::Separator),
      mnuFileExit(*this, "mnuFileExit"),
      sepRecent(*this, "sepRecent", forms::MenuItem::Kind::Separator),
      mnuTools(*this, "mnuTools"),
      mnuToolsRefresh(*this, "mnuToolsRefresh"),
      mnuToolsSep1(*this, "mnuToolsSep1", forms::MenuItem::Kind::Separator),
      mnuToolsGeneral(*this, "mnuToolsGeneral"),
      mnuToolsExplorer(*this, "mnuToolsExplorer"),
      mnuToolsNavigator(*this, "mnuToolsNavigator"),
      mnuToolsSep2(*this, "mnuToolsSep2", forms::MenuItem::Kind::Separator),
      mnuToolsOptions(*this, "mnuToolsOptions"),
      mnuAddInsMenu(*this, "mnuAddInsMenu"),
      mnuAddInsSep1(*this, "mnuAddInsSep1", forms::MenuItem::Kind::Separator),
      mnuToolsAddInManager(*this, "mnuToolsAddInManager"),
      mnuHelp(*this, "mnuHelp"),
      mnuHelpHelp(*this, "mnuHelpHelp"),
      mnuHelpSep1(*this, "mnuHelpSep1", forms::MenuItem::Kind::Separator),
      mnuHelpAbout(*this, "mnuHelpAbout"),
      tabSettings(*this, "tabSettings"),
      general(*this, *this),
      explorer(*this, *this),
      navigator(*this, *this),
      advanced(*this, *this),
      commandLine_(std::move(commandLine)) {
    buildMenus();
    buildToolbar();
    buildStatusBar();
    buildTabs();
}

frmMain::~frmMain() {
    releaseDocument();
}

void frmMain::buildMenus() {
    setUpItem(mnuFile, "&File");
    setUpItem(mnuFileOpen, "&Open...", "Ctrl+O");
    setUpItem(mnuFileSave, "&Save", "Ctrl+S");
    setUpItem(mnuFileSaveAs, "Sa&ve As...");
    setUpItem(mnuFileApply, "&Apply Configuration", "Ctrl+A");
    setUpItem(mnuFileExit, "E&xit");
    sepRecent.Visible(false);
    for (int index = 1; index <= kRecentEntries; ++index) {
        auto item =
            std::make_unique<forms::MenuItem>(*this, forms::arrayName("mnuFileRecent", index));
        item->Visible(false);
        item->onClick([this, index] { mnuFileRecent_Click(index); });
        recentItems_.push_back(std::move(item));
    }

    setUpItem(mnuTools, "&View");
    setUpItem(mnuToolsRefresh, "&Refresh", "F5");
    setUpItem(mnuToolsGeneral, "Enable &General Properties");
    setUpItem(mnuToolsExplorer, "Enable &Internet Explorer Properties");
    setUpItem(mnuToolsNavigator, "Enable &Netscape Navigator Properties");
    setUpItem(mnuToolsOptions, "&Options...");

    setUpItem(mnuAddInsMenu, "&Add-Ins");
    for (int index = 0; index < kAddInEntries; ++index) {
        auto item = std::make_unique<forms::MenuItem>(*this, forms::arrayName("mnuAddIns", index));
        item->Visible(false);
        item->onClick([this, index] { mnuAddIns_Click(index); });
        addInItems_.push_back(std::move(item));
    }
    mnuAddInsSep1.Visible(false);
    setUpItem(mnuToolsAddInManager, "&Add-In Manager...");

    setUpItem(mnuHelp, "&Help");
    setUpItem(mnuHelpHelp, "Roamwise &Help Topics", "F1");
    setUpItem(mnuHelpAbout, "&About Roamwise");
    arrangeMenus();

    mnuFileOpen.onClick([this] { mnuFileOpen_Click(); });
    mnuFileSave.onClick([this] { mnuFileSave_Click(); });
    mnuFileSaveAs.onClick([this] { mnuFileSaveAs_Click(); });
    mnuFileApply.onClick([this] { mnuFileApply_Click(); });
    mnuFileExit.onClick([this] { mnuFileExit_Click(); });
    mnuToolsRefresh.onClick([this] { mnuToolsRefresh_Click(); });
    mnuToolsGeneral.onClick([this] { mnuToolsGeneral_Click(); });
    mnuToolsExplorer.onClick([this] { mnuToolsExplorer_Click(); });
    mnuToolsNavigator.onClick([this] { mnuToolsNavigator_Click(); });
    mnuToolsOptions.onClick([this] { mnuToolsOptions_Click(); });
    mnuToolsAddInManager.onClick([this] { mnuToolsAddInManager_Click(); });
    mnuHelpHelp.onClick([this] { mnuHelpHelp_Click(); });
    mnuHelpAbout.onClick([this] { mnuHelpAbout_Click(); });
}

// The menu bar's tree, in the order the menus show their items.
void frmMain::arrangeMenus() {
    const auto fill = [](forms::MenuItem& menu, std::initializer_list<forms::MenuItem*> items) {
        for (forms::MenuItem* item : items) menu.add(*item);
    };
    fill(mnuFile, {&mnuFileOpen, &mnuFileSave, &mnuFileSaveAs, &mnuFileSep1, &mnuFileApply,
                   &mnuFileSep2, &mnuFileExit, &sepRecent});
    for (auto& item : recentItems_) mnuFile.add(*item);
    fill(mnuTools, {&mnuToolsRefresh, &mnuToolsSep1, &mnuToolsGeneral, &mnuToolsExplorer,
                    &mnuToolsNavigator, &mnuToolsSep2, &mnuToolsOptions});
    for (auto& item : addInItems_) mnuAddInsMenu.add(*item);
    fill(mnuAddInsMenu, {&mnuAddInsSep1, &mnuToolsAddInManager});
    fill(mnuHelp, {&mnuHelpHelp, &mnuHelpSep1, &mnuHelpAbout});
}

void frmMain::buildToolbar() {
    using Style = forms::ToolbarButton::Style;
    struct ButtonSpec {
        Style style;
        const char* toolTip;
        const char* picture;
    };
    // Pictures carry the desktop's standard icon names where one fits.
    static const ButtonSpec specs[kToolbarButtons] = {
        {Style::Button, "Open configuration", "document-open"},
        {Style::Button, "Save configuration", "document-save"},
        {Style::Separator, "", ""},
        {Style::Button, "Apply configuration", "roamwise-apply"},
        {Style::Separator, "", ""},
        {Style::Check, "Enable General properties", "roamwise-general"},
        {Style::Check, "Enable Internet Explorer properties", "roamwise-explorer"},
        {Style::Check, "Enable Netscape Navigator properties", "roamwise-navigator"},
    };
    for (int index = 1; index <= kToolbarButtons; ++index) {
        const ButtonSpec& spec = specs[index - 1];
        auto button = std::make_unique<forms::ToolbarButton>(
            *this, forms::arrayName("tbarTools", index), index, spec.style);
        button->ToolTipText(spec.toolTip);
        button->Picture(spec.picture);
        button->onClick([this](forms::ToolbarButton& clicked) { tbarTools_ButtonClick(clicked); });
        toolbar_.push_back(std::move(button));
    }
}

void frmMain::buildStatusBar() {
    static const char* const toolTips[kStatusPanels] = {
        "Last configuration file applied with Roamwise",
        "Roamwise version",
        "The current configuration has unsaved changes",
        "The current configuration requires a reset",
    };
    for (int index = 1; index <= kStatusPanels; ++index) {
        auto panel =
            std::make_unique<forms::StatusPanel>(*this, forms::arrayName("sbStatus", index));
        panel->ToolTipText(toolTips[index - 1]);
        panels_.push_back(std::move(panel));
    }
    sbStatus(kUnsavedPanel).Picture("roamwise-changed");
    sbStatus(kResetPanel).Picture("roamwise-reset");
    showPanel(kUnsavedPanel, false);
    showPanel(kResetPanel, false);
}

void frmMain::buildTabs() {
    tabSettings.addTab("tabGeneral", "General");
    tabSettings.addTab("tabExplorer", "I. Explorer");
    tabSettings.addTab("tabNavigator", "N. Navigator");
    tabSettings.addTab("tabAdvanced", "Advanced");
}

// ---- Accessors ----------------------------------------------------------------------

RmwConfig& frmMain::document() const {
    if (!document_) {
        throw RaisedError(91, "frmMain", "Object variable or With block variable not set");
    }
    return *document_;
}

recentFiles& frmMain::recentList() {
    return recentList_;
}
AddInList& frmMain::addIns() {
    return addIns_;
}

std::vector<Binding> frmMain::bindings() const {
    std::vector<Binding> all = general.bindings();
    for (auto part : {explorer.bindings(), navigator.bindings(), advanced.bindings()}) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

forms::MenuItem& frmMain::mnuFileRecent(int index) {
    if (index < 1 || index > kRecentEntries) {
        throw std::out_of_range("mnuFileRecent has no entry " + std::to_string(index));
    }
    return *recentItems_[static_cast<std::size_t>(index - 1)];
}

forms::MenuItem& frmMain::mnuAddIns(int index) {
    if (index < 0 || index >= kAddInEntries) {
        throw std::out_of_range("mnuAddIns has no entry " + std::to_string(index));
    }
    return *addInItems_[static_cast<std::size_t>(index)];
}

forms::ToolbarButton& frmMain::tbarTools(int index) {
    if (index < 1 || index > kToolbarButtons) {
        throw std::out_of_range("tbarTools has no button " + std::to_string(index));
    }
    return *toolbar_[static_cast<std::size_t>(index - 1)];
}

forms::StatusPanel& frmMain::sbStatus(int index) {
    if (index < 1 || index > kStatusPanels) {
        throw std::out_of_range("sbStatus has no panel " + std::to_string(index));
    }
    return *panels_[static_cast<std::size_t>(index - 1)];
}

// ---- Start-up -----------------------------------------------------------------------

void frmMain::Form_Load() {
    {
        platform::BusyPointer busy(platform::ui());
        autoRestart_ = readOption("AutoReset", "0") == "1";
        recentList_.getRecentList();
        showRecentFiles();
        initializeForm();
        loadAddIns();
        // Filling the tabs reported their values as changes; none of them is one.
        applyPending_ = false;
    }
    if (commandLine_.empty()) return;
    const std::vector<std::string> arguments = GetCommandLine(commandLine_);
    // An empty first argument (a pair of quotes alone) names no file.
    if (!arguments.empty() && !arguments.front().empty()) {
        openConfigurationFile(arguments.front());
    }
}

std::vector<std::string> frmMain::GetCommandLine(const std::string& sCommandLine, int iMaxArgs) {
    if (iMaxArgs <= 0) return {};
    // The file association passes a path as it is, and a path may contain commas: when
    // the whole line names a file, that file is the one argument.
    const std::string whole = withoutQuotes(sCommandLine);
    if (!whole.empty() && platform::files().fileExists(whole)) return {whole};
    return splitCommandLine(sCommandLine, iMaxArgs);
}

void frmMain::initializeForm() {
    platform::BusyPointer busy(platform::ui());
    try {
        general.showNICWarning(readOption("NICWarning", "1") == "1");
        Caption(kCurrentConfigurationCaption);
        initializing_ = true;
        loadingFile_ = false;
        applyPending_ = false;
        // The new document replaces the old one only once it exists, so a document that
        // cannot be made leaves the window showing the previous one.
        replaceDocument(std::make_unique<RmwConfig>());
        fillTabsFromDocument();
        selectFirstEnabledTab();
        showPanel(kUnsavedPanel, false);
        showPanel(kResetPanel, false);
        showLastFileApplied();
        sbStatus(kVersionPanel).Text(platform::concat({kAppTitle, " ", appversion::versionText()}));
        initializing_ = false;
    } catch (const UnsupportedPlatform&) {
        initializing_ = false;
        throw;  // the user has been told; the program ends
    } catch (const std::exception& error) {
        // Left set, the flag would hide every later change from the indicators.
        initializing_ = false;
        tell(error.what(), MsgBoxButtons::OKOnly, MsgBoxIcon::Exclamation,
             "Error while initializing form");
    }
}

void frmMain::fillTabsFromDocument() {
    general.initializeNICControls();
    advanced.initializeMiscControls();
    setUpGroup(Group::Explorer, document_->IEInstalled());
    setUpGroup(Group::Navigator, document_->NNInstalled());
    setUpGroup(Group::General, true);  // the document always has a network backend
}

// Fills the group's tab when its settings are there and offers its switches; a group
// whose browser is missing is switched off and cannot be switched on.
void frmMain::setUpGroup(Group group, bool present) {
    if (present && group == Group::Explorer) explorer.initializeIEControls();
    if (present && group == Group::Navigator) navigator.initializeNNControls();
    forms::ToolbarButton& button = groupButton(group);
    forms::MenuItem& item = groupMenuItem(group);
    tabSettings.tab(static_cast<int>(group)).Enabled(present);
    button.Enabled(present);
    button.Pressed(present);
    item.Enabled(present);
    item.Checked(present);
    groupSwitch(group, present);
}

void frmMain::replaceDocument(std::unique_ptr<RmwConfig> document) {
    attachTabs(document.get());
    document_ = std::move(document);
}

void frmMain::releaseDocument() {
    attachTabs(nullptr);
    document_.reset();
}

void frmMain::attachTabs(RmwConfig* document) {
    general.attach(document != nullptr ? &document->getNetConfig() : nullptr);
    explorer.attach(document != nullptr ? document->getIEConfig() : nullptr);
    navigator.attach(document != nullptr ? document->getNNConfig() : nullptr);
    advanced.attach(document);
}

void frmMain::showLastFileApplied() {
    sbStatus(kLastFilePanel)
        .Text(platform::concat({"Last File Applied: ", readOption("LastFileApplied", "N/A")}));
}

// ---- Recent files -------------------------------------------------------------------

void frmMain::showRecentFiles() {
    platform::BusyPointer busy(platform::ui());
    const std::vector<std::string>& files = recentList_.fileList();
    if (files.empty()) return;
    sepRecent.Visible(true);
    const int shown = std::min(static_cast<int>(files.size()), kRecentEntries);
    for (int index = 1; index <= shown; ++index) {
        forms::MenuItem& item = mnuFileRecent(index);
        item.Visible(true);
        item.Caption(platform::concat(
            {"&", std::to_string(index), ". ",
             recentFiles::getFileName(files[static_cast<std::size_t>(index - 1)])}));
    }
}

void frmMain::mnuFileRecent_Click(int Index) {
    const std::vector<std::string>& files = recentList_.fileList();
    if (Index < 1 || Index > static_cast<int>(files.size())) return;
    // A copy: opening the file reorders the list the path was taken from.
    const std::string path = files[static_cast<std::size_t>(Index - 1)];
    openConfigurationFile(path);
}

// ---- Opening ------------------------------------------------------------------------

void frmMain::openConfigurationFile(const std::string& sFile) {
    const std::string path = sFile;
    if (!showConfigurationFile(path)) return;
    try {
        if (document().AutoApply()) applyShownConfiguration();
        if (programEnded_) return;
        for (const AddInList::Entry& addIn : addIns_) {
            if (addIn.object && addins::restart(*addIn.object)) updateStatus(2);
        }
    } catch (const std::exception&) {
        tell(platform::concat({"Error opening file '", path, "'."}), MsgBoxButtons::OKOnly,
             MsgBoxIcon::Exclamation);
    }
}

bool frmMain::showConfigurationFile(const std::string& sFile) {
    const std::string path = sFile;
    try {
        // Reading a missing file would find nothing and switch every group off.
        if (!platform::files().fileExists(path)) throw RaisedError(53, "frmMain", "File not found");
        document().loadConfigurationFile(path, addIns_);
        Caption(windowTitle(recentFiles::getFileName(path)));
        initializing_ = false;
        loadingFile_ = true;
        updateStatus(-1);
        general.initializeNICControls();
        advanced.initializeMiscControls();
        if (document().IEInstalled()) explorer.initializeIEControls();
        if (document().NNInstalled()) navigator.initializeNNControls();
        recentList_.setRecentFile(path);
        showRecentFiles();
        showGroupSwitches();
        selectFirstEnabledTab();
        loadingFile_ = false;
        autoRestart_ = document().AutoReboot();
        return true;
    } catch (const std::exception&) {
        // Left set, the flag would keep every later edit from showing as unsaved.
        loadingFile_ = false;
        tell(platform::concat({"Error opening file '", path, "'."}), MsgBoxButtons::OKOnly,
             MsgBoxIcon::Exclamation);
        return false;
    }
}

// The switches show the file's groups. A group whose settings this machine does not have
// keeps its tab disabled: there is nothing in it to edit.
void frmMain::showGroupSwitches() {
    for (Group group : {Group::General, Group::Explorer, Group::Navigator}) {
        bool on = false;
        switch (group) {
            case Group::General:
                on = document().ApplyGeneral();
                break;
            case Group::Explorer:
                on = document().ApplyIE();
                break;
            case Group::Navigator:
                on = document().ApplyNN();
                break;
        }
        groupButton(group).Pressed(on);
        groupMenuItem(group).Checked(on);
        tabSettings.tab(static_cast<int>(group)).Enabled(on && groupPresent(group));
    }
}

void frmMain::mnuFileOpen_Click() {
    try {
        platform::FileDialogRequest request =
            fileRequest(platform::FileDialogRequest::Kind::Open, "Open");
        request.fileMustExist = true;
        const std::optional<std::string> chosen = platform::ui().fileDialog(request);
        if (!chosen) return;
        openConfigurationFile(*chosen);
    } catch (const std::exception&) {
        // The command ends quietly, as when the dialog is cancelled.
    }
}

// ---- Saving -------------------------------------------------------------------------

void frmMain::mnuFileSave_Click() {
    saveConfiguration();
}

void frmMain::mnuFileSaveAs_Click() {
    saveConfigurationAs();
}

bool frmMain::saveConfiguration() {
    try {
        const std::string path = document().confFile();
        if (path.empty()) return saveConfigurationAs();
        if (!writeDocument(path)) return false;
        Caption(windowTitle(nameWithoutExtension(path)));
        updateStatus(-1);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool frmMain::saveConfigurationAs() {
    try {
        platform::FileDialogRequest request =
            fileRequest(platform::FileDialogRequest::Kind::Save, "Save As");
        request.fileName = document().confFile();
        request.promptToOverwrite = true;
        const std::optional<std::string> chosen = platform::ui().fileDialog(request);
        if (!chosen) return false;
        const std::string path = *chosen;
        if (!writeDocument(path)) return false;
        Caption(windowTitle(recentFiles::getFileName(path)));
        updateStatus(-1);
        recentList_.setRecentFile(path);
        showRecentFiles();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// A save that did not happen is said so: quietly ending would leave the user believing
// the file was written.
bool frmMain::writeDocument(const std::string& sFile) {
    bool written = false;
    try {
        written = document().saveConfigurationFile(sFile, addIns_) == 1;
    } catch (const std::exception&) {
        written = false;
    }
    if (!written) tell("Error saving configuration.", MsgBoxButtons::OKOnly, MsgBoxIcon::None);
    return written;
}

// ---- Applying -----------------------------------------------------------------------

void frmMain::mnuFileApply_Click() {
    try {
        applyShownConfiguration();
    } catch (const std::exception& error) {
        // A backend or an add-in that fails leaves the program running; the user learns why.
        tell(error.what(), MsgBoxButtons::OKOnly, MsgBoxIcon::Exclamation);
    }
}

void frmMain::applyShownConfiguration() {
    if (!applyPending_) {
        tell("No configuration changes have been made.", MsgBoxButtons::OKOnly,
             MsgBoxIcon::Information);
        return;
    }
    RmwConfig& shown = document();
    if (!shown.AutoApply() && tell("Apply configuration changes?", MsgBoxButtons::YesNo,
                                   MsgBoxIcon::None) != MsgBoxResult::Yes) {
        return;
    }
    const bool addInRestart = shown.applyConfiguration(addIns_);
    // Recorded once the configuration has been applied, so a failed apply is not shown
    // as the last one applied.
    storeOption("LastFileApplied", shownConfigurationName());
    showLastFileApplied();

    const bool restartNeeded = sbStatus(kResetPanel).Visible() || addInRestart;
    if (!restartNeeded) {
        tell("Configuration updated - no restart required.", MsgBoxButtons::OKOnly,
             MsgBoxIcon::Information);
    } else if (autoRestart_) {
        restartAutomatically();
        // The program ends whatever the answer to the unsaved-changes question.
        if (!close()) Unload();
        programEnded_ = true;
        return;
    } else {
        frmRestart restart;
        restart.ShowModal();
    }
    updateStatus(-2);
    applyPending_ = false;
}

std::string frmMain::shownConfigurationName() const {
    const std::string suffix = windowTitle("");
    const std::string& caption = Caption();
    if (caption.size() >= suffix.size() &&
        caption.compare(caption.size() - suffix.size(), suffix.size(), suffix) == 0) {
        return caption.substr(0, caption.size() - suffix.size());
    }
    return caption;
}

// ---- Status -------------------------------------------------------------------------

void frmMain::updateStatus(std::int16_t iMode) {
    applyPending_ = true;
    if (initializing_) return;
    switch (iMode) {
        case -1:
            showPanel(kUnsavedPanel, false);
            break;
        case -2:
            showPanel(kResetPanel, false);
            break;
        case -3:
            showPanel(kUnsavedPanel, false);
            showPanel(kResetPanel, false);
            break;
        case 1:
            if (!loadingFile_) showPanel(kUnsavedPanel, true);
            break;
        case 2:
            showPanel(kResetPanel, true);
            break;
        case 3:
            if (!loadingFile_) showPanel(kUnsavedPanel, true);
            showPanel(kResetPanel, true);
            break;
        default:
            break;
    }
}

void frmMain::showPanel(int index, bool visible) {
    forms::StatusPanel& panel = sbStatus(index);
    if (panel.Visible() != visible) panel.Visible(visible);
}

// ---- Group switches -----------------------------------------------------------------

bool frmMain::groupPresent(Group group) const {
    if (!document_) return false;
    switch (group) {
        case Group::General:
            return true;
        case Group::Explorer:
            return document_->IEInstalled();
        case Group::Navigator:
            return document_->NNInstalled();
    }
    return false;
}

void frmMain::groupSwitch(Group group, bool on) {
    if (!document_) return;
    switch (group) {
        case Group::General:
            document_->ApplyGeneral(on);
            break;
        case Group::Explorer:
            document_->ApplyIE(on);
            break;
        case Group::Navigator:
            document_->ApplyNN(on);
            break;
    }
}

forms::MenuItem& frmMain::groupMenuItem(Group group) {
    switch (group) {
        case Group::Explorer:
            return mnuToolsExplorer;
        case Group::Navigator:
            return mnuToolsNavigator;
        case Group::General:
            break;
    }
    return mnuToolsGeneral;
}

forms::ToolbarButton& frmMain::groupButton(Group group) {
    return tbarTools(kFirstSwitchButton + static_cast<int>(group));
}

void frmMain::switchGroup(Group group, bool on) {
    groupSwitch(group, on);
    tabSettings.tab(static_cast<int>(group)).Enabled(on && groupPresent(group));
    groupMenuItem(group).Checked(on);
    groupButton(group).Pressed(on);
    selectFirstEnabledTab();
}

void frmMain::toolbarSwitch_Click(Group group, bool pressed) {
    switchGroup(group, pressed);
}

void frmMain::menuSwitch_Click(Group group) {
    switchGroup(group, !groupMenuItem(group).Checked());
}

void frmMain::mnuToolsGeneral_Click() {
    menuSwitch_Click(Group::General);
}
void frmMain::mnuToolsExplorer_Click() {
    menuSwitch_Click(Group::Explorer);
}
void frmMain::mnuToolsNavigator_Click() {
    menuSwitch_Click(Group::Navigator);
}

void frmMain::selectFirstEnabledTab() {
    for (int index = 0; index < tabSettings.tabCount(); ++index) {
        if (tabSettings.tab(index).Enabled()) {
            tabSettings.currentTab(index);
            return;
        }
    }
    tabSettings.currentTab(kAdvancedTab);
}

void frmMain::tbarTools_ButtonClick(forms::ToolbarButton& Button) {
    switch (Button.Index()) {
        case kOpenButton:
            mnuFileOpen_Click();
            break;
        case kSaveButton:
            mnuFileSave_Click();
            break;
        case kApplyButton:
            mnuFileApply_Click();
            break;
        case kFirstSwitchButton:
            toolbarSwitch_Click(Group::General, Button.Pressed());
            break;
        case kFirstSwitchButton + 1:
            toolbarSwitch_Click(Group::Explorer, Button.Pressed());
            break;
        case kFirstSwitchButton + 2:
            toolbarSwitch_Click(Group::Navigator, Button.Pressed());
            break;
        default:
            break;
    }
}

// ---- View and tools -----------------------------------------------------------------

void frmMain::mnuToolsRefresh_Click() {
    initializeForm();
    loadAddIns();
    applyPending_ = false;
}

void frmMain::mnuToolsOptions_Click() {
    frmOptions options;
    options.ShowModal();
    autoRestart_ = readOption("AutoReset", "0") == "1";
}

// The add-ins are made again however the manager was closed: its OK switches them on
// and off, and a registration changed meanwhile outside the program takes effect too.
void frmMain::mnuToolsAddInManager_Click() {
    {
        frmAddIns manager;
        manager.ShowModal();
    }
    loadAddIns();
}

void frmMain::mnuHelpHelp_Click() {
    openHelpIndex(HelpFolder::Program);
}

void frmMain::mnuHelpAbout_Click() {
    frmAbout about;
    about.ShowModal();
}

// ---- Add-ins ------------------------------------------------------------------------

void frmMain::loadAddIns() {
    addIns_.clear();
    for (int index = 0; index < kAddInEntries; ++index) mnuAddIns(index).Visible(false);

    int loaded = 0;
    for (const addins::Registration& registration : addins::eligibleRegistrations()) {
        if (!registration.active) continue;
        forms::MenuItem* entry = nullptr;
        try {
            if (loaded >= kAddInEntries) throw RaisedError(9, "frmMain", "Subscript out of range");
            entry = &mnuAddIns(loaded);
            entry->Caption(platform::concat({registration.name, "..."}));
            entry->Visible(true);
            addIns_.add(registration.name, createAddInObject(registration.classId));
            ++loaded;
        } catch (const std::exception&) {
            // Loading stops here; the add-ins loaded so far stay usable.
            addInFailed(entry, registration.classId);
            return;
        }
    }
    mnuAddInsSep1.Visible(loaded > 0);
}

void frmMain::addInFailed(forms::MenuItem* entry, const std::string& classId) {
    if (entry != nullptr) entry->Visible(false);
    tell(platform::concat(
             {"Error referencing Add-In control: '", classId, "'.\r\rPlease check your Add-Ins."}),
         MsgBoxButtons::OKOnly, MsgBoxIcon::Exclamation);
}

void frmMain::mnuAddIns_Click(int Index) {
    try {
        const std::string& caption = mnuAddIns(Index).Caption();
        // Only the "..." the menu added is removed: a name may end in dots itself.
        const std::string name = caption.substr(0, caption.size() >= 3 ? caption.size() - 3 : 0);
        const std::shared_ptr<AddInObject> addIn = addIns_.find(name);
        if (!addIn) throw RaisedError(5, "frmMain", "Invalid procedure call or argument");
        addins::Show(*addIn);
        if (addins::Changed(*addIn)) updateStatus(kUnsavedChange);
        if (addins::restart(*addIn)) updateStatus(kUnsavedChangeNeedingRestart);
    } catch (const std::exception&) {
        tell("Error attempting to access Add-In.\r\rPlease check your Add-Ins.",
             MsgBoxButtons::OKOnly, MsgBoxIcon::Exclamation);
    }
}

// ---- Closing ------------------------------------------------------------------------

void frmMain::mnuFileExit_Click() {
    close();
}

bool frmMain::Form_QueryUnload() {
    if (!sbStatus(kUnsavedPanel).Visible()) return false;
    switch (tell("Save configuration?", MsgBoxButtons::YesNoCancel, MsgBoxIcon::Question)) {
        case MsgBoxResult::Yes:
            // Closing after a save that did not happen would lose the changes.
            return !saveConfiguration();
        case MsgBoxResult::Cancel:
            return true;
        default:
            return false;
    }
}

void frmMain::Form_Unload() {
    // A warning left on the screen would outlive the window it warns about.
    general.closeNICWarning();
    recentList_.setRecentList();
    addIns_.clear();
    releaseDocument();
}
