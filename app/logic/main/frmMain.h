#pragma once
// The main window of rmw as a model: the configuration document shown in four tabs,
// the file commands, Apply with its restart decision, the two status indicators
// ("unsaved changes" and "requires a reset"), the group switches of the toolbar and the
// View menu, the add-ins menu, and start-up from the command line. The Qt window binds
// its widgets to these controls; tests and rmwctl drive it directly.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/logic/main/AdvancedTab.h"
#include "app/logic/main/ExplorerTab.h"
#include "app/logic/main/GeneralTab.h"
#include "app/logic/main/NavigatorTab.h"
#include "app/logic/main/TabHost.h"
#include "config/AddInList.h"
#include "platform/forms/Form.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/StatusPanel.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/ToolbarButton.h"
#include "settings/recentFiles.h"

class RmwConfig;

class frmMain : public forms::Form, private TabHost {
  public:
    // COMMANDLINE is the text after the program name, as Windows passes it.
    explicit frmMain(std::string commandLine = "");
    ~frmMain() override;

    // The arguments of a command line, at most IMAXARGS of them: the whole line when,
    // without its quotes, it names an existing file (a path may contain commas);
    // otherwise the line split at its commas (see CommandLine.h).
    static std::vector<std::string> GetCommandLine(const std::string& sCommandLine,
                                                   int iMaxArgs = 10);

    void initializeForm();
    void showRecentFiles();
    void openConfigurationFile(const std::string& sFile);
    // The first steps of opening a file: load it and refill the tabs, so that values that
    // differ are marked; neither applies it nor asks about add-in restarts. Returns false
    // when it failed (the user has been told).
    bool showConfigurationFile(const std::string& sFile);
    void updateStatus(std::int16_t iMode) override;
    void selectFirstEnabledTab();
    void loadAddIns();

    // Menu, toolbar and add-in commands.
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileApply_Click();
    void mnuFileExit_Click();
    void mnuFileRecent_Click(int Index);
    void mnuToolsRefresh_Click();
    void mnuToolsGeneral_Click();
    void mnuToolsExplorer_Click();
    void mnuToolsNavigator_Click();
    void mnuToolsOptions_Click();
    void mnuToolsAddInManager_Click();
    void mnuAddIns_Click(int Index);
    void mnuHelpHelp_Click();
    void mnuHelpAbout_Click();
    void tbarTools_ButtonClick(forms::ToolbarButton& Button);

    // Window state.
    // The document shown; raises error 91 when the window holds none (before loading,
    // after closing, or when making it failed).
    RmwConfig& document() const;
    recentFiles& recentList();
    AddInList& addIns();
    bool applyPending() const { return applyPending_; }
    bool initializing() const override { return initializing_; }
    bool loadingFile() const override { return loadingFile_; }
    bool autoRestart() const { return autoRestart_; }
    // True once the window has ended the program (after an automatic restart); the
    // program's entry then exits.
    bool programEnded() const { return programEnded_; }
    // Every bound control of the four tabs, tab by tab.
    std::vector<Binding> bindings() const;

    // Menus.
    forms::MenuItem mnuFile, mnuFileOpen, mnuFileSave, mnuFileSaveAs, mnuFileSep1, mnuFileApply,
        mnuFileSep2, mnuFileExit, sepRecent;
    forms::MenuItem& mnuFileRecent(int index);  // 1 to 5
    forms::MenuItem mnuTools, mnuToolsRefresh, mnuToolsSep1, mnuToolsGeneral, mnuToolsExplorer,
        mnuToolsNavigator, mnuToolsSep2, mnuToolsOptions;
    forms::MenuItem mnuAddInsMenu;
    forms::MenuItem& mnuAddIns(int index);  // 0 to 19
    forms::MenuItem mnuAddInsSep1, mnuToolsAddInManager;
    forms::MenuItem mnuHelp, mnuHelpHelp, mnuHelpSep1, mnuHelpAbout;
    // Toolbar buttons 1 to 8 (3 and 5 separate the groups) and status panels 1 to 4.
    forms::ToolbarButton& tbarTools(int index);
    forms::StatusPanel& sbStatus(int index);
    // The four tabs and their controls.
    forms::TabStrip tabSettings;
    GeneralTab general;
    ExplorerTab explorer;
    NavigatorTab navigator;
    AdvancedTab advanced;

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;

  private:
    // The three groups of settings that can be switched off, by their tab's index.
    enum class Group { General = 0, Explorer = 1, Navigator = 2 };

    void initializing(bool value) override { initializing_ = value; }
    const std::string& windowCaption() const override { return Caption(); }

    void buildMenus();
    void arrangeMenus();
    void buildToolbar();
    void buildStatusBar();
    void buildTabs();
    // Points every tab at DOCUMENT's backends (nullptr: at none).
    void attachTabs(RmwConfig* document);
    void replaceDocument(std::unique_ptr<RmwConfig> document);
    void releaseDocument();
    void fillTabsFromDocument();
    void setUpGroup(Group group, bool present);
    void showGroupSwitches();
    bool groupPresent(Group group) const;
    void groupSwitch(Group group, bool on);
    forms::MenuItem& groupMenuItem(Group group);
    forms::ToolbarButton& groupButton(Group group);
    // The document's switch, the tab, the View item and the toolbar button of GROUP
    // made to agree with ON.
    void switchGroup(Group group, bool on);
    void toolbarSwitch_Click(Group group, bool pressed);
    void menuSwitch_Click(Group group);
    void showPanel(int index, bool visible);
    void showLastFileApplied();
    // The name part of the caption: the file name as shown, or "[Current Configuration]".
    std::string shownConfigurationName() const;
    // The Apply command without its own error handling (opening a file reports errors
    // its own way).
    void applyShownConfiguration();
    // Save and Save As; true when the configuration has been written.
    bool saveConfiguration();
    bool saveConfigurationAs();
    // Writes the document to SFILE; false, after telling the user, when that failed.
    bool writeDocument(const std::string& sFile);
    void addInFailed(forms::MenuItem* entry, const std::string& classId);

    std::string commandLine_;
    std::unique_ptr<RmwConfig> document_;
    recentFiles recentList_;
    AddInList addIns_;
    std::vector<std::unique_ptr<forms::MenuItem>> recentItems_;
    std::vector<std::unique_ptr<forms::MenuItem>> addInItems_;
    std::vector<std::unique_ptr<forms::ToolbarButton>> toolbar_;
    std::vector<std::unique_ptr<forms::StatusPanel>> panels_;
    bool initializing_ = false;
    bool loadingFile_ = false;
    bool autoRestart_ = false;
    bool applyPending_ = false;
    bool programEnded_ = false;
};
