#include "app/qt/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <stdexcept>

#include "app/logic/dialogs/frmAbout.h"
#include "app/logic/dialogs/frmAddIns.h"
#include "app/logic/dialogs/frmNICWarning.h"
#include "app/logic/dialogs/frmOptions.h"
#include "app/logic/dialogs/frmRestart.h"
#include "app/logic/main/frmMain.h"
#include "browser/frmNetscape.h"
#include "platform/qt/FormBinder.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtUserInterface.h"

namespace rmwqt {

namespace {

class Shooter {
  public:
    Shooter(qtkit::QtUserInterface& ui, const QString& dir) : ui_(ui), dir_(dir) {
        if (!QDir().mkpath(dir)) throw std::runtime_error("Cannot make the folder " + dir.toStdString());
    }

    void save(QWidget& window, const QString& name) {
        QApplication::processEvents();
        const QString path = QDir(dir_).filePath(name + QStringLiteral(".png"));
        if (!window.grab().save(path))
            throw std::runtime_error("Cannot write " + path.toStdString());
        written_ << path;
    }

    // A dialog drawn as it opens: loaded, bound to its layout and shown.
    void dialog(forms::Form& form) {
        form.Load();
        std::unique_ptr<QWidget> window = ui_.makeWindow(form.Name());
        qtkit::bindForm(form, *window);
        window->show();
        window->adjustSize();
        save(*window, qtkit::toQt(form.Name()));
        window->hide();
        form.Unload();
    }

    const QStringList& written() const { return written_; }

  private:
    qtkit::QtUserInterface& ui_;
    QString dir_;
    QStringList written_;
};

}  // namespace

QStringList renderScreenshots(qtkit::QtUserInterface& ui, const QString& dir) {
    Shooter shooter(ui, dir);
    {
        frmMain window;
        window.ShowModeless();
        QWidget* shown = ui.windowOf(window);
        if (shown == nullptr) throw std::runtime_error("The main window did not open");
        for (int index = 0; index < window.tabSettings.tabCount(); ++index) {
            window.tabSettings.currentTab(index);
            shooter.save(*shown, QStringLiteral("frmMain-") + qtkit::toQt(window.tabSettings.tab(index).Name()));
        }
        window.Unload();
    }
    frmRestart restart;
    shooter.dialog(restart);
    frmOptions options;
    shooter.dialog(options);
    frmAbout about;
    shooter.dialog(about);
    frmNICWarning warning;
    shooter.dialog(warning);
    frmNetscape netscape;
    shooter.dialog(netscape);
    frmAddIns addIns;
    shooter.dialog(addIns);
    return shooter.written();
}

}  // namespace rmwqt
