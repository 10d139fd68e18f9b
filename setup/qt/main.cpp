// RmwSetup: the self-extracting setup package with its dialogs. Run, it installs what
// it carries on the emulated machine (ROAMWISE_MACHINE or the per-user machine).
//
//   RmwSetup                   the dialogs
//   RmwSetup --unattended      no windows: Install, I agree, overwrite all, the
//                              proposed folder
//   RmwSetup --screenshot DIR  draws DLG_Main, DLG_LIC and FileExist to
//                              DIR/RmwSetup-<name>.png on the offscreen platform and
//                              exits without installing anything

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "platform/Services.h"
#include "platform/console/ConsoleUserInterface.h"
#include "platform/emulated/Machine.h"
#include "platform/qt/FormBinder.h"
#include "platform/qt/QtUserInterface.h"
#include "setup/DLG_Main.h"
#include "setup/SetupDialogs.h"
#include "setup/SetupPreview.h"
#include "setup/SetupProgram.h"
#include "setup/UnattendedAnswers.h"
#include "ui_DLG_LIC.h"
#include "ui_DLG_Main.h"
#include "ui_FileExist.h"
#include "ui_dlgDestination.h"

namespace {

void showErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

std::string ownFile(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? argv0 : self.string();
}

void registerWindows(qtkit::QtUserInterface& ui) {
    ui.registerWindow("DLG_Main", [] { return qtkit::makeWindow<Ui::DLG_Main, QDialog>(); });
    ui.registerWindow("DLG_LIC", [] { return qtkit::makeWindow<Ui::DLG_LIC, QDialog>(); });
    ui.registerWindow("FileExist", [] { return qtkit::makeWindow<Ui::FileExist, QDialog>(); });
    ui.registerWindow("dlgDestination", [] { return qtkit::makeWindow<Ui::dlgDestination, QDialog>(); });
}

bool saveScreenshot(qtkit::QtUserInterface& ui, forms::Form& form, const QDir& dir) {
    form.ShowModeless();
    QWidget* shown = ui.windowOf(form);
    const QString path = dir.absoluteFilePath(QString::fromLatin1(("RmwSetup-" + form.Name() + ".png").c_str()));
    const bool saved = shown != nullptr && shown->grab().save(path);
    if (saved) std::printf("%s\n", QDir::toNativeSeparators(path).toLocal8Bit().constData());
    form.Unload();
    return saved;
}

int screenshots(qtkit::QtUserInterface& ui, const std::string& folder, const std::string& self) {
    QDir dir(QString::fromLocal8Bit(folder.c_str()));
    if (!dir.mkpath(QStringLiteral("."))) return 1;
    const setup::PackageHeader header = setup::previewHeader(self);
    setup::WorkingFolder working(platform::files().GetCurrentDirectoryA());
    setup::SetupSession session(header, working, "", "");
    setup::DLG_Main main(session);
    setup::DLG_LIC agreement(header.agreementText);
    setup::FileExist question("ReadMe.txt");
    bool ok = true;
    for (forms::Form* form : std::initializer_list<forms::Form*>{&main, &agreement, &question})
        ok = saveScreenshot(ui, *form, dir) && ok;
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool unattended = false;
    std::string screenshotFolder;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--unattended") {
            unattended = true;
        } else if (arg == "--screenshot" && i + 1 < argc) {
            screenshotFolder = argv[++i];
        } else {
            std::cerr << "usage: RmwSetup [--unattended | --screenshot DIR]\n";
            return 2;
        }
    }
    try {
        auto machine = platform::emulated::Machine::openDefault();
        platform::Services services = machine->services();
        const std::string self = ownFile(argv[0]);
        if (unattended) {
            platform::ConsoleUserInterface console(std::cerr);
            setup::answerUnattended(console);
            services.ui = &console;
            platform::ScopedServices scope(services);
            return setup::SetupProgram(self).run().installed ? 0 : 1;
        }
        if (!screenshotFolder.empty()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(showErrorsOnly);
        }
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("RmwSetup"));
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/rmw.svg")));  // MNICON
        qtkit::QtUserInterface ui;
        registerWindows(ui);
        services.ui = &ui;
        platform::ScopedServices scope(services);
        if (!screenshotFolder.empty()) return screenshots(ui, screenshotFolder, self);
        return setup::SetupProgram(self).run().installed ? 0 : 1;
    } catch (const std::exception& failure) {
        std::cerr << "RmwSetup: " << failure.what() << "\n";
        return 1;
    }
}
