#include "tray/qt/TrayScreenshots.h"

#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QPixmap>
#include <iostream>

#include "platform/qt/FormBinder.h"
#include "platform/qt/QtNotificationArea.h"
#include "tray/frmSysTray.h"
#include "tray/frmTrayAbout.h"
#include "ui_frmAbout.h"

namespace {

bool save(const QPixmap& picture, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (picture.save(path, "PNG")) return true;
    std::cerr << "RmwSysTray: cannot write " << path.toStdString() << "\n";
    return false;
}

QPixmap aboutBox() {
    frmTrayAbout about;
    std::unique_ptr<QWidget> window = qtkit::makeWindow<Ui::frmAbout, QDialog>();
    qtkit::bindForm(about, *window);
    window->adjustSize();
    return window->grab();
}

QPixmap menuWithRecentFiles() {
    frmSysTray tray;
    tray.showRecentFiles({"C:\\Configs\\Office.rmw", "C:\\Configs\\Home.rmw",
                          "C:\\Configs\\Customer Site.rmw"});
    QMenu menu;
    platform::qt::fillMenu(menu, tray.mnuConfigure);
    menu.ensurePolished();
    menu.adjustSize();
    return menu.grab();
}

}  // namespace

bool trayScreenshots(const QString& folder) {
    QDir target(folder);
    if (!target.mkpath(".")) {
        std::cerr << "RmwSysTray: cannot make the folder " << folder.toStdString() << "\n";
        return false;
    }
    const bool about = save(aboutBox(), target, "tray-about.png");
    const bool menu = save(menuWithRecentFiles(), target, "tray-menu.png");
    return about && menu;
}
