// RmwSysTray: the Roamwise icon in the notification area. It runs against the machine
// the main program uses (ROAMWISE_MACHINE, or the user's own), once per user and
// machine, and ends when its window is closed from the icon's menu or the session ends.
//
//   RmwSysTray                    runs the utility
//   RmwSysTray --screenshot DIR   draws its about box and its menu (with three recent
//                                 files) into DIR as PNG pictures, and ends

#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QMessageBox>
#include <chrono>
#include <iostream>
#include <memory>
#include <optional>

#include "platform/emulated/Machine.h"
#include "platform/qt/FormBinder.h"
#include "platform/qt/QtNotificationArea.h"
#include "platform/qt/QtSessionEnd.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtUserInterface.h"
#include "settings/Options.h"
#include "settings/SettingsStore.h"
#include "tray/frmSysTray.h"
#include "tray/qt/NotificationAreaWait.h"
#include "tray/qt/SingleInstance.h"
#include "tray/qt/TrayScreenshots.h"
#include "tray/qt/TrayTestControl.h"
#include "ui_frmAbout.h"

namespace {

constexpr std::chrono::seconds kAreaWait{30};
constexpr const char* kNoArea =
    "The desktop shows no notification area (system tray), so the Roamwise icon cannot be "
    "placed there.";

int runUtility(QApplication& application) {
    std::unique_ptr<platform::emulated::Machine> machine;
    try {
        machine = platform::emulated::Machine::openDefault();
    } catch (const std::exception& error) {
        std::cerr << "RmwSysTray: " << error.what() << "\n";
        QMessageBox::critical(nullptr, QStringLiteral("Roamwise"), qtkit::toQt(error.what()));
        return 1;
    }
    SingleInstance instance(machine->folder());
    if (!instance.acquire()) return 0;  // the utility runs already

    platform::qt::QtNotificationArea area(application.windowIcon(), TrayTestControl::requested());
    platform::qt::QtSessionEnd session(application);
    qtkit::QtUserInterface ui;
    ui.registerWindow("frmAbout", qtkit::makeWindow<Ui::frmAbout, QDialog>);
    platform::Services services = machine->services();
    services.ui = &ui;
    services.notificationArea = &area;
    services.session = &session;
    platform::installServices(services);

    if (!waitForNotificationArea(area, kAreaWait)) {
        storeOption("TrayIconActive", "0");
        ui.messageBox(kNoArea, platform::MsgBoxButtons::OKOnly,
                                platform::MsgBoxIcon::Exclamation, kAppTitle);
        return 1;
    }
    frmSysTray tray;
    try {
        tray.Load();
    } catch (const std::exception& error) {
        ui.messageBox(error.what(), platform::MsgBoxButtons::OKOnly,
                                platform::MsgBoxIcon::Exclamation, kAppTitle);
        return 1;
    }
    // The window is never shown; the program ends with it.
    tray.onUnloaded([] { QCoreApplication::quit(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, [&tray] { tray.Unload(); });
    std::optional<TrayTestControl> control;
    if (TrayTestControl::requested()) control.emplace(area, session);
    const int status = QApplication::exec();
    tray.Unload();
    platform::installServices({});
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const bool screenshots = argc >= 2 && std::string(argv[1]) == "--screenshot";
    if (screenshots) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RmwSysTray"));
    QApplication::setDesktopFileName(QStringLiteral("RmwSysTray"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/RmwSysTray.svg")));
    // The about box is the only window; closing it must not end the utility.
    QApplication::setQuitOnLastWindowClosed(false);

    if (screenshots) {
        if (argc != 3) {
            std::cerr << "RmwSysTray: --screenshot needs a folder\n";
            return 2;
        }
        return trayScreenshots(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    return runUtility(application);
}
