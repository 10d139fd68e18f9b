// rmw: the Roamwise main window. "rmw FILE" opens (and, when the file says so, applies)
// a configuration file; "rmw --screenshot DIR" draws every window to PNG files in DIR
// without a display and exits; "rmw --exit-when-shown" ends once the main window has been
// drawn and filled (for measuring start-up).

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "app/logic/main/frmMain.h"
#include "app/qt/RmwWindows.h"
#include "app/qt/Screenshots.h"
#include "app/qt/UnattendedMessages.h"
#include "platform/RaisedError.h"
#include "platform/Services.h"
#include "platform/emulated/Machine.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtUserInterface.h"

namespace {

// The program's arguments joined by blanks, as Windows hands a command line over.
std::string commandLine(int argc, char* argv[]) {
    std::string line;
    for (int index = 1; index < argc; ++index) {
        if (index > 1) line += ' ';
        line += argv[index];
    }
    return line;
}

int runWindow(const std::string& line, bool exitWhenShown) {
    frmMain window(line);
    window.ShowModeless();
    if (window.programEnded() || !window.loaded()) return 0;
    if (!exitWhenShown) return QApplication::exec();
    QApplication::processEvents();
    if (QWidget* shown = QApplication::activeWindow()) shown->grab();  // drawn once
    window.Unload();
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool screenshots = argc == 3 && std::string(argv[1]) == "--screenshot";
    const bool exitWhenShown = argc == 2 && std::string(argv[1]) == "--exit-when-shown";
    if (screenshots) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Roamwise"));
    QApplication::setWindowIcon(rmwqt::programIcon());
    QApplication::setDesktopFileName(QStringLiteral("rmw"));

    std::unique_ptr<platform::emulated::Machine> machine;
    try {
        machine = platform::emulated::Machine::openDefault();
    } catch (const std::exception& error) {
        std::cerr << "rmw: " << error.what() << "\n";
        if (!screenshots) QMessageBox::critical(nullptr, QStringLiteral("Roamwise"), qtkit::toQt(error.what()));
        return 1;
    }
    qtkit::QtUserInterface ui;
    rmwqt::registerWindows(ui);
    rmwqt::UnattendedMessages unattended(ui, std::cerr);
    platform::Services services = machine->services();
    services.ui = screenshots ? static_cast<platform::UserInterface*>(&unattended) : &ui;
    platform::installServices(services);

    try {
        if (screenshots) {
            for (const QString& file : rmwqt::renderScreenshots(ui, QString::fromLocal8Bit(argv[2])))
                std::cout << file.toStdString() << "\n";
            return 0;
        }
        return runWindow(exitWhenShown ? std::string() : commandLine(argc, argv), exitWhenShown);
    } catch (const std::exception& error) {
        std::cerr << "rmw: " << error.what() << "\n";
        return 1;
    }
}
