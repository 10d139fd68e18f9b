#include "app/qt/RmwWindows.h"

#include <QDialog>
#include <QLabel>
#include <QMainWindow>

#include "platform/qt/FormBinder.h"
#include "platform/qt/QtUserInterface.h"
#include "ui_frmAbout.h"
#include "ui_frmAddIns.h"
#include "ui_frmMain.h"
#include "ui_frmNICWarning.h"
#include "ui_frmNetscape.h"
#include "ui_frmOptions.h"
#include "ui_frmRestart.h"

namespace rmwqt {

namespace {

// The about box shows the program's picture beside its title.
std::unique_ptr<QWidget> aboutBox() {
    std::unique_ptr<QWidget> window = qtkit::makeWindow<Ui::frmAbout, QDialog>();
    if (auto* picture = window->findChild<QLabel*>(QStringLiteral("picIcon")))
        picture->setPixmap(programIcon().pixmap(64, 64));
    return window;
}

}  // namespace

QIcon programIcon() {
    return QIcon::fromTheme(QStringLiteral("rmw"), QIcon(QStringLiteral(":/icons/rmw.svg")));
}

void registerWindows(qtkit::QtUserInterface& ui) {
    ui.registerWindow("frmMain", qtkit::makeWindow<Ui::frmMain, QMainWindow>);
    ui.registerWindow("frmRestart", qtkit::makeWindow<Ui::frmRestart, QDialog>);
    ui.registerWindow("frmOptions", qtkit::makeWindow<Ui::frmOptions, QDialog>);
    ui.registerWindow("frmAbout", aboutBox);
    ui.registerWindow("frmNICWarning", qtkit::makeWindow<Ui::frmNICWarning, QDialog>);
    ui.registerWindow("frmNetscape", qtkit::makeWindow<Ui::frmNetscape, QDialog>);
    ui.registerWindow("frmAddIns", qtkit::makeWindow<Ui::frmAddIns, QDialog>);
}

}  // namespace rmwqt
