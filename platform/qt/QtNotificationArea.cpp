#include "platform/qt/QtNotificationArea.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>
#include <cstring>

#include "platform/forms/Form.h"
#include "platform/forms/MenuItem.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

struct QtNotificationArea::Icon {
    win32::NOTIFYICONDATAA record;
    std::unique_ptr<QMenu> menu = std::make_unique<QMenu>();
    std::unique_ptr<QSystemTrayIcon> tray = std::make_unique<QSystemTrayIcon>();
};

namespace {

constexpr win32::HICON kProgramIcon = 1;

QString tipOf(const win32::NOTIFYICONDATAA& record) {
    return QString::fromLatin1(record.szTip, static_cast<qsizetype>(strnlen(record.szTip, sizeof record.szTip)));
}

}  // namespace

QtNotificationArea::QtNotificationArea(QIcon programIcon, bool standIn)
    : programIcon_(std::move(programIcon)), standIn_(standIn) {}

QtNotificationArea::~QtNotificationArea() = default;

bool QtNotificationArea::available() {
    return standIn_ || QSystemTrayIcon::isSystemTrayAvailable();
}

win32::HWND QtNotificationArea::createMessageWindow(WindowProcedure procedure) {
    const win32::HWND window = nextWindow_++;
    windows_[window] = std::move(procedure);
    return window;
}

void QtNotificationArea::destroyMessageWindow(win32::HWND hWnd) {
    windows_.erase(hWnd);
    std::erase_if(icons_, [hWnd](const auto& icon) { return icon.first.first == hWnd; });
}

win32::HICON QtNotificationArea::programIcon() {
    return kProgramIcon;
}

win32::BOOL QtNotificationArea::Shell_NotifyIconA(win32::DWORD dwMessage,
                                                  const win32::NOTIFYICONDATAA* lpData) {
    if (lpData == nullptr || lpData->cbSize != win32::NOTIFYICONDATAA_SIZE) return 0;
    if (windows_.count(lpData->hWnd) == 0) return 0;
    const std::pair key{lpData->hWnd, lpData->uID};
    const auto found = icons_.find(key);
    if (dwMessage == win32::NIM_DELETE) {
        if (found == icons_.end()) return 0;
        icons_.erase(found);
        return 1;
    }
    if ((dwMessage == win32::NIM_ADD) != (found == icons_.end())) return 0;
    if (dwMessage == win32::NIM_ADD && !available()) return 0;
    if (dwMessage != win32::NIM_ADD && dwMessage != win32::NIM_MODIFY) return 0;

    std::unique_ptr<Icon>& icon = icons_[key];
    if (!icon) {
        icon = std::make_unique<Icon>();
        Icon* raw = icon.get();
        icon->tray->setContextMenu(icon->menu.get());
        QObject::connect(icon->menu.get(), &QMenu::aboutToShow, [this, raw] { menuAboutToShow(*raw); });
        QObject::connect(icon->tray.get(), &QSystemTrayIcon::activated,
                         [this, raw](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::DoubleClick)
                                 deliver(*raw, win32::WM_LBUTTONDBLCLK);
                             else if (reason == QSystemTrayIcon::Trigger)
                                 deliver(*raw, win32::WM_LBUTTONUP);
                         });
    }
    icon->record = *lpData;
    if (lpData->uFlags & win32::NIF_ICON)
        icon->tray->setIcon(lpData->hIcon == kProgramIcon ? programIcon_ : QIcon());
    if (lpData->uFlags & win32::NIF_TIP) icon->tray->setToolTip(tipOf(*lpData));
    icon->tray->show();
    return 1;
}

void QtNotificationArea::deliver(const Icon& icon, win32::UINT mouseMessage) {
    if ((icon.record.uFlags & win32::NIF_MESSAGE) == 0) return;
    const auto window = windows_.find(icon.record.hWnd);
    if (window == windows_.end()) return;
    // A copy: the window may remove its icon, and itself, while it handles the event.
    const WindowProcedure procedure = window->second;
    procedure(icon.record.uCallbackMessage, icon.record.uID,
              static_cast<win32::LPARAM>(mouseMessage));
}

// The desktop opens the icon's menu on a right click: the window hears the click and
// fills the menu (through popupMenu) before it appears.
void QtNotificationArea::menuAboutToShow(Icon& icon) {
    if (opening_ != nullptr) return;
    opening_ = &icon;
    deliver(icon, win32::WM_RBUTTONUP);
    opening_ = nullptr;
}

void QtNotificationArea::popupMenu(forms::MenuItem& menu) {
    if (opening_ != nullptr) {
        fillMenu(*opening_->menu, menu);
        openMenu_ = opening_->menu.get();
        return;
    }
    // Asked outside a right click on an icon: a menu of its own at the mouse pointer.
    auto* popup = new QMenu;
    popup->setAttribute(Qt::WA_DeleteOnClose);
    fillMenu(*popup, menu);
    openMenu_ = popup;
    popup->popup(QCursor::pos());
}

bool QtNotificationArea::raiseIconEvent(win32::HWND hWnd, win32::UINT uID, win32::UINT mouseMessage) {
    const auto found = icons_.find({hWnd, uID});
    if (found == icons_.end()) return false;
    Icon& icon = *found->second;
    if (mouseMessage == win32::WM_RBUTTONUP) {
        // As the desktop does: the menu opens, and the window fills it as it does.
        icon.menu->popup(QCursor::pos());
        return true;
    }
    deliver(icon, mouseMessage);
    return true;
}

QSystemTrayIcon* QtNotificationArea::trayIcon(win32::HWND hWnd, win32::UINT uID) const {
    const auto found = icons_.find({hWnd, uID});
    return found == icons_.end() ? nullptr : found->second->tray.get();
}

std::pair<win32::HWND, win32::UINT> QtNotificationArea::firstIcon() const {
    if (icons_.empty()) return {0, 0};
    return icons_.begin()->first;
}

void fillMenu(QMenu& qmenu, forms::MenuItem& menu) {
    qmenu.clear();
    for (forms::MenuItem* item : popupMenuItems(menu)) {
        const QString viewName = qtkit::toQt(forms::viewName(item->Name()));
        if (item->isSeparator()) {
            qmenu.addSeparator()->setObjectName(viewName);
            continue;
        }
        QAction* action = qmenu.addAction(qtkit::toQt(item->Caption()));
        action->setObjectName(viewName);
        action->setEnabled(item->Enabled());
        // The model's item is looked up again when chosen: the window may have rebuilt
        // its menu meanwhile, and a queued choice must not reach a destroyed item.
        forms::Form* form = &item->owner();
        const std::string name = item->Name();
        QObject::connect(action, &QAction::triggered, [form, name] {
            if (auto* chosen = dynamic_cast<forms::MenuItem*>(form->find(name))) chosen->click();
        });
    }
}

}  // namespace platform::qt
