#pragma once
// The tray utility's hidden window: it owns the icon in the notification area and the
// icon's menu, from which the user starts the main program plainly or with one of the
// recent configuration files, closes the utility, or stops it starting with Windows.
// When Windows shuts down or logs off it can offer to run the main program first.

#include <memory>
#include <string>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/forms/Form.h"
#include "platform/forms/MenuItem.h"
#include "registry/clsEasyRegistry.h"
#include "tray/TrayIcon.h"
#include "tray/frmTrayAbout.h"

class frmSysTray : public forms::Form {
  public:
    static constexpr int kRecentEntries = 5;

    frmSysTray();
    ~frmSysTray() override;

    // The popup menu and its items, in the order shown; the menu is never on a menu bar.
    forms::MenuItem mnuConfigure{*this, "mnuConfigure"};
    forms::MenuItem mnuOpen{*this, "mnuOpen"};
    forms::MenuItem mnuSep_01{*this, "mnuSep_01", forms::MenuItem::Kind::Separator};
    forms::MenuItem mnuClose{*this, "mnuClose"};
    forms::MenuItem mnuCloseDisable{*this, "mnuCloseDisable"};
    forms::MenuItem mnuSep1{*this, "mnuSep1", forms::MenuItem::Kind::Separator};
    forms::MenuItem mnuAbout{*this, "mnuAbout"};
    forms::MenuItem sepRecent{*this, "sepRecent", forms::MenuItem::Kind::Separator};
    forms::MenuItem& mnuFileRecent(int index);  // 1 to 5

    // Fixed when the window loads; "" when the main program was not found.
    const std::string& mainProgramPath() const { return mainProgramPath_; }
    bool mainProgramFound() const { return !mainProgramPath_.empty(); }
    // The icon's record while the window is loaded; nullptr otherwise.
    const win32::NOTIFYICONDATAA* iconRecord() const;
    frmTrayAbout& aboutBox() { return about_; }

    // The hidden window's message handling: the icon's events arrive as its callback
    // message, with the mouse message as LPARAM.
    void windowProcedure(win32::UINT uMsg, win32::WPARAM wParam, win32::LPARAM lParam);
    // Refreshes the recent-file entries of the menu from the settings store.
    void loadRecentMenu();
    // Shows FILES (full paths, most recent first) as the menu's recent-file entries.
    void showRecentFiles(const std::vector<std::string>& files);

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;

  private:
    void buildMenu();
    void showIcon();
    void iconEvent(win32::LPARAM mouseMessage);
    bool offerMainProgramAtSessionEnd();
    void startMainProgram(const std::vector<std::string>& arguments);
    void releaseWindow();

    void mnuOpen_Click();
    void mnuClose_Click();
    void mnuCloseDisable_Click();
    void mnuAbout_Click();
    void mnuFileRecent_Click(int Index);

    clsEasyRegistry registry_;
    std::string mainProgramPath_;
    win32::HWND window_ = 0;
    std::unique_ptr<TrayIcon> icon_;
    std::vector<std::unique_ptr<forms::MenuItem>> recentItems_;
    frmTrayAbout about_;
};

// The command-line argument that hands the main program the recent file SFILE: the
// quoted full path, a comma and the quoted file name, as in
// "C:\Cfg\Home.rmw","Home.rmw".
std::string recentFileArgument(const std::string& sFile);
