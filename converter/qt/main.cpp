// RmwConverter: turns version-1 configuration files into version-2 ones in one small
// window. It works on the emulated machine's files and starts nothing.
//
//   RmwConverter                    the window
//   RmwConverter --screenshot DIR   renders the window to DIR/RmwConverter-frmMain.png
//                                   through the offscreen platform and exits
//   RmwConverter --exit-when-shown  exits as soon as the window has been drawn once

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "converter/ConversionError.h"
#include "converter/frmMain.h"
#include "converter/qt/ProgramOptions.h"
#include "platform/Services.h"
#include "platform/emulated/Machine.h"
#include "platform/qt/FormBinder.h"
#include "platform/qt/QtUserInterface.h"
#include "ui_frmMain.h"

namespace {

constexpr const char* kProgramName = "RmwConverter";

// Ends the event loop once WINDOW has been painted, so that start-up can be timed up to
// the moment the user sees the filled window.
class QuitWhenPainted : public QObject {
  public:
    explicit QuitWhenPainted(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

// The offscreen platform reports what it cannot do (raise a window, pass size hints to a
// window manager) as warnings; drawing pictures needs none of that, so only real errors
// are shown.
void showErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

int fail(const std::string& message, bool quiet) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, message.c_str());
    if (!quiet) {
        QMessageBox::critical(nullptr, QString::fromLatin1(converter::kConversionTitle),
                              QString::fromLocal8Bit(message.c_str()));
    }
    return 1;
}

bool saveScreenshot(QWidget& window, const std::string& folder) {
    QDir dir(QString::fromLocal8Bit(folder.c_str()));
    if (!dir.mkpath(QStringLiteral("."))) return false;
    const QString path = dir.absoluteFilePath(QStringLiteral("RmwConverter-frmMain.png"));
    if (!window.grab().save(path)) return false;
    std::printf("%s\n", QDir::toNativeSeparators(path).toLocal8Bit().constData());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const converter::ParsedOptions parsed =
        converter::parseProgramOptions({argv + 1, argv + argc});
    if (!parsed.options) {
        std::fprintf(stderr,
                     "%s: %s\nusage: %s [--screenshot DIR | --exit-when-shown]\n",
                     kProgramName, parsed.error.c_str(), kProgramName);
        return 2;
    }
    const converter::ProgramOptions& options = *parsed.options;
    const bool headless = !options.screenshotFolder.empty();
    // Pictures are drawn without a display, and never appear on one that is there.
    if (headless) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(showErrorsOnly);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/RmwConverter.svg")));

    std::unique_ptr<platform::emulated::Machine> machine;
    try {
        machine = platform::emulated::Machine::openDefault();
    } catch (const std::exception& error) {
        return fail(error.what(), headless);
    }
    qtkit::QtUserInterface ui;
    ui.registerWindow("frmMain", [] { return qtkit::makeWindow<Ui::frmMain, QDialog>(); });
    platform::Services services = machine->services();
    services.ui = &ui;
    const platform::ScopedServices installed(services);

    converter::frmMain window;
    window.ShowModeless();
    QWidget* shown = ui.windowOf(window);
    if (shown == nullptr) return fail("the window could not be shown", headless);

    if (headless) {
        const bool saved = saveScreenshot(*shown, options.screenshotFolder);
        window.Unload();
        if (!saved) return fail("cannot write the picture to " + options.screenshotFolder, true);
        return 0;
    }
    if (options.exitWhenShown) new QuitWhenPainted(*shown);
    return QApplication::exec();
}
