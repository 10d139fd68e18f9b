#pragma once
// The windows of rmw: each form's Designer layout, registered with the Qt user-interface
// service under the form's name, and the program's icon.

#include <QIcon>

namespace qtkit {
class QtUserInterface;
}

namespace rmwqt {

// Registers the layouts of frmMain, frmRestart, frmOptions, frmAbout, frmNICWarning and
// frmNetscape with UI.
void registerWindows(qtkit::QtUserInterface& ui);
QIcon programIcon();

}  // namespace rmwqt
