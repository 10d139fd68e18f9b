#include "tray/frmSysTray.h"

#include <algorithm>
#include <stdexcept>

#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "settings/Options.h"
#include "settings/SettingsStore.h"
#include "settings/recentFiles.h"
#include "tray/MainProgramPath.h"
#include "tray/TrayVersion.h"

namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;

constexpr const char* kRunKey = "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "RmwSysTray";
constexpr const char* kSessionEndQuestion =
    "Roamwise has been set to run at ShutDown/Logoff.\r\n\r\nWould you like to run Roamwise now?";

std::vector<std::string> loadRecentList() {
    recentFiles list;
    list.getRecentList();
    return list.fileList();
}

}  // namespace

std::string recentFileArgument(const std::string& sFile) {
    return platform::concat({"\"", sFile, "\",\"", recentFiles::getFileName(sFile), "\""});
}

frmSysTray::frmSysTray() : Form("frmSysTray", "Roamwise System Tray") {
    registry_.SuppressErrors(true);
    buildMenu();
}

frmSysTray::~frmSysTray() {
    // The icon must not outlive its window, even when the window was never unloaded.
    if (loaded()) Unload();
    releaseWindow();
}

void frmSysTray::buildMenu() {
    mnuConfigure.Caption("&Configure");
    mnuOpen.Caption("&Open Roamwise...");
    mnuClose.Caption("&Close");
    mnuCloseDisable.Caption("Close and &Disable");
    mnuAbout.Caption("&About Roamwise");
    sepRecent.Visible(false);
    for (forms::MenuItem* item :
         {&mnuOpen, &mnuSep_01, &mnuClose, &mnuCloseDisable, &mnuSep1, &mnuAbout, &sepRecent})
        mnuConfigure.add(*item);
    for (int index = 1; index <= kRecentEntries; ++index) {
        auto item =
            std::make_unique<forms::MenuItem>(*this, forms::arrayName("mnuFileRecent", index));
        item->Visible(false);
        item->onClick([this, index] { mnuFileRecent_Click(index); });
        mnuConfigure.add(*item);
        recentItems_.push_back(std::move(item));
    }
    mnuOpen.onClick([this] { mnuOpen_Click(); });
    mnuClose.onClick([this] { mnuClose_Click(); });
    mnuCloseDisable.onClick([this] { mnuCloseDisable_Click(); });
    mnuAbout.onClick([this] { mnuAbout_Click(); });
}

forms::MenuItem& frmSysTray::mnuFileRecent(int index) {
    if (index < 1 || index > kRecentEntries)
        throw std::out_of_range("mnuFileRecent has no entry " + std::to_string(index));
    return *recentItems_[static_cast<std::size_t>(index - 1)];
}

const win32::NOTIFYICONDATAA* frmSysTray::iconRecord() const {
    return icon_ ? &icon_->record() : nullptr;
}

// ---- Start and end ------------------------------------------------------------------

void frmSysTray::Form_Load() {
    platform::BusyPointer busy(platform::ui());
    mainProgramPath_ = findMainProgram(registry_);
    mnuOpen.Enabled(mainProgramFound());
    storeOption("TrayIconActive", "1");
    showIcon();
    platform::sessionEnd().onQueryEndSession([this] { return close(); });
}

// A refused icon leaves nothing behind: no window, and the flag says the utility is not
// running, so the options dialog offers to start it again.
void frmSysTray::showIcon() {
    window_ = platform::notificationArea().createMessageWindow(
        [this](win32::UINT uMsg, win32::WPARAM wParam, win32::LPARAM lParam) {
            windowProcedure(uMsg, wParam, lParam);
        });
    icon_ = std::make_unique<TrayIcon>(window_, platform::notificationArea().programIcon(),
                                       trayversion::toolTip());
    if (icon_->add()) return;
    releaseWindow();
    storeOption("TrayIconActive", "0");
    throw std::runtime_error("The notification area did not take the Roamwise icon.");
}

bool frmSysTray::Form_QueryUnload() {
    if (platform::sessionEnd().ending() == platform::SessionEndReason::None) return false;
    return offerMainProgramAtSessionEnd();
}

// Returns true to keep the window, which also stops the shutdown or logoff. Without a
// main program there is nothing to offer, and the session ends undisturbed.
bool frmSysTray::offerMainProgramAtSessionEnd() {
    if (readOption("AutoShutdown", "0") != "1" || !mainProgramFound()) return false;
    const MsgBoxResult answer = platform::ui().messageBox(
        kSessionEndQuestion, MsgBoxButtons::YesNo, MsgBoxIcon::Question, kAppTitle);
    if (answer != MsgBoxResult::Yes) return false;
    startMainProgram({});
    return true;
}

void frmSysTray::Form_Unload() {
    about_.Unload();
    platform::sessionEnd().onQueryEndSession({});
    releaseWindow();
    storeOption("TrayIconActive", "0");
}

void frmSysTray::releaseWindow() {
    if (icon_) icon_->remove();
    icon_.reset();
    if (window_ != 0) platform::notificationArea().destroyMessageWindow(window_);
    window_ = 0;
}

// ---- Icon events --------------------------------------------------------------------

void frmSysTray::windowProcedure(win32::UINT uMsg, win32::WPARAM /*wParam*/,
                                 win32::LPARAM lParam) {
    if (uMsg != TrayIcon::kCallbackMessage || !loaded()) return;
    // Nothing may escape into the desktop's event loop from a click on the icon.
    try {
        iconEvent(lParam);
    } catch (const std::exception&) {
    }
}

void frmSysTray::iconEvent(win32::LPARAM mouseMessage) {
    switch (mouseMessage) {
        case win32::WM_LBUTTONDBLCLK:
            if (mainProgramFound()) mnuOpen_Click();
            break;
        case win32::WM_RBUTTONUP:
            loadRecentMenu();
            platform::notificationArea().popupMenu(mnuConfigure);
            break;
        default:
            break;
    }
}

void frmSysTray::loadRecentMenu() {
    if (!mainProgramFound()) return;
    platform::BusyPointer busy(platform::ui());
    showRecentFiles(loadRecentList());
}

// Entries beyond a list that has become shorter are hidden again, so that the menu
// never offers a file the list no longer holds.
void frmSysTray::showRecentFiles(const std::vector<std::string>& files) {
    const int count = std::min(static_cast<int>(files.size()), kRecentEntries);
    sepRecent.Visible(count > 0);
    for (int index = 1; index <= kRecentEntries; ++index) {
        forms::MenuItem& item = mnuFileRecent(index);
        item.Visible(index <= count);
        if (index > count) continue;
        item.Caption(platform::concat(
            {"&", std::to_string(index), ". ",
             recentFiles::getFileName(files[static_cast<std::size_t>(index - 1)])}));
    }
}

// ---- Menu ---------------------------------------------------------------------------

void frmSysTray::mnuOpen_Click() {
    startMainProgram({});
}

void frmSysTray::mnuClose_Click() {
    Unload();
}

void frmSysTray::mnuCloseDisable_Click() {
    storeOption("TrayIcon", "0");
    registry_.Cd(kRunKey);
    registry_.DeleteValue(kRunValue);
    Unload();
}

void frmSysTray::mnuAbout_Click() {
    about_.ShowModeless();
}

// The list is read afresh: the main program may have changed it since the menu was
// shown. An entry the list no longer has starts nothing.
void frmSysTray::mnuFileRecent_Click(int Index) {
    platform::BusyPointer busy(platform::ui());
    const std::vector<std::string> files = loadRecentList();
    if (Index < 1 || Index > static_cast<int>(files.size())) return;
    startMainProgram({recentFileArgument(files[static_cast<std::size_t>(Index - 1)])});
}

void frmSysTray::startMainProgram(const std::vector<std::string>& arguments) {
    if (!mainProgramFound()) return;
    if (platform::shell().startProgram(mainProgramPath_, arguments)) return;
    platform::ui().messageBox(platform::concat({"Could not start: ", mainProgramPath_}),
                              MsgBoxButtons::OKOnly, MsgBoxIcon::Exclamation, kAppTitle);
}
