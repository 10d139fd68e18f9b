// The notification area and the session end on Qt: the record's fields on the desktop's
// icon, the icon's activations and menu as the window's callback message, the records
// Windows refuses, and the session end's question.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <cstring>
#include <tuple>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/forms/MenuItem.h"
#include "platform/qt/QtNotificationArea.h"
#include "platform/qt/QtSessionEnd.h"
#include "tests/platform/qt/QtTestApp.h"

namespace {

using platform::qt::QtNotificationArea;
using Message = std::tuple<win32::UINT, win32::WPARAM, win32::LPARAM>;

using qttest::application;

win32::NOTIFYICONDATAA record(win32::HWND window, const char* tip) {
    win32::NOTIFYICONDATAA data;
    data.cbSize = win32::NOTIFYICONDATAA_SIZE;
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = win32::NIF_MESSAGE | win32::NIF_ICON | win32::NIF_TIP;
    data.uCallbackMessage = win32::WM_MOUSEMOVE;
    std::strncpy(data.szTip, tip, sizeof data.szTip - 1);
    return data;
}

class Popup : public forms::Form {
  public:
    Popup() : Form("frmPopup", "") {
        first.Caption("&First");
        hidden.Visible(false);
        last.Caption("&Last");
        last.Enabled(false);
        first.onClick([this] { ++firstClicks; });
        for (forms::MenuItem* item : {&first, &hidden, &line, &last}) menu.add(*item);
    }
    forms::MenuItem menu{*this, "mnuMenu"};
    forms::MenuItem first{*this, "mnuFirst"};
    forms::MenuItem hidden{*this, "mnuHidden"};
    forms::MenuItem line{*this, "mnuLine", forms::MenuItem::Kind::Separator};
    forms::MenuItem last{*this, "mnuLast"};
    int firstClicks = 0;
};

TEST(QtNotificationAreaTest, TheRecordShowsOnTheDesktopsIconAndItsEventsReachTheWindow) {
    application();
    QtNotificationArea area(QIcon(), true);
    Popup popup;
    std::vector<Message> received;
    const win32::HWND window = area.createMessageWindow(
        [&](win32::UINT msg, win32::WPARAM id, win32::LPARAM event) {
            received.emplace_back(msg, id, event);
            if (event == win32::WM_RBUTTONUP) area.popupMenu(popup.menu);
        });
    win32::NOTIFYICONDATAA data = record(window, "Roamwise 2.1.0");
    ASSERT_EQ(area.Shell_NotifyIconA(win32::NIM_ADD, &data), 1);
    QSystemTrayIcon* icon = area.trayIcon(window, 1);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "Roamwise 2.1.0");

    Q_EMIT icon->activated(QSystemTrayIcon::DoubleClick);
    Q_EMIT icon->activated(QSystemTrayIcon::Trigger);
    ASSERT_TRUE(area.raiseIconEvent(window, 1, win32::WM_RBUTTONUP));
    EXPECT_EQ(received, (std::vector<Message>{{512, 1, 515}, {512, 1, 514}, {512, 1, 517}}));
    // The menu the desktop opened holds the visible items, filled on the right click.
    QMenu* menu = icon->contextMenu();
    ASSERT_EQ(area.openMenu(), menu);
    QStringList shown;
    for (QAction* action : menu->actions())
        shown << (action->isSeparator() ? "-" : action->text()) + (action->isEnabled() ? "" : " (off)");
    EXPECT_EQ(shown, (QStringList{"&First", "-", "&Last (off)"}));
    EXPECT_EQ(menu->actions().back()->objectName(), "mnuLast");
    menu->actions().front()->trigger();
    EXPECT_EQ(popup.firstClicks, 1);

    data = record(window, "Changed");
    EXPECT_EQ(area.Shell_NotifyIconA(win32::NIM_MODIFY, &data), 1);
    EXPECT_EQ(icon->toolTip(), "Changed");
    EXPECT_EQ(area.Shell_NotifyIconA(win32::NIM_ADD, &data), 0);  // already there
    EXPECT_EQ(area.Shell_NotifyIconA(win32::NIM_DELETE, &data), 1);
    EXPECT_EQ(area.trayIcon(window, 1), nullptr);
    EXPECT_EQ(area.Shell_NotifyIconA(win32::NIM_DELETE, &data), 0);  // gone
    EXPECT_FALSE(area.raiseIconEvent(window, 1, win32::WM_LBUTTONDBLCLK));
    area.destroyMessageWindow(window);
}

TEST(QtNotificationAreaTest, RefusesBadRecordsAndAddsNothingWithoutAnArea) {
    application();
    QtNotificationArea standIn(QIcon(), true);
    const win32::HWND window = standIn.createMessageWindow({});
    win32::NOTIFYICONDATAA data = record(window, "tip");
    data.cbSize = 504;  // a later Windows' record
    EXPECT_EQ(standIn.Shell_NotifyIconA(win32::NIM_ADD, &data), 0);
    data = record(window + 1, "tip");  // no such window
    EXPECT_EQ(standIn.Shell_NotifyIconA(win32::NIM_ADD, &data), 0);
    EXPECT_EQ(standIn.Shell_NotifyIconA(win32::NIM_ADD, nullptr), 0);

    // The offscreen desktop has no notification area of its own.
    QtNotificationArea desktop{QIcon()};
    EXPECT_FALSE(desktop.available());
    data = record(desktop.createMessageWindow({}), "tip");
    EXPECT_EQ(desktop.Shell_NotifyIconA(win32::NIM_ADD, &data), 0);
}

TEST(QtSessionEndTest, TheHandlerSeesTheSessionEndingAndMayRefuse) {
    platform::qt::QtSessionEnd session(application());
    EXPECT_TRUE(session.queryEndSession(platform::SessionEndReason::Shutdown));  // no handler
    std::vector<platform::SessionEndReason> seen;
    bool refuse = true;
    session.onQueryEndSession([&] {
        seen.push_back(session.ending());
        return !refuse;
    });
    EXPECT_FALSE(session.queryEndSession(platform::SessionEndReason::Logoff));
    refuse = false;
    EXPECT_TRUE(session.queryEndSession(platform::SessionEndReason::Shutdown));
    EXPECT_EQ(seen, (std::vector<platform::SessionEndReason>{platform::SessionEndReason::Logoff,
                                                               platform::SessionEndReason::Shutdown}));
    EXPECT_EQ(session.ending(), platform::SessionEndReason::None);
}

}  // namespace
