#pragma once
// The notification area on the desktop, through QSystemTrayIcon: an icon added with
// Shell_NotifyIconA becomes a tray icon with the record's tool tip; a double click on
// it reaches its window as WM_LBUTTONDBLCLK, a click as WM_LBUTTONUP, and opening its
// context menu as WM_RBUTTONUP, after which the window fills the menu with popupMenu.

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <map>
#include <memory>
#include <utility>

#include "platform/NotificationArea.h"

class QSystemTrayIcon;

namespace platform::qt {

class QtNotificationArea : public NotificationArea {
  public:
    // PROGRAMICON is what programIcon() hands out. With STANDIN the area takes icons even
    // where the desktop shows no notification area (offscreen test runs); the icons are
    // then made but seen by no one.
    explicit QtNotificationArea(QIcon programIcon, bool standIn = false);
    ~QtNotificationArea() override;
    QtNotificationArea(const QtNotificationArea&) = delete;
    QtNotificationArea& operator=(const QtNotificationArea&) = delete;

    bool available() override;
    win32::HWND createMessageWindow(WindowProcedure procedure) override;
    void destroyMessageWindow(win32::HWND hWnd) override;
    win32::HICON programIcon() override;
    win32::BOOL Shell_NotifyIconA(win32::DWORD dwMessage,
                                  const win32::NOTIFYICONDATAA* lpData) override;
    void popupMenu(forms::MenuItem& menu) override;

    // What the desktop does for a mouse event on the icon (hWnd, uID): delivers
    // MOUSEMESSAGE as the icon's callback message; WM_RBUTTONUP opens its menu. False
    // when no such icon is shown.
    bool raiseIconEvent(win32::HWND hWnd, win32::UINT uID, win32::UINT mouseMessage);
    // The first icon shown, as (hWnd, uID); (0, 0) when none.
    std::pair<win32::HWND, win32::UINT> firstIcon() const;
    // The desktop's icon for (hWnd, uID), or nullptr when none is shown.
    QSystemTrayIcon* trayIcon(win32::HWND hWnd, win32::UINT uID) const;
    // The menu last shown by popupMenu, while it is open.
    QMenu* openMenu() const { return openMenu_; }

  private:
    struct Icon;

    void deliver(const Icon& icon, win32::UINT mouseMessage);
    void menuAboutToShow(Icon& icon);

    QIcon programIcon_;
    bool standIn_;
    std::map<win32::HWND, WindowProcedure> windows_;
    std::map<std::pair<win32::HWND, win32::UINT>, std::unique_ptr<Icon>> icons_;
    win32::HWND nextWindow_ = 0x100;
    // The icon whose menu is being opened by the desktop: popupMenu then fills that menu
    // instead of opening one of its own.
    Icon* opening_ = nullptr;
    QPointer<QMenu> openMenu_;
};

// Fills QMENU with the items popupMenu shows of MENU, each action named as the kit names
// its control's view (forms::viewName); choosing one clicks the model's item.
void fillMenu(QMenu& qmenu, forms::MenuItem& menu);

}  // namespace platform::qt
